#pragma once
// Temporary folders, high-score files built byte by byte from the layout (not
// with the engine's encoder, so a fault in it cannot hide itself), and child
// processes that use the file, as root or as an unprivileged player.
#include <grp.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>

namespace scoretest {

namespace fs = std::filesystem;

// Root ignores permissions, so as root the player is "nobody".
inline const bool kRoot = ::geteuid() == 0;

// A new folder anyone may write, removed with all it holds.
struct TempFolder {
    TempFolder() { fs::permissions(::mkdtemp(path.data()), fs::perms::all); }
    ~TempFolder() { fs::permissions(path, fs::perms::all), fs::remove_all(path); }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
    std::string scoreFile() const { return *this / "High Scores.rnd"; }

    std::string path = (fs::temp_directory_path() / "quillbox-scores-XXXXXX").string();
};

inline std::string readBytes(const std::string& path) {
    return {std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {}};
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// One 36-byte record: name (already in the file's code page) padded with
// blanks to 15, the score's four bytes lowest first, 17 zero bytes.
inline std::string record(const std::string& name, std::uint32_t points) {
    std::string r = (name + std::string(15, ' ')).substr(0, 15);
    for (int shift = 0; shift < 32; shift += 8)
        r += static_cast<char>(points >> shift & 0xFF);
    return r + std::string(17, '\0');
}

// n entries of the table 90, 80, ..., 0, named after their scores, from index
// from on.
inline std::string descending(int from = 0, int n = 10) {
    std::string t;
    for (int i = from; i < from + n; ++i)
        t += record("P" + std::to_string(90 - 10 * i), 90 - 10 * i);
    return t;
}

// A process forked to run work, as the player when asked. finish() waits for
// it: its exit status (128 + the signal that ended it) and what work returned
// (up to 4 KB). A child that outlives 20 seconds is stopped by SIGALRM.
struct Child {
    Child(bool asPlayer, const std::function<std::string()>& work) {
        if (pid_ != 0)
            return;
        ::alarm(20);
        if (asPlayer && kRoot &&
            (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        work().copy(out_, 4095);
        ::_exit(0);
    }
    std::pair<int, std::string> finish() {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        std::pair<int, std::string> done{
            WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status), out_};
        ::munmap(out_, 4096);
        return done;
    }

    char* out_ = static_cast<char*>(
        ::mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    pid_t pid_ = ::fork();
};

}  // namespace scoretest

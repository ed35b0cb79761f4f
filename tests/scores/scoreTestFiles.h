#pragma once
// Temporary folders, high-score files built byte by byte from the layout (not
// with the engine's encoder, so a fault in it cannot hide itself), and child
// processes that use the file, as root or as an unprivileged player.
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>

#include "scores/scoreFile.h"

namespace scoretest {

namespace fs = std::filesystem;

// Root ignores permissions, so as root the player is "nobody".
inline const bool kRoot = ::geteuid() == 0;
inline constexpr uid_t kPlayer = 65534;

// A new folder anyone may write, removed with all it holds.
struct TempFolder {
    TempFolder() { fs::permissions(::mkdtemp(path.data()), fs::perms::all); }
    ~TempFolder() { fs::remove_all(path); }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
    std::string scoreFile() const { return *this / "High Scores.rnd"; }

    std::string path = (fs::temp_directory_path() / "quillbox-scores-XXXXXX").string();
};

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// One 36-byte record: name (already in the file's code page) padded with
// blanks to 15, the score's four bytes lowest first, 17 zero bytes.
inline std::string record(const std::string& name, std::int64_t points) {
    std::string r = name.substr(0, 15);
    r.resize(15, ' ');
    const auto v = static_cast<std::uint32_t>(static_cast<std::int32_t>(points));
    for (int shift = 0; shift < 32; shift += 8)
        r += static_cast<char>(v >> shift & 0xFF);
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
// it: its exit status (128 + the signal that ended it) and what work returned,
// or for a ScoreFileError exit status 2 and its action (a number), file and
// reason, one a line. A child that outlives 20 seconds is stopped by SIGALRM.
class Child {
  public:
    Child(bool asPlayer, const std::function<std::string()>& work) {
        int pipe[2];
        if (::pipe(pipe) != 0 || (pid_ = ::fork()) < 0)
            std::abort();
        if (pid_ == 0) {
            ::alarm(20);
            if (asPlayer && kRoot &&
                (::setgroups(0, nullptr) != 0 || ::setgid(kPlayer) != 0 || ::setuid(kPlayer) != 0))
                ::_exit(3);
            int status = 0;
            std::string out;
            try {
                out = work();
            } catch (const quillbox::scores::ScoreFileError& e) {
                status = 2;
                out = std::to_string(static_cast<int>(e.action())) + "\n" + e.path() + "\n" +
                      e.reason();
            }
            const bool written = ::write(pipe[1], out.data(), out.size()) == ssize_t(out.size());
            ::_exit(written ? status : 4);
        }
        ::close(pipe[1]);
        out_ = pipe[0];
    }
    std::pair<int, std::string> finish() const {
        std::string out;
        char buf[512];
        for (ssize_t n; (n = ::read(out_, buf, sizeof buf)) > 0;)
            out.append(buf, static_cast<std::size_t>(n));
        ::close(out_);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        return {WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status), out};
    }

  private:
    pid_t pid_ = -1;
    int out_ = -1;
};

}  // namespace scoretest

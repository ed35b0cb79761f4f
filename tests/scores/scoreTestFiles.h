#pragma once
// Temporary folders, high-score files built byte by byte from the layout (not
// with the engine's encoder, so a fault in it cannot hide itself), and the
// writer program (scoreWriter.cpp) run as a separate process.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

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

#ifdef QUILLBOX_SCORE_WRITER
// The writer, started at once, as the player when asked. finish() waits for
// it: its exit status (128 + the signal that ended it) and what it printed.
class Writer {
  public:
    explicit Writer(const std::vector<std::string>& args, bool asPlayer = false) {
        std::string command = asPlayer && kRoot ? "exec setpriv --reuid=nobody --regid=nogroup "
                                                  "--clear-groups '" QUILLBOX_SCORE_WRITER "'"
                                                : "exec '" QUILLBOX_SCORE_WRITER "'";
        for (const std::string& a : args)
            command += " '" + a + "'";
        out_ = ::popen((command + " 2>&1").c_str(), "r");
    }
    std::pair<int, std::string> finish() {
        std::string output;
        char buf[512];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, out_)) > 0;)
            output.append(buf, n);
        const int status = ::pclose(out_);
        return {WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status), output};
    }

  private:
    FILE* out_;
};
#endif

}  // namespace scoretest

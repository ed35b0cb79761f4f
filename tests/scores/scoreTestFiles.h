#pragma once
// Temporary folders and hand-built high-score files for the tests. The bytes
// are put together here from the layout, not with the engine's encoder, so a
// fault in the encoder cannot hide itself.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace scoretest {

namespace fs = std::filesystem;

class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "quillbox-scores-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const fs::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    std::string scoreFile() const { return (path_ / "High Scores.rnd").string(); }

  private:
    fs::path path_;
};

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
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

inline std::string emptyRecords(int count) {
    return std::string(static_cast<std::size_t>(count) * 36, '\0');
}

}  // namespace scoretest

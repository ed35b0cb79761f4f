#pragma once
// The high-score table as it stands on disk: ten fixed 36-byte records, each a
// 15-byte Windows-1252 name, a little-endian 32-bit score and 17 filler bytes.
// Everything here is pure (no file access) so the format can be tested alone.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillbox::scores {

inline constexpr int kScoreRecordCount = 10;
inline constexpr std::size_t kScoreNameLength = 15;
// The bytes that carry meaning: the name and the score.
inline constexpr std::size_t kScoreDataLength = 19;
inline constexpr std::size_t kScoreRecordLength = 36;
inline constexpr std::size_t kScoreTableLength = kScoreRecordCount * kScoreRecordLength;

inline constexpr char kScoreFileName[] = "High Scores.rnd";
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

struct ScoreRecord {
    // Windows-1252 bytes; an empty slot holds 15 NULs.
    std::array<char, kScoreNameLength> name{};
    std::int32_t points = 0;

    bool operator==(const ScoreRecord&) const = default;
};

// Position 1 first.
using ScoreRecords = std::array<ScoreRecord, kScoreRecordCount>;

// The file's full path: the folder, the separator unless the folder already ends
// with one (a root such as "/" or "C:\"), then the file name.
std::string scoreFilePathIn(std::string_view folder, char separator = kPathSeparator);

// UTF-8 to Windows-1252, one byte per character; characters the code page
// lacks, and malformed UTF-8, become '?'.
std::string toWindows1252(std::string_view utf8);
// Windows-1252 to UTF-8.
std::string fromWindows1252(std::string_view bytes);

// A new entry: the first 15 characters of the name, padded with blanks.
ScoreRecord makeScoreRecord(std::string_view utf8Name, std::int32_t points);
// The stored name as UTF-8 text, its NULs left out so an empty slot reads "".
std::string nameText(const ScoreRecord& record);

// The 360 bytes of a whole table, filler zeroed.
std::string encodeScores(const ScoreRecords& records);
// Reads the first ten records of any byte string. A record whose 19 data bytes
// are not all there reads as an empty slot; the filler is ignored.
ScoreRecords decodeScores(std::string_view bytes);

// True when the score is strictly greater than at least one stored score.
bool beatsAnyScore(const ScoreRecords& records, std::int32_t points);

// Puts the entry directly above the highest stored entry it beats, moving the
// rest down and dropping the tenth; a tie goes below the entry it ties with.
// Returns false when it beats no entry and the table stays as it was.
bool insertScore(ScoreRecords& records, const ScoreRecord& entry);

}  // namespace quillbox::scores

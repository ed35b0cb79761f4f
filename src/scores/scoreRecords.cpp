#include "scores/scoreRecords.h"

#include <algorithm>
#include <optional>

namespace quillbox::scores {

namespace {

// Code points of bytes 0x80-0x9F; the five bytes the code page leaves
// unassigned map to the C1 control of the same value, as Windows does.
constexpr auto kHighControls =
    std::to_array<char32_t>({0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
                             0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
                             0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
                             0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178});

constexpr char kUnmappable = '?';

char32_t codePointOf(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

std::optional<unsigned char> byteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<unsigned char>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == cp)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 character at text[pos], advancing pos. A malformed
// sequence consumes one byte and yields nothing.
std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80)
        return lead;
    // Set by the lead byte's form, or the sequence is refused.
    int extra;
    char32_t cp;
    char32_t minimum;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (pos + extra > text.size())
        return std::nullopt;
    for (int i = 0; i < extra; ++i) {
        const auto c = static_cast<unsigned char>(text[pos + i]);
        if ((c & 0xC0) != 0x80)
            return std::nullopt;
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return std::nullopt;
    pos += extra;
    return cp;
}

std::int32_t readLittleEndian32(const char* p) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(p[i]);
    return static_cast<std::int32_t>(v);
}

void writeLittleEndian32(char* p, std::int32_t value) {
    auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i, v >>= 8)
        p[i] = static_cast<char>(v & 0xFF);
}

}  // namespace

std::string scoreFilePathIn(std::string_view folder, char separator) {
    std::string path(folder);
    if (path.empty() || path.back() != separator)
        path += separator;
    return path + kScoreFileName;
}

std::string toWindows1252(std::string_view utf8) {
    std::string out;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto cp = nextCodePoint(utf8, pos);
        const auto byte = cp ? byteOf(*cp) : std::nullopt;
        out += byte ? static_cast<char>(*byte) : kUnmappable;
    }
    return out;
}

std::string fromWindows1252(std::string_view bytes) {
    std::string out;
    for (char c : bytes)
        appendUtf8(out, codePointOf(static_cast<unsigned char>(c)));
    return out;
}

ScoreRecord makeScoreRecord(std::string_view utf8Name, std::int32_t points) {
    ScoreRecord r;
    r.name.fill(' ');
    const std::string bytes = toWindows1252(utf8Name);
    std::copy_n(bytes.begin(), std::min(bytes.size(), kScoreNameLength), r.name.begin());
    r.points = points;
    return r;
}

std::string nameText(const ScoreRecord& record) {
    std::string bytes(record.name.begin(), record.name.end());
    std::erase(bytes, '\0');
    return fromWindows1252(bytes);
}

std::string encodeScores(const ScoreRecords& records) {
    std::string bytes(kScoreTableLength, '\0');
    for (char* at = bytes.data(); const ScoreRecord& r : records) {
        std::copy(r.name.begin(), r.name.end(), at);
        writeLittleEndian32(at + kScoreNameLength, r.points);
        at += kScoreRecordLength;
    }
    return bytes;
}

ScoreRecords decodeScores(std::string_view bytes) {
    ScoreRecords records{};
    for (std::size_t at = 0; ScoreRecord & r : records) {
        if (at + kScoreDataLength > bytes.size())
            break;
        std::copy_n(bytes.data() + at, kScoreNameLength, r.name.begin());
        r.points = readLittleEndian32(bytes.data() + at + kScoreNameLength);
        at += kScoreRecordLength;
    }
    return records;
}

bool beatsAnyScore(const ScoreRecords& records, std::int32_t points) {
    return std::any_of(records.begin(), records.end(),
                       [points](const ScoreRecord& r) { return points > r.points; });
}

bool insertScore(ScoreRecords& records, const ScoreRecord& entry) {
    // The first entry it beats, in table order; in an ordered table that is
    // the highest one it beats, and entries equal to it stay above.
    const auto at = std::find_if(records.begin(), records.end(), [&entry](const ScoreRecord& r) {
        return entry.points > r.points;
    });
    if (at == records.end())
        return false;
    std::move_backward(at, records.end() - 1, records.end());
    *at = entry;
    return true;
}

}  // namespace quillbox::scores

#pragma once
// Code pages: Windows-1252 for the writer, and every code page an RTF
// document or one of its fonts may declare for the reader, decoded with the
// C library's iconv.
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace quillbox::ui::rtf {

// 0x80..0x9F differ from Latin-1; the five unassigned bytes map to themselves.
inline constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The byte for c, or none when Windows-1252 cannot show it.
inline std::optional<unsigned char> toCp1252(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    for (unsigned i = 0; i < kCp1252High.size(); ++i) {
        if (kCp1252High[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

// The Windows code page of an RTF font charset (\fcharsetN); 0 for the
// charsets that take the document's code page (ANSI and default), and for
// unknown ones.
int codePageOfCharset(int charset);

// One code page's bytes as UTF-16. Bytes below 0x80 are ASCII in every code
// page a document may use. A byte the code page does not define stands for
// itself (as Windows-1252's five unassigned bytes do). Multi-byte code pages
// (Japanese, Chinese, Korean, UTF-8) start a character with a lead byte that
// needs the next bytes.
class CodePage {
  public:
    // Windows code page numbers (1251, 932, 10000, ...); a number iconv does
    // not know reads as Windows-1252.
    explicit CodePage(int number);
    ~CodePage();
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;

    char16_t single(unsigned char byte) const { return single_[byte]; }
    bool isLeadByte(unsigned char byte) const { return lead_[byte]; }

    enum class Decoded { Character, NeedsMore, Invalid };
    // Decodes the bytes of one character that starts with a lead byte; out
    // holds it when the result is Character.
    Decoded decode(const std::string& bytes, std::u16string& out) const;

  private:
    class Converter;
    std::array<char16_t, 256> single_{};
    std::array<bool, 256> lead_{};
    std::unique_ptr<Converter> converter_;
    mutable std::map<std::string, std::pair<Decoded, std::u16string>> decoded_;
};

}  // namespace quillbox::ui::rtf

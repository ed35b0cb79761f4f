#pragma once
// A small model of a rich-text document, and its RTF reader and writer. Plain
// C++ without Qt, so the reader can be fuzzed and benchmarked on its own.
//
// A document is a list of paragraphs; there is always at least one. The
// paragraphs are separated by paragraph marks, so a document ending in a mark
// has an empty last paragraph: "AB\par CD\par" is {"AB", "CD", ""}. Its plain
// text joins the paragraphs with CR LF ("AB\r\nCD\r\n"), so appending lines
// that end in CR LF gives exactly their concatenation.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quillbox::ui::rtf {

// Within a run's text, a tab is '\t' and a line break inside the paragraph
// is U+2028 (line separator).
inline constexpr char16_t kLineBreak = u'\u2028';

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

struct Font {
    std::string family;       // UTF-8
    std::string alternative;  // a family to use when the first is missing; may be ""
    bool fixedPitch = false;
    friend bool operator==(const Font&, const Font&) = default;
};

// Character formatting shared by all characters of a run.
struct Format {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::optional<Color> color;  // none: the reader's default text colour
    int font = -1;               // index into Document::fonts; -1: the reader's default font
    int halfPoints = 0;          // font size in half points; 0: the reader's default size
    friend bool operator==(const Format&, const Format&) = default;
};

struct Run {
    std::u16string text;
    Format format;
};

struct Paragraph {
    std::vector<Run> runs;
};

struct Document {
    std::vector<Font> fonts;
    std::vector<Paragraph> paragraphs{Paragraph{}};
};

// Raised by readRtf; what() says why the input was refused.
class RtfError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads an RTF document (bytes as stored in the file). Throws RtfError when the
// input is not RTF, is cut off or unbalanced, or nests deeper than its size
// allows (one level for every 32 bytes, and at least 256 levels): a limit no
// document a program wrote comes near, which keeps hostile nesting cheap.
Document readRtf(std::string_view bytes);

// Writes the document as RTF 1.x (ASCII only; other characters are escaped).
std::string writeRtf(const Document& document);

// The paragraphs' text joined with CR LF.
std::u16string plainText(const Document& document);

// Appends text to the last paragraph, merging it into the last run when the
// format is the same. '\n' in text starts a new paragraph.
void appendText(Document& document, std::u16string_view text, const Format& format = {});

// UTF-8 to UTF-16 and back; malformed sequences become U+FFFD.
std::u16string utf16(std::string_view in);
std::string utf8(std::u16string_view in);

}  // namespace quillbox::ui::rtf

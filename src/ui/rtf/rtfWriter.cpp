// Writes RTF that word processors old and new open alike: 7-bit output, a
// font and a colour table, and only the formatting the model holds.
#include <string>
#include <vector>

#include "ui/rtf/codePage.h"
#include "ui/rtf/rtfDocument.h"

namespace quillbox::ui::rtf {

namespace {

void appendEscaped(std::string& out, std::u16string_view text, bool inTable) {
    for (const char16_t c : text) {
        if (c == u'\\' || c == u'{' || c == u'}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == u'\t') {
            out += "\\tab ";
        } else if (c == kLineBreak) {
            out += "\\line ";
        } else if (c == u';' && inTable) {
            // would end the table entry early
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            // control characters have no visible form in a document
        } else {
            // \uN takes a signed 16-bit value; the byte after it is what readers
            // without Unicode show instead.
            const int n = c > 0x7FFF ? static_cast<int>(c) - 0x10000 : static_cast<int>(c);
            out += "\\u" + std::to_string(n);
            if (const auto byte = toCp1252(c)) {
                static const char* hex = "0123456789abcdef";
                out += "\\'";
                out += hex[*byte >> 4];
                out += hex[*byte & 0xF];
            } else {
                out += '?';
            }
        }
    }
}

class Writer {
  public:
    explicit Writer(const Document& d) : doc_(d) {}

    std::string write() {
        collectColors();
        out_ = "{\\rtf1\\ansi\\ansicpg1252";
        if (!doc_.fonts.empty())
            out_ += "\\deff0";
        out_ += "\\uc1\r\n";
        writeFontTable();
        writeColorTable();
        // Naming the producer also tells word processors that runs of spaces
        // are ordinary spaces (LibreOffice widens them in anonymous files).
        out_ += "{\\*\\generator Quillbox;}\r\n";
        out_ += "\\pard\\plain";
        bool afterWord = true;
        bool first = true;
        for (const Paragraph& p : doc_.paragraphs) {
            if (!first) {
                out_ += "\\par\r\n";  // the line end delimits the word
                afterWord = false;
            }
            first = false;
            for (const Run& r : p.runs) {
                if (r.text.empty())
                    continue;
                afterWord = switchTo(normalized(r.format)) || afterWord;
                if (afterWord)
                    out_ += ' ';  // ends the last control word
                afterWord = false;
                appendEscaped(out_, r.text, false);
            }
        }
        out_ += "}\r\n";
        return std::move(out_);
    }

  private:
    // A run without a valid font is written in the first font, the default
    // (0 also when there are no fonts: no \f is written then).
    Format normalized(Format f) const {
        if (static_cast<std::size_t>(f.font) >= doc_.fonts.size())  // a negative one too
            f.font = 0;
        if (f.halfPoints < 0)
            f.halfPoints = 0;
        return f;
    }

    void collectColors() {
        for (const Paragraph& p : doc_.paragraphs) {
            for (const Run& r : p.runs) {
                if (!r.format.color || r.text.empty())
                    continue;
                if (colorNumber(*r.format.color) == 0)
                    colors_.push_back(*r.format.color);
            }
        }
    }

    // The colour's entry in the table; 0 (the automatic colour) when absent.
    int colorNumber(const Color& c) const {
        for (std::size_t i = 0; i < colors_.size(); ++i) {
            if (colors_[i] == c)
                return static_cast<int>(i) + 1;
        }
        return 0;
    }

    void writeFontTable() {
        if (doc_.fonts.empty())
            return;
        out_ += "{\\fonttbl";
        for (std::size_t i = 0; i < doc_.fonts.size(); ++i) {
            const Font& f = doc_.fonts[i];
            out_ += "{\\f" + std::to_string(i);
            out_ += f.fixedPitch ? "\\fmodern\\fprq1" : "\\fnil";
            out_ += "\\fcharset0 ";
            appendEscaped(out_, utf16(f.family), true);
            if (!f.alternative.empty()) {
                out_ += "{\\*\\falt ";
                appendEscaped(out_, utf16(f.alternative), true);
                out_ += '}';
            }
            out_ += ";}";
        }
        out_ += "}\r\n";
    }

    void writeColorTable() {
        out_ += "{\\colortbl;";
        for (const Color& c : colors_) {
            out_ += "\\red" + std::to_string(c.red) + "\\green" + std::to_string(c.green) +
                    "\\blue" + std::to_string(c.blue) + ';';
        }
        out_ += "}\r\n";
    }

    // Emits the control words that turn the current format into f; true if any.
    bool switchTo(const Format& f) {
        const std::size_t before = out_.size();
        // A default size can only be reached through \plain, which resets everything.
        if (f.halfPoints == 0 && current_.halfPoints != 0) {
            out_ += "\\plain";
            current_ = plain();
        }
        if (f.font != current_.font)
            out_ += "\\f" + std::to_string(f.font);
        if (f.halfPoints != current_.halfPoints)
            out_ += "\\fs" + std::to_string(f.halfPoints);
        if (f.bold != current_.bold)
            out_ += f.bold ? "\\b" : "\\b0";
        if (f.italic != current_.italic)
            out_ += f.italic ? "\\i" : "\\i0";
        if (f.underline != current_.underline)
            out_ += f.underline ? "\\ul" : "\\ulnone";
        const int color = f.color ? colorNumber(*f.color) : 0;
        const int currentColor = current_.color ? colorNumber(*current_.color) : 0;
        if (color != currentColor)
            out_ += "\\cf" + std::to_string(color);
        current_ = f;
        return out_.size() != before;
    }

    const Document& doc_;
    std::vector<Color> colors_;
    std::string out_;
    // What \pard\plain leaves in force: the default font (\deff0) and size, no
    // styles.
    static Format plain() {
        Format f;
        f.font = 0;
        return f;
    }
    Format current_ = plain();
};

}  // namespace

std::string writeRtf(const Document& document) {
    return Writer(document).write();
}

}  // namespace quillbox::ui::rtf

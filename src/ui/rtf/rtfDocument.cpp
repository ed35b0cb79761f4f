#include "ui/rtf/rtfDocument.h"

namespace quillbox::ui::rtf {

std::u16string plainText(const Document& document) {
    std::u16string out;
    bool first = true;
    for (const Paragraph& p : document.paragraphs) {
        if (!first)
            out += u"\r\n";
        first = false;
        for (const Run& r : p.runs)
            out += r.text;
    }
    return out;
}

namespace {
void appendToParagraph(Paragraph& p, std::u16string_view text, const Format& format) {
    if (text.empty())
        return;
    if (!p.runs.empty() && p.runs.back().format == format) {
        p.runs.back().text += text;
    } else {
        p.runs.push_back(Run{std::u16string(text), format});
    }
}
}  // namespace

void appendText(Document& document, std::u16string_view text, const Format& format) {
    if (document.paragraphs.empty())
        document.paragraphs.emplace_back();
    for (;;) {
        const auto nl = text.find(u'\n');
        appendToParagraph(document.paragraphs.back(), text.substr(0, nl), format);
        if (nl == std::u16string_view::npos)
            break;
        document.paragraphs.emplace_back();
        text.remove_prefix(nl + 1);
    }
}

std::u16string utf16(std::string_view in) {
    std::u16string out;
    out.reserve(in.size());
    std::size_t i = 0;
    while (i < in.size()) {
        const auto b = static_cast<unsigned char>(in[i]);
        char32_t cp = 0;
        int extra = 0;
        char32_t min = 0;
        if (b < 0x80) {
            out += static_cast<char16_t>(b);
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1F, extra = 1, min = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0F, extra = 2, min = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07, extra = 3, min = 0x10000;
        } else {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        int got = 0;
        while (got < extra && j < in.size() && (static_cast<unsigned char>(in[j]) & 0xC0) == 0x80) {
            cp = (cp << 6) | (static_cast<unsigned char>(in[j]) & 0x3F);
            ++j, ++got;
        }
        i = j;
        if (got < extra || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out += u'\uFFFD';
        } else if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string utf8(std::u16string_view in) {
    std::string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        char32_t cp = in[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 &&
            in[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (in[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

}  // namespace quillbox::ui::rtf

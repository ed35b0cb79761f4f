// What the RTF writer produces: readable by our reader with every character
// and its formatting intact, and plain 7-bit RTF for other programs.
#include <gtest/gtest.h>

#include <string>

#include "ui/rtf/rtfDocument.h"

using namespace quillbox::ui::rtf;

namespace {

struct Styled {
    char16_t c;
    Format format;
    friend bool operator==(const Styled&, const Styled&) = default;
};

// Every character with its format; a paragraph end is a '\n'.
std::vector<Styled> characters(const Document& d) {
    std::vector<Styled> out;
    bool first = true;
    for (const Paragraph& p : d.paragraphs) {
        if (!first)
            out.push_back({u'\n', {}});
        first = false;
        for (const Run& r : p.runs) {
            for (const char16_t c : r.text)
                out.push_back({c, r.format});
        }
    }
    return out;
}

void PrintTo(const Styled& s, std::ostream* os) {
    *os << "U+" << std::hex << static_cast<int>(s.c) << std::dec << (s.format.bold ? " b" : "")
        << (s.format.underline ? " u" : "") << " font " << s.format.font << " size "
        << s.format.halfPoints;
    if (s.format.color) {
        *os << " rgb " << int(s.format.color->red) << ',' << int(s.format.color->green) << ','
            << int(s.format.color->blue);
    }
}

Format colored(std::uint8_t r, std::uint8_t g, std::uint8_t b, bool underline = false) {
    Format f;
    f.color = Color{r, g, b};
    f.underline = underline;
    f.font = 0;
    f.halfPoints = 18;
    return f;
}

// A tally sheet: coloured lines, single underlined letters, a fixed-pitch font.
Document tally() {
    Document d;
    d.fonts.push_back({"Fixedsys", "DejaVu Sans Mono", true});
    appendText(d, u"QAT         1\n", colored(0, 128, 0));
    appendText(d, u"Z", colored(0, 0, 255));
    appendText(d, u"A", colored(0, 0, 255, true));
    appendText(d, u"         1\n", colored(0, 0, 255));
    appendText(d, u"X", colored(255, 0, 0, true));
    appendText(d, u"Q", colored(255, 0, 0));
    appendText(d, u"Y", colored(255, 0, 0, true));
    appendText(d, u"       -3\n", colored(255, 0, 0));
    appendText(d, u"TOTAL      -1\n", colored(0, 0, 0));
    return d;
}

}  // namespace

TEST(RtfWriter, WhatItWritesReadsBackCharacterForCharacter) {
    Document d = tally();
    // Each run starts from the defaults, whatever the run before it set.
    Format big;
    big.font = 0;
    big.halfPoints = 40;
    big.bold = big.italic = big.underline = true;
    big.color = Color{9, 8, 7};
    appendText(d, u"big", big);
    Format plain;
    plain.font = 0;
    appendText(d, u"plain", plain);
    const Document back = readRtf(writeRtf(d));
    EXPECT_EQ(plainText(back),
              u"QAT         1\r\nZA         1\r\nXQY       -3\r\nTOTAL      -1\r\nbigplain");
    EXPECT_EQ(characters(back), characters(d));
    EXPECT_EQ(back.fonts, d.fonts);
}

TEST(RtfWriter, KeepsEveryKindOfCharacter) {
    Document d;
    d.fonts.push_back({"Caf\u00e9 Sans; Bold {x}", "", false});
    Format f;
    f.font = 0;
    const std::u16string text =
        u"back\\slash {braces} tab\there\u2028line caf\u00e9 \u20ac \u03b1\u03b2 \U0001f600 "
        u"\u00a0\u2014 \uffff\ufffd ?";
    appendText(d, text, f);
    appendText(d, u"\n\n  leading spaces\n", f);
    const std::string rtf = writeRtf(d);
    for (const char c : rtf)
        ASSERT_LT(static_cast<unsigned char>(c), 0x80) << rtf;
    const Document back = readRtf(rtf);
    EXPECT_EQ(plainText(back), text + u"\r\n\r\n  leading spaces\r\n");
    ASSERT_EQ(back.fonts.size(), 1u);
    // A ';' would end the table entry, so it is left out of a font name.
    EXPECT_EQ(back.fonts[0].family, "Caf\u00e9 Sans Bold {x}");
}

TEST(RtfWriter, WritesTheControlWordsOtherProgramsUnderstand) {
    const std::string rtf = writeRtf(tally());
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi", 0), 0u) << rtf;
    for (const char* word :
         {"\\fonttbl", "\\fmodern", "\\fprq1", "Fixedsys", "\\colortbl;",
          "\\red255\\green0\\blue0;", "\\cf", "\\ul", "\\ulnone", "\\par", "\\fs18"}) {
        EXPECT_NE(rtf.find(word), std::string::npos) << word << " missing in\n" << rtf;
    }
}

TEST(RtfDocumentText, AppendedLinesConcatenate) {
    Document d;
    std::u16string expected;
    // Also the empty document: one empty paragraph, written and read back.
    EXPECT_EQ(readRtf(writeRtf(d)).paragraphs.size(), 1u);
    for (const char16_t* line : {u"QI 1\r\n", u"ZA 2\r\n", u"\r\n", u"BONUS 5\r\n"}) {
        std::u16string withoutCr = line;
        std::erase(withoutCr, u'\r');
        appendText(d, withoutCr);
        expected += line;
        EXPECT_EQ(plainText(d), expected);
        EXPECT_EQ(plainText(readRtf(writeRtf(d))), expected);
    }
}

TEST(RtfDocumentText, ConvertsBetweenUtf8AndUtf16) {
    EXPECT_EQ(utf16("a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80"), u"a\u00e9\u20ac\U0001f600");
    EXPECT_EQ(utf8(u"a\u00e9\u20ac\U0001f600"), "a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80");
    // Broken input becomes the replacement character instead of vanishing.
    EXPECT_EQ(utf16("\xc3(\xff\xe2\x82"), u"\ufffd(\ufffd\ufffd");
    EXPECT_EQ(utf16("\xc0\xaf"), u"\ufffd");  // an overlong '/'
    EXPECT_EQ(utf8(u"\xd800x"), "\xef\xbf\xbdx");
}

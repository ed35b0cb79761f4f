// The RTF reader on documents as word processors write them, and on input it
// must refuse.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "ui/rtf/rtfDocument.h"

using namespace quillbox::ui::rtf;
using namespace std::literals;

namespace {

std::u16string textOf(std::string_view rtf) {
    return plainText(readRtf(rtf));
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// The format of the character at a plain-text position.
Format formatAt(const Document& d, std::size_t position) {
    std::size_t at = 0;
    for (const Paragraph& p : d.paragraphs) {
        for (const Run& r : p.runs) {
            if (position < at + r.text.size())
                return r.format;
            at += r.text.size();
        }
        at += 2;
    }
    ADD_FAILURE() << "no character at " << position;
    return {};
}

std::size_t find(const Document& d, std::u16string_view what) {
    const auto at = plainText(d).find(what);
    EXPECT_NE(at, std::u16string::npos);
    return at;
}

}  // namespace

TEST(RtfReader, ReadsTheTextOfEachConstruct) {
    const struct {
        std::string_view rtf;
        std::u16string_view text;
    } cases[] = {
        // A paragraph mark separates paragraphs; each counts as CR LF.
        {R"({\rtf1 AB\par CD\par})", u"AB\r\nCD\r\n"},
        {R"({\rtf1 AB\par CD})", u"AB\r\nCD"},
        {R"({\rtf1 })", u""},
        // Line ends in the file are not text; a backslash before one is a paragraph mark.
        {"{\\rtf1 A\r\nB\\\r\nC}", u"AB\r\nC"},
        {R"({\rtf1 \\ \{x\} a\tab b\line c})", u"\\ {x} a\tb\u2028c"},
        // \'hh and raw 8-bit text are Windows-1252, where 0x80 is the euro sign.
        {R"({\rtf1\ansi caf\'e9 \'80\'96\'93})", u"caf\u00e9 \u20ac\u2013\u201c"},
        {"{\\rtf1 \xe9\x80}", u"\u00e9\u20ac"},
        {R"({\rtf1 \~\emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote})",
         u"\u00a0\u2014\u2013\u2022\u2018\u2019\u201c\u201d"},
        // The control word's delimiting space is not text; a second space is.
        {R"({\rtf1\b  bold})", u" bold"},
        // \u skips \uc fallback characters (default one) until a group boundary.
        {R"({\rtf1 \u945?\u946\'3f.})", u"\u03b1\u03b2."},
        {R"({\rtf1\uc2 \u945??x})", u"\u03b1x"},
        {R"({\rtf1\uc0 \u945?})", u"\u03b1?"},
        {R"({\rtf1 {\uc3 x}\u945?y})", u"x\u03b1y"},
        {R"({\rtf1\uc4 \u945{b}c})", u"\u03b1bc"},
        // Negative values stand for code units above 32767; pairs make one
        // character, a lone surrogate cannot stay.
        {R"({\rtf1 \u-3913?\u-10179?\u-8704?})", u"\uf0b7\U0001f600"},
        {R"({\rtf1 \u-10179?x})", u"\ufffdx"},
        // An escaped CR or LF must not pass for a paragraph end.
        {R"({\rtf1 a\'0d\'0ab\u13?\u10?c\u8233?d})", u"abc\r\nd"},
        // Whatever surrounds the document is not part of it.
        {"\xEF\xBB\xBF \r\n{\\rtf1 a}\r\n\0junk{"sv, u"a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(textOf(c.rtf), c.text) << c.rtf;
    EXPECT_EQ(readRtf(R"({\rtf1 AB\par CD\par})").paragraphs.size(), 3u);
}

// \'hh bytes and 8-bit text are in the code page of the current font's
// charset, else in the document's (\ansicpgN, \mac, \pc, \pca; Windows-1252
// when none is given or iconv does not know it).
TEST(RtfReader, DecodesBytesInTheirFontsOrTheDocumentsCodePage) {
    const struct {
        std::string_view rtf;
        std::u16string_view text;
    } cases[] = {
        {R"({\rtf1\ansi\ansicpg1251 \'cf\'f0\'e8\'e2\'e5\'f2})", u"Привет"},
        {R"({\rtf1\ansi{\fonttbl{\f0\fcharset204 Arial;}{\f1 Arial;}}\f0 \'cf\'f0{\f1 \'cf}})",
         u"ПрÏ"},
        // An ANSI font is Western whatever the document's code page.
        {R"({\rtf1\ansi\ansicpg1251{\fonttbl{\f0\fcharset0 Arial;}}\f0 \'cf\'f0})", u"Ïð"},
        {R"({\rtf1\ansi\deff0{\fonttbl{\f0\fcharset161 Tahoma;}}\'e1\'e2})", u"αβ"},
        {R"({\rtf1\mac \'8e\'d5})", u"é’"},
        {R"({\rtf1\pc \'82\'9c})", u"é£"},
        {R"({\rtf1\pca \'82\'d5})", u"éı"},
        {R"({\rtf1\ansi\ansicpg4242 \'e9\'80})", u"é€"},
        // Double-byte code pages: a lead byte takes the next byte, written as
        // \'hh or as a plain character; anything else cuts it short.
        {R"({\rtf1\ansi\ansicpg932 \'82\'a0\'83A\'83\\x})", u"あア\ufffd\\x"},
        {R"({\rtf1\ansi\ansicpg932 \'82{\'a0}})", u"\ufffd\u00a0"},
        {R"({\rtf1\ansi{\fonttbl{\f0\fcharset134 SimSun;}}\f0 \'d4\'e7\'c9\'cf})", u"早上"},
        {R"({\rtf1\ansi\ansicpg950 \'a4\'a4\'a4\'e5})", u"中文"},
        {R"({\rtf1\ansi\ansicpg949 \'c7\'d1\'b1\'db})", u"한글"},
        // \uc2 skips both bytes of a double-byte fallback.
        {R"({\rtf1\ansi\ansicpg932\uc2 \u26085\'93\'fa\u26412\'96\'7b.})", u"日本."},
        {"{\\rtf1\\ansi\\ansicpg1251 \xcf\xf0}", u"Пр"},
        // A symbol font's bytes go to the private area, as Windows maps them.
        {R"({\rtf1{\fonttbl{\f1\fcharset2 Symbol;}}{\f1 \'b7}})", u"\uf0b7"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(textOf(c.rtf), c.text) << c.rtf;
    // Font names are in their own charset too.
    const Document d =
        readRtf(R"({\rtf1{\fonttbl{\f0\fcharset128 \'82\'6c\'82\'72 \'96\'be\'92\'a9;}}\f0 x})");
    EXPECT_EQ(d.fonts.at(0).family, "ＭＳ 明朝");
}

TEST(RtfReader, ReadsBreaksListLabelsAndAlternativesAsOtherReadersDo) {
    const struct {
        std::string_view rtf;
        std::u16string_view text;
    } cases[] = {
        // Page, column and section breaks end the paragraph; \line breaks the
        // line inside it; soft breaks are layout, not text.
        {R"({\rtf1 a\page b\column c\sect d\line e\softline f\softpage g\softcol h})",
         u"a\r\nb\r\nc\r\nd\u2028ef"
         u"gh"},
        // List labels written out by the writer are part of the text.
        {R"({\rtf1{\listtext\pard\plain 1.\tab}One\par{\pntext\f0 \'b7\tab}Two})",
         u"1.\tOne\r\n\u00b7\tTwo"},
        // \upr holds an ANSI text and its Unicode alternative in \ud.
        {R"({\rtf1 {\upr{ansi}{\*\ud{\u945?}}} end})", u"\u03b1 end"},
        {R"({\rtf1 {\*\ud{hidden}}x})", u"x"},
        // A field shows its result; a MACROBUTTON without one shows its text.
        {R"({\rtf1 {\field{\*\fldinst HYPERLINK "x"}{\fldrslt shown}}.})", u"shown."},
        {R"({\rtf1 {\field{\*\fldinst  MACROBUTTON  None Enter text here }}.})",
         u"Enter text here."},
        {R"({\rtf1 {\field{\*\fldinst PAGE}}.{\field{\*\fldinst MACROBUTTON}}})", u"."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(textOf(c.rtf), c.text) << c.rtf;
}

TEST(RtfReader, SkipsDestinationsThatAreNotText) {
    const char* doc = R"({\rtf1\ansi{\fonttbl{\f0\fswiss Arial;}}
{\stylesheet{\s1 Heading;}}{\info{\title A title}{\author Someone}}
{\*\generator Some writer;}{\*\anythingNew {nested {deeper}} text}
{\header A header}{\footer A footer}{\pict\wmetafile8 0a0b0c0d}
{\field{\*\fldinst HYPERLINK "http://example.org"}{\fldrslt shown}}
{\v hidden} visible\bin3 {}}x}
)";
    EXPECT_EQ(textOf(doc), u"shown visiblex");
}

TEST(RtfReader, ReadsCharacterFormattingAndTheTables) {
    const char* doc =
        R"({\rtf1\ansi\deff1{\fonttbl{\f0\froman Times;}{\f1\fmodern\fprq1 Fixedsys{\*\falt DejaVu Sans Mono};})"
        R"({\f2\fswiss\fprq2 Arial;}}{\colortbl;\red255\green0\blue0;\red0\green128\blue0;})"
        R"(\pard\plain\fs18 plain {\b bold}{\i italic}{\ul under}{\cf1 red}{\cf2\ul green}{\f2\fs30 arial})"
        R"(\b b\b0 n\ul u\ul0 n\ulw w\ulnone n\cf9 none})";
    const Document d = readRtf(doc);
    ASSERT_EQ(d.fonts.size(), 3u);
    EXPECT_EQ(d.fonts[0], (Font{"Times", "", false}));
    EXPECT_EQ(d.fonts[1], (Font{"Fixedsys", "DejaVu Sans Mono", true}));
    EXPECT_EQ(d.fonts[2], (Font{"Arial", "", false}));

    const Format plain = formatAt(d, find(d, u"plain"));
    EXPECT_EQ(plain, (Format{false, false, false, std::nullopt, 1, 18}));  // \deff1
    EXPECT_TRUE(formatAt(d, find(d, u"bold")).bold);
    EXPECT_TRUE(formatAt(d, find(d, u"italic")).italic);
    EXPECT_TRUE(formatAt(d, find(d, u"under")).underline);
    EXPECT_EQ(formatAt(d, find(d, u"red")).color, (Color{255, 0, 0}));
    EXPECT_FALSE(formatAt(d, find(d, u"red")).underline);  // the group ended
    const Format green = formatAt(d, find(d, u"green"));
    EXPECT_EQ(green.color, (Color{0, 128, 0}));
    EXPECT_TRUE(green.underline);
    const Format arial = formatAt(d, find(d, u"arial"));
    EXPECT_EQ(arial.font, 2);
    EXPECT_EQ(arial.halfPoints, 30);
    // \b0, \ul0 and \ulnone end what \b, \ul and \ulw start.
    const std::size_t tail = find(d, u"bnunwn");
    std::string marks;
    for (std::size_t i = tail; i < tail + 6; ++i)
        marks += formatAt(d, i).bold ? 'b' : formatAt(d, i).underline ? 'u' : '.';
    EXPECT_EQ(marks, "b.u.u.");
    EXPECT_EQ(formatAt(d, find(d, u"none")).color, std::nullopt);  // no such entry
}

TEST(RtfReader, PlainResetsFormattingAndFontTablesNeedNoEntryGroups) {
    const Document d =
        readRtf(R"({\rtf1{\colortbl;\red1\green2\blue3;}\b\i\ul\cf1\fs40 a\plain b})");
    EXPECT_EQ(formatAt(d, 0), (Format{true, true, true, Color{1, 2, 3}, -1, 40}));
    EXPECT_EQ(formatAt(d, 1), Format{});

    const Document fonts = readRtf(R"({\rtf1{\fonttbl\f0\fnil Alpha;\f7\fmodern Beta}\f7 x})");
    ASSERT_EQ(fonts.fonts.size(), 2u);
    EXPECT_EQ(fonts.fonts[1], (Font{"Beta", "", true}));
    EXPECT_EQ(formatAt(fonts, 0).font, 1);
}

TEST(RtfReader, RefusesWhatIsNotAWholeRtfDocument) {
    for (std::string_view bad : {"", "   ", "hello", "{\\rtfx1 a}", "{\\rt", "{ \\rtf1 a}",
                                 "<html><body>{\\rtf1</body></html>"}) {
        EXPECT_THROW(readRtf(bad), RtfError) << bad;
    }
    for (std::string_view cut :
         {"{\\rtf1 abc", "{\\rtf1 {\\b abc}", "{\\rtf1 {abc}", "{\\rtf1 abc\\",
          "{\\rtf1 \\bin10 abc}", "{\\rtf1{\\fonttbl{\\f0 Arial;}"}) {
        EXPECT_THROW(readRtf(cut), RtfError) << cut;
    }
}

TEST(RtfReader, NestsAsDeepAsItsSizeAllowsAndNoDeeper) {
    // depth groups around "x", padded with text to the given size.
    auto nested = [](std::size_t depth, std::size_t size) {
        std::string body = std::string(depth - 1, '{') + "x" + std::string(depth, '}');
        return "{\\rtf1 " + std::string(size > body.size() + 7 ? size - body.size() - 7 : 0, 'a') +
               body;
    };
    EXPECT_EQ(plainText(readRtf(nested(256, 0))).back(), u'x');
    EXPECT_THROW(readRtf(nested(257, 0)), RtfError);
    // A mail program's 334 KB document nests 2,714 deep: one level per 32 bytes.
    EXPECT_EQ(plainText(readRtf(nested(2714, 334'000))).back(), u'x');
    EXPECT_EQ(plainText(readRtf(nested(10'000, 320'000))).back(), u'x');
    EXPECT_THROW(readRtf(nested(10'001, 320'000)), RtfError);
    // A million open braces: refused without exhausting any stack.
    EXPECT_THROW(readRtf("{\\rtf1 " + std::string(1'000'000, '{')), RtfError);
}

// Documents LibreOffice saved from our own text, next to the plain text that
// LibreOffice itself exports from them. A line break inside a paragraph is a
// line end in that export.
class LibreOfficeFixture : public ::testing::TestWithParam<const char*> {};

TEST_P(LibreOfficeFixture, ReadsToTheTextLibreOfficeExports) {
    const std::string base = std::string(QUILLBOX_RTF_FIXTURES) + "/" + GetParam();
    std::u16string text = plainText(readRtf(readFile(base + ".rtf")));
    std::u16string normalized;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue;
        normalized += text[i] == kLineBreak ? u'\n' : text[i];
    }
    EXPECT_EQ(utf8(normalized), readFile(base + ".txt"));
}

INSTANTIATE_TEST_SUITE_P(Fixtures, LibreOfficeFixture,
                         ::testing::Values("plainNotes", "styledTally"));

TEST(RtfReader, KeepsTheFormattingOfALibreOfficeDocument) {
    const Document d = readRtf(readFile(std::string(QUILLBOX_RTF_FIXTURES) + "/styledTally.rtf"));
    EXPECT_TRUE(formatAt(d, find(d, u"Tally sheet")).bold);
    EXPECT_FALSE(formatAt(d, find(d, u" of one")).bold);
    EXPECT_TRUE(formatAt(d, find(d, u"practice")).italic);
    const Format qat = formatAt(d, find(d, u"QAT"));
    EXPECT_EQ(qat.color, (Color{0, 128, 0}));
    ASSERT_GE(qat.font, 0);
    EXPECT_EQ(d.fonts[qat.font].family, "Liberation Mono");
    EXPECT_EQ(formatAt(d, find(d, u"XQ")).color, (Color{255, 0, 0}));
    const std::size_t za = find(d, u"ZA");
    EXPECT_FALSE(formatAt(d, za).underline);
    EXPECT_TRUE(formatAt(d, za + 1).underline);
    EXPECT_EQ(formatAt(d, za + 1).color, (Color{0, 0, 255}));
    EXPECT_GT(formatAt(d, find(d, u"Large")).halfPoints, formatAt(d, find(d, u"small")).halfPoints);
}

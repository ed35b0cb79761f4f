// The RTF reader and writer (plain C++): the text and formatting read from
// documents as programs write them, refusal of what is not RTF, and the
// writer's output read back unchanged.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "ui/rtf/rtfDocument.h"

using namespace quillbox::ui::rtf;
using namespace std::literals;

namespace {

struct TextCase {
    std::string_view rtf;
    std::u16string_view text;
};

void expectTexts(std::initializer_list<TextCase> cases) {
    for (const TextCase& c : cases)
        EXPECT_EQ(plainText(readRtf(c.rtf)), c.text)
            << ::testing::PrintToString(std::string(c.rtf));
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string fixture(const std::string& name) {
    return readFile(std::string(QUILLBOX_RTF_FIXTURES) + "/" + name);
}

// Every character with its format; a paragraph end is '\n' in the default format.
std::vector<std::pair<char16_t, Format>> characters(const Document& d) {
    std::vector<std::pair<char16_t, Format>> out;
    for (const Paragraph& p : d.paragraphs) {
        if (&p != &d.paragraphs.front())
            out.emplace_back(u'\n', Format{});
        for (const Run& r : p.runs) {
            for (const char16_t c : r.text)
                out.emplace_back(c, r.format);
        }
    }
    return out;
}

// The format of the character at offset in the first occurrence of what.
Format formatOf(const Document& d, std::u16string_view what, std::size_t offset = 0) {
    const auto chars = characters(d);
    std::u16string text;
    for (const auto& c : chars)
        text += c.first;
    const auto at = text.find(what);
    EXPECT_NE(at, std::u16string::npos) << utf8(what);
    return at == std::u16string::npos ? Format{} : chars[at + offset].second;
}

Format font(int font, int halfPoints) {
    Format f;
    f.font = font;
    f.halfPoints = halfPoints;
    return f;
}

}  // namespace

TEST(RtfReader, ReadsTheTextOfEachConstruct) {
    expectTexts({
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
    });
}

// \'hh bytes and 8-bit text are in the code page of the current font's
// charset, else in the document's (\ansicpgN, \mac, \pc, \pca; Windows-1252
// when none is given or iconv does not know it).
TEST(RtfReader, DecodesBytesInTheirFontsOrTheDocumentsCodePage) {
    expectTexts({
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
    });
    // Font names are in their own charset too.
    const Document d =
        readRtf(R"({\rtf1{\fonttbl{\f0\fcharset128 \'82\'6c\'82\'72 \'96\'be\'92\'a9;}}\f0 x})");
    EXPECT_EQ(d.fonts.at(0).family, "ＭＳ 明朝");
}

// Each font charset and code page that programs write, by a byte (or bytes)
// that reads differently in each; the document's own code page is 1251.
TEST(RtfReader, KnowsEveryCharsetAndCodePageProgramsWrite) {
    const struct {
        std::string_view declared;  // inside the font entry, or after \ansicpg
        std::string_view bytes;
        std::u16string_view text;
    } fonts[] =
        {
            {"\\fcharset0", "\\'e0", u"à"},         {"\\fcharset1", "\\'e0", u"а"},
            {"\\fcharset99", "\\'e0", u"а"},        {"\\fcharset77", "\\'e0", u"‡"},
            {"\\fcharset89", "\\'80", u"А"},        {"\\fcharset128", "\\'c1", u"ﾁ"},
            {"\\fcharset129", "\\'c7\\'d1", u"한"}, {"\\fcharset130", "\\'d0\\'65", u"한"},
            {"\\fcharset134", "\\'d6\\'d0", u"中"}, {"\\fcharset136", "\\'a4\\'a4", u"中"},
            {"\\fcharset161", "\\'e0", u"ΰ"},       {"\\fcharset162", "\\'d0", u"Ğ"},
            {"\\fcharset163", "\\'d0", u"Đ"},       {"\\fcharset177", "\\'e0", u"א"},
            {"\\fcharset178", "\\'e1", u"ل"},       {"\\fcharset186", "\\'e0", u"ą"},
            {"\\fcharset204", "\\'e0", u"а"},       {"\\fcharset222", "\\'e0", u"เ"},
            {"\\fcharset238", "\\'e0", u"ŕ"},       {"\\fcharset254", "\\'e0", u"α"},
            {"\\fcharset255", "\\'e0", u"Ó"},       {"\\fcharset204\\cpg1253", "\\'e0", u"ΰ"},
        },
      pages[] = {
          {"10007", "\\'80", u"А"},       {"20866", "\\'a4", u"╓"},
          {"21866", "\\'a4", u"є"},       {"51932", "\\'a4\\'a2", u"あ"},
          {"51936", "\\'d6\\'d0", u"中"}, {"51949", "\\'c7\\'d1", u"한"},
          {"54936", "\\'d6\\'d0", u"中"}, {"65001", "\\'c3\\'a9\\'e2\\'82\\'ac", u"é€"},
          {"28595", "\\'e0", u"р"},       {"28597", "\\'e0", u"ΰ"},
          {"1361", "\\'d0\\'65", u"한"},
      };
    for (const auto& c : fonts) {
        const std::string rtf = "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0" +
                                std::string(c.declared) + " x;}}\\f0 " + std::string(c.bytes) + "}";
        EXPECT_EQ(plainText(readRtf(rtf)), c.text) << rtf;
    }
    for (const auto& c : pages) {
        const std::string rtf =
            "{\\rtf1\\ansi\\ansicpg" + std::string(c.declared) + " " + std::string(c.bytes) + "}";
        EXPECT_EQ(plainText(readRtf(rtf)), c.text) << rtf;
    }
}

TEST(RtfReader, ReadsBreaksListLabelsAndAlternativesAsOtherReadersDo) {
    expectTexts({
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
    });
}

TEST(RtfReader, SkipsDestinationsThatAreNotText) {
    const char* doc = R"({\rtf1\ansi{\fonttbl{\f0\fswiss Arial;}}
{\stylesheet{\s1 Heading;}}{\info{\title A title}{\author Someone}}
{\*\generator Some writer;}{\*\anythingNew {nested {deeper}} text}
{\header A header}{\footer A footer}{\pict\wmetafile8 0a0b0c0d}
{\field{\*\fldinst HYPERLINK "http://example.org"}{\fldrslt shown}}
{\v hidden} visible\bin3 {}}x}
)";
    EXPECT_EQ(plainText(readRtf(doc)), u"shown visiblex");
}

TEST(RtfReader, ReadsCharacterFormattingAndTheTables) {
    const Document d = readRtf(
        R"({\rtf1\ansi\deff1{\fonttbl{\f0\froman Times;}{\f1\fmodern\fprq1 Fixedsys{\*\falt DejaVu Sans Mono};})"
        R"({\f2\fswiss\fprq2 Arial;}{\f3\fmodern\fprq2 Prop;}}{\colortbl;\red255\green0\blue0;\red0\green128\blue0;})"
        R"(\pard\plain\fs18 plain {\b bold}{\i italic}{\ul under}{\cf1 red}{\cf2\ulw green}{\f2\fs30 arial})"
        R"(\b b\b0 n\ul u\ul0 n\ulw w\ulnone n\cf9 none\fs99999 huge\plain\f3 reset})");
    EXPECT_EQ(d.fonts, (std::vector<Font>{{"Times", "", false},
                                          {"Fixedsys", "DejaVu Sans Mono", true},
                                          {"Arial", "", false},
                                          {"Prop", "", false}}));
    EXPECT_EQ(formatOf(d, u"plain"), font(1, 18));  // \deff1
    const struct {
        std::u16string_view text;
        bool bold, italic, underline;
        std::optional<Color> color;
    } styled[] = {
        {u"bold", true, false, false, {}},
        {u"italic", false, true, false, {}},
        {u"under", false, false, true, {}},
        {u"red", false, false, false, Color{255, 0, 0}},
        {u"green", false, false, true, Color{0, 128, 0}},
        {u"bn", true, false, false, {}},
        {u"nu", false, false, false, {}},
        {u"un", false, false, true, {}},
        {u"nw", false, false, false, {}},
        {u"wn", false, false, true, {}},
        {u"none", false, false, false, {}},
    };
    for (const auto& s : styled) {
        const Format f = formatOf(d, s.text);
        EXPECT_EQ(std::tie(f.bold, f.italic, f.underline, f.color),
                  std::tie(s.bold, s.italic, s.underline, s.color))
            << utf8(s.text);
    }
    EXPECT_EQ(formatOf(d, u"arial"), font(2, 30));
    EXPECT_EQ(formatOf(d, u"huge").halfPoints, 3276);
    EXPECT_EQ(formatOf(d, u"reset"), font(3, 0));
    // A font table need not put its entries in groups.
    const Document bare = readRtf(R"({\rtf1{\fonttbl\f0\fnil Alpha;\f7\fmodern Beta}\f7 x})");
    EXPECT_EQ(bare.fonts.at(1), (Font{"Beta", "", true}));
    EXPECT_EQ(formatOf(bare, u"x").font, 1);
    // \f without a number is font 0.
    const Document unnumbered = readRtf(R"({\rtf1{\fonttbl{\f Alpha;}{\f1 Beta;}}\f0 x})");
    EXPECT_EQ(unnumbered.fonts.at(formatOf(unnumbered, u"x").font).family, "Alpha");
}

TEST(RtfReader, RefusesWhatIsNotAWholeRtfDocument) {
    for (std::string_view bad :
         {""sv, "   "sv, "hello"sv, "{\\rtfx1 a}"sv, "{\\rt"sv, "{ \\rtf1 a}"sv,
          "<html><body>{\\rtf1</body></html>"sv, "{\\rtf1 abc"sv, "{\\rtf1 {\\b abc}"sv,
          "{\\rtf1 abc\\"sv, "{\\rtf1 \\bin10 abc}"sv, "{\\rtf1{\\fonttbl{\\f0 Arial;}"sv}) {
        EXPECT_THROW(readRtf(bad), RtfError) << bad;
    }
}

TEST(RtfReader, NestsAsDeepAsItsSizeAllowsAndNoDeeper) {
    // depth groups around "x", padded with text to the given size.
    auto nested = [](std::size_t depth, std::size_t size) {
        const std::string body = std::string(depth - 1, '{') + "x" + std::string(depth, '}');
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

// Documents LibreOffice saved from our own sources, next to the plain text
// LibreOffice itself exports from them (a line break is a line end there).
TEST(RtfReader, ReadsLibreOfficeDocumentsToTheTextLibreOfficeExports) {
    for (const std::string name : {"plainNotes", "styledTally"}) {
        std::u16string text = plainText(readRtf(fixture(name + ".rtf")));
        std::erase(text, u'\r');
        std::replace(text.begin(), text.end(), kLineBreak, u'\n');
        EXPECT_EQ(utf8(text), fixture(name + ".txt")) << name;
    }
    const Document d = readRtf(fixture("styledTally.rtf"));
    EXPECT_TRUE(formatOf(d, u"Tally sheet").bold);
    EXPECT_TRUE(formatOf(d, u"practice").italic);
    EXPECT_EQ(formatOf(d, u"QAT").color, (Color{0, 128, 0}));
    EXPECT_EQ(d.fonts.at(formatOf(d, u"QAT").font).family, "Liberation Mono");
    EXPECT_FALSE(formatOf(d, u"ZA").underline);
    EXPECT_TRUE(formatOf(d, u"ZA", 1).underline);  // a blank
    EXPECT_GT(formatOf(d, u"Large").halfPoints, formatOf(d, u"small").halfPoints);
}

// Whatever the reader reads, the writer writes in 7-bit RTF that reads back
// to the same characters, formats and fonts.
TEST(RtfWriter, WhatItWritesReadsBackCharacterForCharacter) {
    Document built;
    built.fonts = {{"Caf\u00e9 Sans; {x}", "DejaVu Sans Mono", true}, {"Arial", "", false}};
    Format big = font(0, 40);
    big.bold = big.italic = big.underline = true;
    big.color = Color{9, 8, 7};
    appendText(built, u"QAT         1\n", big);
    appendText(built, u"back\\slash {braces} tab\there\u2028caf\u00e9 \u20ac \U0001f600 \uffff\n",
               font(1, 0));
    appendText(built, u"\n  leading spaces", Format{});
    std::vector<Document> documents{built, Document{}, readRtf(fixture("styledTally.rtf")),
                                    readRtf(fixture("plainNotes.rtf"))};
    for (const auto c :
         {R"({\rtf1\ansi\ansicpg1251{\fonttbl{\f0\fcharset128 M;}} \'cf{\f0 \'82\'a0}})",
          R"({\rtf1{\colortbl;\red1\green2\blue3;}\cf1\b\i\ul\fs40 a\plain b})"})
        documents.push_back(readRtf(c));
    for (const Document& d : documents) {
        const std::string rtf = writeRtf(d);
        EXPECT_TRUE(std::all_of(rtf.begin(), rtf.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x80;
        })) << rtf;
        const Document back = readRtf(rtf);
        // A run without a font is written in the first.
        auto withFont = [&d](std::vector<std::pair<char16_t, Format>> chars) {
            for (auto& [c, f] : chars) {
                if (f.font < 0 && !d.fonts.empty())
                    f.font = 0;
            }
            return chars;
        };
        EXPECT_EQ(withFont(characters(back)), withFont(characters(d))) << rtf;
        ASSERT_EQ(back.fonts.size(), d.fonts.size());
        for (std::size_t i = 0; i < d.fonts.size(); ++i) {
            EXPECT_EQ(back.fonts[i].fixedPitch, d.fonts[i].fixedPitch);
            std::string family = d.fonts[i].family;
            std::erase(family, ';');  // a ';' would end the table entry
            EXPECT_EQ(back.fonts[i].family, family);
        }
    }
}

TEST(RtfWriter, WritesTheControlWordsOtherProgramsUnderstand) {
    Document d;
    d.fonts.push_back({"Fixedsys", "", true});
    Format red = font(0, 18);
    red.color = Color{255, 0, 0};
    Format underlined = red;
    underlined.underline = true;
    appendText(d, u"X", underlined);
    appendText(d, u"Q\n", red);
    const std::string rtf = writeRtf(d);
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi", 0), 0u) << rtf;
    for (const char* word :
         {"\\fonttbl{\\f0\\fmodern\\fprq1", "Fixedsys;", "\\colortbl;", "\\red255\\green0\\blue0;",
          "\\cf1", "\\ul", "\\ulnone", "\\par", "\\fs18"}) {
        EXPECT_NE(rtf.find(word), std::string::npos) << word << " missing in\n" << rtf;
    }
}

TEST(RtfDocumentText, ConvertsBetweenUtf8AndUtf16AndJoinsParagraphsWithCrLf) {
    EXPECT_EQ(utf16("a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80"), u"a\u00e9\u20ac\U0001f600");
    EXPECT_EQ(utf8(u"a\u00e9\u20ac\U0001f600"), "a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80");
    // Broken input becomes the replacement character instead of vanishing.
    EXPECT_EQ(utf16("\xc3(\xff\xe2\x82"), u"\ufffd(\ufffd\ufffd");
    EXPECT_EQ(utf16("\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80"), u"\ufffd\ufffd\ufffd");
    EXPECT_EQ(utf8(u"\xd800x"), "\xef\xbf\xbdx");
    EXPECT_EQ(utf8(u"\U00010000\U0010FFFF"), "\xf0\x90\x80\x80\xf4\x8f\xbf\xbf");  // pair edges
    Document d;
    std::u16string expected;
    for (const char16_t* line : {u"QI 1\r\n", u"\r\n", u"BONUS 5\r\n"}) {
        std::u16string withoutCr = line;
        std::erase(withoutCr, u'\r');
        appendText(d, withoutCr);
        expected += line;
        EXPECT_EQ(plainText(d), expected);
    }
    EXPECT_EQ(d.paragraphs.size(), 4u);
}

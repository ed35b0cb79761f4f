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

// A file of tests/ui/fixtures, or of the given folder.
std::string fixture(const std::string& name, const std::string& folder = QUILLBOX_RTF_FIXTURES) {
    std::ifstream in(folder + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return (std::ostringstream() << in.rdbuf()).str();
}

// Reads every document of a table in tests/data/ui (its first lines say how
// it is written) and compares the plain text with the table's.
void expectTableTexts(const std::string& table) {
    std::istringstream lines(fixture(table, QUILLBOX_TEST_DATA "/ui"));
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        if (++number, line.empty() || line[0] == '#')
            continue;
        const auto tab = line.rfind('\t');
        std::string utf8Text = line.substr(tab + 1);
        for (const auto& [mark, s] : {std::pair{"¶"s, "\r\n"s}, {"→"s, "\t"s}, {"↵"s, "\u2028"s}})
            for (auto at = utf8Text.find(mark); at != std::string::npos; at = utf8Text.find(mark))
                utf8Text.replace(at, mark.size(), s);
        std::u16string text = utf16(utf8Text);
        for (auto at = text.find(u"<U+"); at != std::u16string::npos; at = text.find(u"<U+"))
            text.replace(at, 8, 1, char16_t(std::stoul(utf8(text.substr(at + 3, 4)), nullptr, 16)));
        EXPECT_EQ(plainText(readRtf(line.substr(0, tab))), text)
            << table << ':' << number << ": " << line;
    }
    EXPECT_GT(number, 20) << table;
}

// Every character with its format, a paragraph end as CR LF in the default
// format: one for each character of plainText.
std::vector<std::pair<char16_t, Format>> characters(const Document& d) {
    std::vector<std::pair<char16_t, Format>> out;
    for (const Paragraph& p : d.paragraphs) {
        if (&p != &d.paragraphs.front())
            out.insert(out.end(), {{u'\r', Format{}}, {u'\n', Format{}}});
        for (const Run& r : p.runs)
            for (const char16_t c : r.text)
                out.emplace_back(c, r.format);
    }
    return out;
}

// The format of the character at offset in the first occurrence of what.
Format formatOf(const Document& d, std::u16string_view what, std::size_t offset = 0) {
    const auto at = plainText(d).find(what);
    EXPECT_NE(at, std::u16string::npos) << utf8(what);
    return at == std::u16string::npos ? Format{} : characters(d).at(at + offset).second;
}

Format font(int font, int halfPoints) {
    return {false, false, false, {}, font, halfPoints};
}

}  // namespace

TEST(RtfReader, ReadsTheTextOfEachConstruct) {
    expectTableTexts("rtfTexts.txt");
    // Line ends in the file are not text, nor a \u's fallback; a backslash before
    // one is a paragraph mark. Whatever surrounds the document is not part of it.
    EXPECT_EQ(plainText(readRtf("{\\rtf1 A\r\nB\\\r\nC\\u945\r\n?}")), u"AB\r\nC\u03b1");
    EXPECT_EQ(plainText(readRtf("\xEF\xBB\xBF \t\r\n{\\rtf1 a}\r\n\0junk{"sv)), u"a");
}

TEST(RtfReader, DecodesBytesInTheirFontsOrTheDocumentsCodePage) {
    expectTableTexts("rtfCodePages.txt");
    EXPECT_EQ(plainText(readRtf("{\\rtf1 \xe9\x80}")), u"\u00e9\u20ac");  // raw 8-bit text
    EXPECT_EQ(plainText(readRtf("{\\rtf1\\ansi\\ansicpg1251 \xcf\xf0}")), u"Пр");
    // Font names are in their own charset too, or in the document's.
    const Document d = readRtf(
        R"({\rtf1\ansicpg1251{\fonttbl{\f0\fcharset128 \'82\'6c\'82\'72 \'96\'be\'92\'a9;}{\f1 \'cf\u2047?\u2048?;}}})");
    EXPECT_EQ(d.fonts, (std::vector<Font>{{"ＭＳ 明朝", "", false}, {"П\u07ff\u0800", "", false}}));
}

TEST(RtfReader, ReadsCharacterFormattingAndTheTables) {
    const Document d = readRtf(
        R"({\rtf1\ansi\deff1{\fonttbl{\f0\froman Times;}{\f1\fmodern\fprq1 Fixedsys{\*\falt DejaVu Sans Mono;};})"
        R"({\f2\fswiss\fprq2 Arial;}{\f3\fmodern\fprq2 Prop;}}{\colortbl;\red255\green0\blue0;\red0\green128\blue0;})"
        R"(\pard\plain\fs18 plain {\b bold}{\i italic}{\ul under}{\cf1 red}{\cf2\ulw green}after{\f2\fs30 arial})"
        R"(\b b\b0 n\ul u\ul0 n\ulw w\ulnone n\cf2 k\cf9 none\fs0 zero\fs99999 huge\plain\f3 reset})");
    EXPECT_EQ(d.fonts, (std::vector<Font>{{"Times", "", false},
                                          {"Fixedsys", "DejaVu Sans Mono", true},
                                          {"Arial", "", false},
                                          {"Prop", "", false}}));
    EXPECT_EQ(formatOf(d, u"plain"), font(1, 18));  // \deff1
    // Each piece as bold, italic, underline (b, i, u or -), then its colour if it
    // has one (0xRRGGBB, written in decimal).
    std::string shown;
    for (const std::u16string_view s : {u"bold", u"italic", u"under", u"red", u"bn", u"green",
                                        u"nu", u"un", u"nw", u"wn", u"k", u"none", u"after"}) {
        const Format f = formatOf(d, s);
        const int rgb = f.color ? f.color->red << 16 | f.color->green << 8 | f.color->blue : -1;
        shown += utf8(s) + ':' + "-b"[f.bold] + "-i"[f.italic] + "-u"[f.underline] +
                 (rgb < 0 ? "" : " " + std::to_string(rgb)) + ", ";
    }
    EXPECT_EQ(shown,
              "bold:b--, italic:-i-, under:--u, red:--- 16711680, bn:b--, green:--u 32768, "
              "nu:---, un:--u, nw:---, wn:--u, k:--- 32768, none:---, after:---, ");
    EXPECT_EQ(formatOf(d, u"arial"), font(2, 30));
    EXPECT_EQ(formatOf(d, u"huge").halfPoints, 3276);
    EXPECT_EQ(formatOf(d, u"zero").halfPoints, 0);
    EXPECT_EQ(formatOf(d, u"reset"), font(3, 0));
    // A font table need not put its entries in groups (';' ends one); \f alone is font 0.
    const Document bare = readRtf(R"({\rtf1{\fonttbl\f0\fnil Alpha;x\f7\fmodern Beta}\f7 x})");
    EXPECT_EQ(bare.fonts, (std::vector<Font>{{"Alpha", "", false}, {"Beta", "", true}}));
    EXPECT_EQ(formatOf(bare, u"x").font, 1);
    const Document unnumbered = readRtf(R"({\rtf1{\fonttbl{\f Alpha;}{\f1 Beta;}}\f0 x})");
    EXPECT_EQ(unnumbered.fonts.at(formatOf(unnumbered, u"x").font).family, "Alpha");
    EXPECT_EQ(formatOf(readRtf(R"({\rtf1{\fonttbl{\f0 A;}{\f1 B;}}x\deff1 y})"), u"y").font, 1);
}

TEST(RtfReader, RefusesWhatIsNotAWholeRtfDocument) {
    for (std::string_view bad :
         {""sv, "   "sv, "hello"sv, "{\\rtfx1 a}"sv, "{\\rt"sv, "{ \\rtf1 a}"sv,
          "<html><body>{\\rtf1</body></html>"sv, "{\\rtf1 abc"sv, "{\\rtf1 {\\b abc}"sv,
          "{\\rtf1 abc\\"sv, "{\\rtf1 \\bin10 abc}"sv, "{\\rtf1{\\fonttbl{\\f0 Arial;}"sv})
        EXPECT_THROW(readRtf(bad), RtfError) << bad;
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

// Whatever the reader reads, the writer writes in 7-bit RTF, in the control
// words other programs understand, that reads back to the same characters,
// formats and fonts.
TEST(RtfWriter, WhatItWritesReadsBackCharacterForCharacter) {
    Document built;
    built.fonts = {{"Caf\u00e9 Sans; {x}", "DejaVu Sans Mono", true}, {"Arial", "", false}};
    Format big{true, true, true, Color{9, 8, 7}, 0, 40};
    appendText(built, u"QAT", big);
    big.underline = false;
    appendText(built, u"         1\n", big);
    appendText(built, u"back\\slash {braces} tab\there\u2028caf\u00e9 \u20ac \U0001f600 \uffff\n",
               font(1, 0));
    appendText(built, u"\n  leading spaces", font(2, 0));
    std::vector<Document> documents{built, Document{}, readRtf(fixture("styledTally.rtf")),
                                    readRtf(fixture("plainNotes.rtf"))};
    for (const auto c :
         {R"({\rtf1\ansi\ansicpg1251{\fonttbl{\f0\fcharset128 M;}} \'cf{\f0 \'82\'a0}})",
          R"({\rtf1{\colortbl;\red1}z\cf1\b\i\ul\fs40 a\plain b})"})
        documents.push_back(readRtf(c));
    for (const Document& d : documents) {
        const std::string rtf = writeRtf(d);
        EXPECT_TRUE(std::all_of(rtf.begin(), rtf.end(), [](char c) { return c > 0; })) << rtf;
        const Document back = readRtf(rtf);
        // A run without a valid font is written in the first.
        auto withFont = [&d](std::vector<std::pair<char16_t, Format>> chars) {
            for (auto& [c, f] : chars)
                f.font =
                    d.fonts.empty() || (f.font >= 0 && f.font < int(d.fonts.size())) ? f.font : 0;
            return chars;
        };
        EXPECT_EQ(withFont(characters(back)), withFont(characters(d))) << rtf;
        ASSERT_EQ(back.fonts.size(), d.fonts.size());
        for (std::size_t i = 0; i < d.fonts.size(); ++i) {
            std::string family = d.fonts[i].family;
            std::erase(family, ';');  // a ';' would end the table entry
            EXPECT_EQ(std::tie(back.fonts[i].family, back.fonts[i].fixedPitch),
                      std::tie(family, d.fonts[i].fixedPitch));
        }
    }
    // Word for word: the shortest switches, \plain to reach the default size.
    EXPECT_EQ(writeRtf(built) + writeRtf(documents.back()),
              fixture("rtfWritten.rtf", QUILLBOX_TEST_DATA "/ui"));
}

TEST(RtfDocumentText, ConvertsBetweenUtf8AndUtf16AndJoinsParagraphsWithCrLf) {
    // One of each length, and the first and last character of two UTF-16 units.
    EXPECT_EQ(utf16("a\xc3\xa9\xe2\x82\xac\xf0\x90\x80\x80\xf4\x8f\xbf\xbf"),
              u"a\u00e9\u20ac\U00010000\U0010FFFF");
    EXPECT_EQ(utf8(u"a\u00e9\u20ac\U00010000\U0010FFFF"),
              "a\xc3\xa9\xe2\x82\xac\xf0\x90\x80\x80\xf4\x8f\xbf\xbf");
    // Broken input becomes the replacement character instead of vanishing.
    EXPECT_EQ(utf16("\x80\xc3(\xc3\xa9\xa9\xff\xe2\x82"), u"\ufffd\ufffd(\u00e9\ufffd\ufffd\ufffd");
    EXPECT_EQ(utf16("\xc0\xaf\xed\xa0\x80\xed\xbf\xbf\xf4\x90\x80\x80"),
              u"\ufffd\ufffd\ufffd\ufffd");
    EXPECT_EQ(utf8(u"\xd800x"), "\xef\xbf\xbdx");
    Document d{{}, {}};  // no paragraph yet
    appendText(d, u"QI 1\n\nBONUS 5\n");
    EXPECT_EQ(plainText(d), u"QI 1\r\n\r\nBONUS 5\r\n");
    EXPECT_EQ(d.paragraphs.size(), 4u);
}

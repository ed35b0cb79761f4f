// The rich-text box as the windows use it: positions counted with CR LF,
// search, formatting that survives RTF, files, printing.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QClipboard>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <functional>

#include "ui/appearance.h"
#include "ui/richTextBox.h"
#include "ui/rtf/rtfDocument.h"

using quillbox::ui::RichTextBox;
using quillbox::ui::RichTextError;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

struct Styled {
    QChar c;
    QColor color;  // invalid: the box's own text colour
    bool underline;
    friend bool operator==(const Styled&, const Styled&) = default;
};

void PrintTo(const Styled& s, std::ostream* os) {
    *os << "U+" << std::hex << static_cast<int>(s.c.unicode()) << std::dec << ' '
        << (s.color.isValid() ? s.color.name().toStdString() : "auto")
        << (s.underline ? " underlined" : "");
}

// Every character of the document with its colour and underline; a paragraph
// end is '\n'.
std::vector<Styled> styledCharacters(const RichTextBox& box) {
    std::vector<Styled> out;
    for (QTextBlock b = box.document()->begin(); b.isValid(); b = b.next()) {
        if (b != box.document()->begin())
            out.push_back({u'\n', {}, false});
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            const QColor color =
                f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : QColor();
            for (const QChar c : it.fragment().text())
                out.push_back({c, color, f.fontUnderline()});
        }
    }
    return out;
}

// What the tally sheet does for each line: compose it in a hidden box, then
// insert the hidden box's RTF at the end of the target.
void appendLine(RichTextBox& target, RichTextBox& hidden, const QString& line, const QColor& color,
                int u1 = -1, int u2 = -1) {
    hidden.setText(line);
    for (int u : {u1, u2}) {
        if (u >= 0) {
            hidden.setSelStart(u);
            hidden.setSelLength(1);
            hidden.setSelUnderline(true);
        }
    }
    hidden.setSelStart(0);
    hidden.setSelLength(50000);
    hidden.setSelColor(color);
    target.setSelStart(50000);
    target.setSelText(hidden.textRTF());
    hidden.setTextRTF(QString());
}

class RichTextBoxTest : public ::testing::Test {
  protected:
    RichTextBoxTest() {
        const QFont fixed = quillbox::ui::classicFont(QStringLiteral("Fixedsys"), 9);
        box.setFont(fixed);
        hidden.setFont(fixed);
        box.resize(240, 120);
    }

    // A small tally sheet: three coloured lines, blanks underlined.
    void fillTally() {
        appendLine(box, hidden, QStringLiteral("QAT         1\r\n"), QColor(0, 128, 0));
        appendLine(box, hidden, QStringLiteral("ZAX         1\r\n"), QColor(0, 0, 255), 1, 2);
        appendLine(box, hidden, QStringLiteral("XQ         -1\r\n"), QColor(255, 0, 0), 0);
    }

    RichTextBox box;
    RichTextBox hidden;
};

}  // namespace

// --- positions ---------------------------------------------------------------

TEST_F(RichTextBoxTest, PositionsAndLengthsOutsideTheTextAreClamped) {
    box.setText(QString(40, u'W'));
    box.setSelStart(50000);
    EXPECT_EQ(box.selStart(), 40);
    EXPECT_EQ(box.selText(), QString());
    box.setSelStart(30);
    box.setSelLength(50000);
    EXPECT_EQ(box.selStart(), 30);
    EXPECT_EQ(box.selLength(), 10);
    box.setSelStart(-5);
    EXPECT_EQ(box.selStart(), 0);
}

TEST_F(RichTextBoxTest, EveryParagraphEndCountsAsCrLf) {
    box.setText(QStringLiteral("AB\r\nCD\r\n\r\nEF"));
    EXPECT_EQ(box.text(), QStringLiteral("AB\r\nCD\r\n\r\nEF"));
    EXPECT_EQ(box.textLength(), 12);
    EXPECT_EQ(box.document()->blockCount(), 4);
    box.setSelStart(10);
    box.setSelLength(50000);
    EXPECT_EQ(box.selText(), QStringLiteral("EF"));
    box.setSelStart(1);
    box.setSelLength(5);
    EXPECT_EQ(box.selText(), QStringLiteral("B\r\nCD"));
    EXPECT_EQ(box.selLength(), 5);
    // Lone CRs and LFs end paragraphs too and read back as CR LF.
    box.setText(QStringLiteral("a\nb\rc\vd"));
    EXPECT_EQ(box.text(), QStringLiteral("a\r\nb\r\nc\vd"));
    EXPECT_EQ(box.document()->blockCount(), 3);
}

TEST_F(RichTextBoxTest, APositionInsideCrLfMovesOutOfIt) {
    box.setText(QStringLiteral("AB\r\nCD"));
    box.setSelStart(3);  // between CR and LF
    EXPECT_EQ(box.selStart(), 2);
    box.setSelLength(1);  // a selection never splits the pair
    EXPECT_EQ(box.selText(), kCrLf);
    EXPECT_EQ(box.selLength(), 2);
    box.setSelStart(1);
    box.setSelLength(2);  // ends between CR and LF
    EXPECT_EQ(box.selText(), QStringLiteral("B\r\n"));
}

TEST_F(RichTextBoxTest, AppendedLinesMakeExactlyTheirConcatenation) {
    QString expected;
    const QStringList lines = {QStringLiteral("QAT         1\r\n"), QStringLiteral("\r\n"),
                               QStringLiteral("BONUS       5\r\n")};
    for (const QString& line : lines) {
        appendLine(box, hidden, line, QColor(0, 0, 255));
        expected += line;
        EXPECT_EQ(box.text(), expected);
        EXPECT_EQ(box.selStart(), expected.size());
        EXPECT_EQ(hidden.text(), QString());
    }
    // Plain insertions count the same way.
    RichTextBox plain;
    QString typed;
    for (const QString& line : lines) {
        plain.setSelStart(50000);
        plain.setSelText(line);
        typed += line;
        EXPECT_EQ(plain.text(), typed);
        EXPECT_EQ(plain.selStart(), typed.size());
    }
}

// --- find ----------------------------------------------------------------------

TEST_F(RichTextBoxTest, FindCountsCrLfAndHonoursStartEndSelectionAndCase) {
    // Positions count CR LF; the first empty line after the heading is LF CR.
    box.setText(QStringLiteral("INTRODUCTION\r\nSome text.\r\n\r\nSCORING\r\nScoring text"));
    EXPECT_EQ(box.find(QStringLiteral("SCORING"), -1, -1, true), 28);
    EXPECT_EQ(box.selText(), QStringLiteral("SCORING"));
    EXPECT_EQ(box.find(QStringLiteral("\n\r"), 12), 25);

    box.setText(QStringLiteral("ZA za ZA za"));
    // A miss keeps the selection.
    box.setSelStart(2);
    box.setSelLength(3);
    EXPECT_EQ(box.find(QStringLiteral("ZAX")), -1);
    EXPECT_EQ(box.find(QString()), -1);
    EXPECT_EQ(box.selStart(), 2);
    EXPECT_EQ(box.selLength(), 3);
    EXPECT_EQ(box.find(QStringLiteral("za"), 0, -1, true), 3);
    EXPECT_EQ(box.find(QStringLiteral("za"), 0), 0);            // any case
    EXPECT_EQ(box.find(QStringLiteral("ZA"), 1, -1, true), 6);  // start only: to the end
    EXPECT_EQ(box.find(QStringLiteral("ZA"), 1, 7, true), -1);  // must end before the end
    EXPECT_EQ(box.find(QStringLiteral("ZA"), 1, 8, true), 6);
    EXPECT_EQ(box.find(QStringLiteral("ZA"), 12), -1);  // start past the end
    // Neither start nor end: within the selection when there is one ...
    box.setSelStart(4);
    box.setSelLength(4);  // "a ZA"
    EXPECT_EQ(box.find(QStringLiteral("za")), 6);
    box.setSelStart(4);
    box.setSelLength(3);  // "a Z"
    EXPECT_EQ(box.find(QStringLiteral("za")), -1);
    // ... else everywhere.
    box.setSelStart(8);
    EXPECT_EQ(box.find(QStringLiteral("ZA"), -1, -1, true), 0);
    // End only: from the caret.
    box.setSelStart(1);
    EXPECT_EQ(box.find(QStringLiteral("ZA"), -1, 11, true), 6);
}

TEST_F(RichTextBoxTest, FindScrollsTheMatchIntoView) {
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QStringLiteral("line %1\r\n").arg(i);
    text += QStringLiteral("GREEK LETTERS");
    box.setText(text);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    EXPECT_EQ(box.verticalScrollBar()->value(), 0);
    const int p = box.find(QStringLiteral("GREEK LETTERS"), 0, -1, true);
    EXPECT_EQ(p, text.indexOf(QStringLiteral("GREEK")));
    EXPECT_GT(box.verticalScrollBar()->value(), 0);
    EXPECT_TRUE(box.viewport()->rect().contains(box.cursorRect().center()));
}

// --- formatting and RTF --------------------------------------------------------

TEST_F(RichTextBoxTest, TextColorsAndUnderlinesSurviveRtfAndFiles) {
    fillTally();
    EXPECT_EQ(box.text(), QStringLiteral("QAT         1\r\nZAX         1\r\nXQ         -1\r\n"));
    const std::vector<Styled> chars = styledCharacters(box);
    // Spot checks on what the appends did.
    EXPECT_EQ(chars[0], (Styled{u'Q', QColor(0, 128, 0), false}));
    const int za = box.text().indexOf(QStringLiteral("ZAX")) - 1;  // one LF fewer in the document
    EXPECT_EQ(chars[za], (Styled{u'Z', QColor(0, 0, 255), false}));
    EXPECT_EQ(chars[za + 1], (Styled{u'A', QColor(0, 0, 255), true}));
    EXPECT_EQ(chars[za + 2], (Styled{u'X', QColor(0, 0, 255), true}));
    EXPECT_FALSE(chars[za + 3].underline);

    RichTextBox copy;
    copy.setTextRTF(box.textRTF());
    EXPECT_EQ(copy.text(), box.text());
    EXPECT_EQ(styledCharacters(copy), chars);

    // Text beyond ASCII, in a file; the RTF itself stays 7-bit.
    box.setSelStart(50000);
    box.setSelText(QStringLiteral("caf\u00e9 \u20ac5 \u03b1\u03b2 \U0001f600\r\n\ttab\\{}"));
    for (const QChar c : box.textRTF())
        ASSERT_LT(c.unicode(), 0x80);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tally.rtf"));
    box.saveFile(path);
    copy.loadFile(path);
    EXPECT_EQ(copy.text(), box.text());
    EXPECT_EQ(styledCharacters(copy), styledCharacters(box));
    // Saving again replaces the file; an empty box saves a file without text.
    box.setText(QString());
    box.saveFile(path);
    copy.loadFile(path);
    EXPECT_EQ(copy.text(), QString());
}

TEST_F(RichTextBoxTest, WritesTheFixedPitchFontAndItsSize) {
    box.setText(QStringLiteral("TOTAL      12"));
    const quillbox::ui::rtf::Document written =
        quillbox::ui::rtf::readRtf(box.textRTF().toStdString());
    ASSERT_EQ(written.fonts.size(), 1u);
    // The face shown on screen (Fixedsys stands for a Debian monospace face).
    const QFontInfo shown(box.font());
    EXPECT_TRUE(shown.fixedPitch());
    EXPECT_EQ(written.fonts[0].family, shown.family().toStdString());
    EXPECT_TRUE(written.fonts[0].fixedPitch);
    ASSERT_EQ(written.paragraphs.size(), 1u);
    ASSERT_EQ(written.paragraphs[0].runs.size(), 1u);
    EXPECT_EQ(written.paragraphs[0].runs[0].format.halfPoints, 18);
}

TEST_F(RichTextBoxTest, SettingEmptyTextRemovesTheFormattingToo) {
    fillTally();
    box.setText(QString());
    box.setSelText(QStringLiteral("n"));
    EXPECT_EQ(styledCharacters(box), (std::vector<Styled>{{u'n', QColor(), false}}));
    box.setTextRTF(QStringLiteral("{\\rtf1{\\colortbl;\\red1\\green2\\blue3;}\\cf1\\ul x}"));
    box.setTextRTF(QString());
    EXPECT_EQ(box.text(), QString());
    box.setSelText(QStringLiteral("y"));
    EXPECT_EQ(styledCharacters(box), (std::vector<Styled>{{u'y', QColor(), false}}));
}

TEST_F(RichTextBoxTest, InsertsRtfWithItsFormattingAndPlainTextAsText) {
    box.setText(QStringLiteral("ab"));
    box.setSelStart(1);
    box.setSelText(
        QStringLiteral("{\\rtf1{\\colortbl;\\red200\\green0\\blue0;}\\cf1 X\\ul Y\\ulnone\\par}"));
    EXPECT_EQ(box.text(), QStringLiteral("aXY\r\nb"));
    EXPECT_EQ(box.selStart(), 5);
    const std::vector<Styled> chars = styledCharacters(box);
    EXPECT_EQ(chars[1], (Styled{u'X', QColor(200, 0, 0), false}));
    EXPECT_EQ(chars[2], (Styled{u'Y', QColor(200, 0, 0), true}));
    // Not RTF, or broken RTF: the text itself.
    box.setText(QString());
    box.setSelText(QStringLiteral("{\\rtf1 cut off"));
    EXPECT_EQ(box.text(), QStringLiteral("{\\rtf1 cut off"));
    box.setTextRTF(QStringLiteral("plain {words}"));
    EXPECT_EQ(box.text(), QStringLiteral("plain {words}"));
}

// --- filling in one piece -----------------------------------------------------------

namespace {

// A long list in the legal-play style, both as formatted text and as an RTF
// model: black lines with one or two letters underlined, every fifth line
// (with its paragraph end) in blue.
struct ListContent {
    quillbox::ui::FormattedText formatted;
    quillbox::ui::rtf::Document model;
};

ListContent listContent(int lines) {
    using quillbox::ui::rtf::Format;
    ListContent out;
    Format black;
    black.color = quillbox::ui::rtf::Color{0, 0, 0};
    Format blue = black;
    blue.color = quillbox::ui::rtf::Color{0, 0, 255};
    auto& f = out.formatted;
    f.baseFormat.setForeground(QColor(0, 0, 0));
    QTextCharFormat underlinedBlack = f.baseFormat;
    underlinedBlack.setFontUnderline(true);
    QTextCharFormat blueFormat;
    blueFormat.setForeground(QColor(0, 0, 255));
    QTextCharFormat underlinedBlue = blueFormat;
    underlinedBlue.setFontUnderline(true);
    f.formats = {underlinedBlack, blueFormat, underlinedBlue};

    for (int i = 0; i < lines; ++i) {
        const bool isBlue = i % 5 == 0;
        const Format& plain = isBlue ? blue : black;
        Format underlined = plain;
        underlined.underline = true;
        const QString line = QStringLiteral("%1 ZA QAT").arg(i, 4, 10, QChar(u'0'));
        std::vector<int> marks{i % 4};
        if (i % 2 == 0)
            marks.push_back(5 + i % 3);

        const auto start = static_cast<int>(f.text.size());
        f.text += line + u'\n';
        int from = 0;
        for (int m : marks) {
            if (isBlue && m > from)
                f.stretches.push_back({start + from, m - from, 1});
            f.stretches.push_back({start + m, 1, isBlue ? 2 : 0});
            from = m + 1;
        }
        if (isBlue)
            f.stretches.push_back({start + from, static_cast<int>(line.size()) + 1 - from, 1});

        const std::u16string text = line.toStdU16String();
        const std::u16string_view v(text);
        std::size_t at = 0;
        for (int m : marks) {
            const auto u = static_cast<std::size_t>(m);
            quillbox::ui::rtf::appendText(out.model, v.substr(at, u - at), plain);
            quillbox::ui::rtf::appendText(out.model, v.substr(u, 1), underlined);
            at = u + 1;
        }
        quillbox::ui::rtf::appendText(out.model, v.substr(at), plain);
        quillbox::ui::rtf::appendText(out.model, u"\n", plain);
    }
    return out;
}

}  // namespace

TEST_F(RichTextBoxTest, StretchesOutsideTheTextOrWithoutAFormatAreIgnored) {
    quillbox::ui::FormattedText content;
    content.text = QStringLiteral("QI ZA\n");
    QTextCharFormat underlined;
    underlined.setFontUnderline(true);
    content.formats = {underlined};
    content.stretches = {{3, 1, 0}, {0, 1, 0}, {5, 9, 0}, {-1, 2, 0}, {1, 1, 7}, {2, 0, 0}};
    box.setReadOnly(true);
    box.setFormattedText(content);
    EXPECT_EQ(box.text(), QStringLiteral("QI ZA\r\n"));
    box.textRTF();  // completes the formats
    std::vector<bool> marks;
    for (const Styled& c : styledCharacters(box))
        marks.push_back(c.underline);
    EXPECT_EQ(marks, (std::vector<bool>{true, false, false, true, false, false}));
}

// --- files -----------------------------------------------------------------------

TEST_F(RichTextBoxTest, FileErrorsAreReportedAndLoseNothing) {
    QTemporaryDir dir;
    box.setText(QStringLiteral("kept"));
    EXPECT_THROW(box.saveFile(dir.filePath(QStringLiteral("no/such/folder/x.rtf"))), RichTextError);
    EXPECT_THROW(box.saveFile(dir.path()), RichTextError);  // a folder, not a file
    EXPECT_THROW(box.loadFile(dir.filePath(QStringLiteral("missing.rtf"))), RichTextError);

    auto write = [&](const char* name, const QByteArray& bytes) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    };
    const QString notRtf = write("notes.rtf", "Just some words.\n");
    const QString cutOff = write("cut.rtf", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 The rules");
    for (const QString& path : {notRtf, cutOff}) {
        try {
            box.loadFile(path);
            ADD_FAILURE() << path.toStdString() << " was loaded";
        } catch (const RichTextError& e) {
            EXPECT_NE(std::string(e.what()).find(path.toStdString()), std::string::npos);
        }
        EXPECT_EQ(box.text(), QStringLiteral("kept"));
    }
    // The failed saves left nothing behind.
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("no"))));
}

// A FIFO, a device or a folder in place of the document is refused at once
// (opening a FIFO would block; a device may never end), content kept.
TEST_F(RichTextBoxTest, LoadsOnlyARegularFile) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo.rtf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString zero = dir.filePath(QStringLiteral("zero.rtf"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
    box.setText(QStringLiteral("kept"));
    for (const QString& path : {fifo, zero, QStringLiteral("/dev/null"), dir.path()}) {
        try {
            box.loadFile(path);
            ADD_FAILURE() << path.toStdString() << " was loaded";
        } catch (const RichTextError& e) {
            EXPECT_NE(std::string(e.what()).find("not a regular file"), std::string::npos)
                << e.what();
            EXPECT_NE(std::string(e.what()).find(path.toStdString()), std::string::npos);
        }
        EXPECT_EQ(box.text(), QStringLiteral("kept"));
    }
    // A regular file far larger than any document (sparse, so cheap to make).
    QFile huge(dir.filePath(QStringLiteral("huge.rtf")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(65LL << 20));
    huge.close();
    EXPECT_THROW(box.loadFile(huge.fileName()), RichTextError);
    EXPECT_EQ(box.text(), QStringLiteral("kept"));
}

// --- printing and mouse ------------------------------------------------------------

namespace {
// The text of a PDF as pdftotext sees it, one entry per non-empty line.
QStringList pdfLines(const QString& pdf) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    EXPECT_FALSE(tool.isEmpty()) << "pdftotext (poppler-utils) is needed; run scripts/setup --test";
    QProcess p;
    p.start(tool, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(60000));
    QStringList lines;
    for (QString line : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n')) {
        line = line.trimmed();
        line.remove(u'\f');
        if (!line.isEmpty())
            lines << line.simplified();
    }
    return lines;
}

QString printToPdf(const RichTextBox& box, const QTemporaryDir& dir, const QString& name) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = dir.filePath(name);
    printer.setOutputFileName(path);
    box.selPrint(printer);
    return path;
}
}  // namespace

TEST_F(RichTextBoxTest, PrintsTheSelectionOrElseEverything) {
    fillTally();
    QTemporaryDir dir;
    EXPECT_EQ(
        pdfLines(printToPdf(box, dir, QStringLiteral("all.pdf"))),
        (QStringList{QStringLiteral("QAT 1"), QStringLiteral("ZAX 1"), QStringLiteral("XQ -1")}));
    box.setSelStart(box.text().indexOf(QStringLiteral("ZAX")));
    box.setSelLength(3);
    EXPECT_EQ(pdfLines(printToPdf(box, dir, QStringLiteral("selection.pdf"))),
              QStringList{QStringLiteral("ZAX")});
    EXPECT_EQ(box.selText(), QStringLiteral("ZAX"));  // printing changes nothing
}

TEST_F(RichTextBoxTest, ReportsMouseUp) {
    box.setText(QStringLiteral("QI ZA"));
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QSignalSpy spy(&box, &RichTextBox::mouseUp);
    QTest::mousePress(box.viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(spy.count(), 0);
    QTest::mouseRelease(box.viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(spy.count(), 1);
}

// --- the fast fill -------------------------------------------------------------

// Every public operation gives the same result on a box filled the fast way
// (its formats deferred until something needs them) as on a box that read the
// same content as RTF. Each row starts from freshly filled boxes.
TEST(FilledTheFastWay, EveryOperationGivesWhatTheSameRtfGives) {
    using Operation = std::function<QString(RichTextBox&)>;
    auto select = [](RichTextBox& b, int from, int length) {
        b.setSelStart(from);
        b.setSelLength(length);
    };
    auto styles = [](RichTextBox& b) {
        QString out;
        for (const Styled& c : styledCharacters(b))
            out += QStringLiteral("%1%2%3|").arg(c.c).arg(c.color.name()).arg(c.underline);
        return out;
    };
    QTemporaryDir dir;
    const struct {
        const char* name;
        bool readOnly;
        Operation run;
    } rows[] = {
        {"text and length", true,
         [](RichTextBox& b) { return b.text() + QString::number(b.textLength()); }},
        {"find and the selection", true,
         [](RichTextBox& b) {
             const int p = b.find(QStringLiteral("0321 ZA"), 0, -1, true);
             return QStringLiteral("%1 %2 %3 ").arg(p).arg(b.selStart()).arg(b.selLength()) +
                    b.selText();
         }},
        {"textRTF", true, [](RichTextBox& b) { return b.textRTF(); }},
        {"document() formats", true, styles},
        {"saveFile", true,
         [&dir](RichTextBox& b) {
             const QString path = dir.filePath(QStringLiteral("saved.rtf"));
             b.saveFile(path);
             QFile f(path);
             EXPECT_TRUE(f.open(QIODevice::ReadOnly));
             return QString::fromLatin1(f.readAll());
         }},
        {"selPrint of a selection", true,
         [&dir, select](RichTextBox& b) {
             select(b, 2000, 300);
             return pdfLines(printToPdf(b, dir, QStringLiteral("selection.pdf"))).join(u'|');
         }},
        {"copied mime data", true,
         [select](RichTextBox& b) {
             select(b, 3000, 400);
             b.copy();
             const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
             return copied->html() + copied->text();
         }},
        {"setSelColor", true,
         [select](RichTextBox& b) {
             select(b, 1500, 200);
             b.setSelColor(Qt::red);
             return b.textRTF();
         }},
        {"setSelUnderline", true,
         [select](RichTextBox& b) {
             select(b, 1500, 200);
             b.setSelUnderline(true);
             return b.textRTF();
         }},
        {"setSelText with RTF", true,
         [](RichTextBox& b) {
             b.setSelStart(30);
             b.setSelText(QStringLiteral("{\\rtf1 \\ul new\\ulnone  words}"));
             return b.textRTF();
         }},
        {"typing once editable", true,
         [](RichTextBox& b) {
             b.setReadOnly(false);
             b.setSelStart(b.text().indexOf(QStringLiteral("0250")));
             QTest::keyClicks(&b, QStringLiteral("typed"));
             QTest::keyClick(&b, Qt::Key_Return);
             return b.textRTF();
         }},
        {"typing into a box filled while editable", false,
         [](RichTextBox& b) {
             b.setSelStart(b.text().indexOf(QStringLiteral("0250")));
             QTest::keyClicks(&b, QStringLiteral("typed"));
             return b.textRTF();
         }},
        {"painted view, scrolled", true,
         [](RichTextBox& b) {
             b.show();
             EXPECT_TRUE(QTest::qWaitForWindowExposed(&b));
             QStringList views;
             for (int line : {0, 1, 300, 399, 120}) {
                 b.verticalScrollBar()->setValue(line);
                 const QImage view = b.viewport()->grab().toImage();
                 views << QString::fromLatin1(
                     QCryptographicHash::hash(QByteArrayView(view.constBits(), view.sizeInBytes()),
                                              QCryptographicHash::Sha1)
                         .toHex());
             }
             return views.join(u' ');
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        RichTextBox fast;
        RichTextBox reference;
        ListContent content = listContent(400);
        for (RichTextBox* b : {&fast, &reference}) {
            b->setFont(quillbox::ui::classicFont(QStringLiteral("Fixedsys"), 9));
            b->resize(240, 120);
            b->setReadOnly(row.readOnly);
        }
        fast.setFormattedText(std::move(content.formatted));
        reference.setTextRTF(QString::fromLatin1(quillbox::ui::rtf::writeRtf(content.model)));
        EXPECT_EQ(row.run(fast), row.run(reference));
    }
}

// The rich-text box as the windows use it: positions counted with CR LF,
// search, formatting that survives RTF and files, printing, the fast fill.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QClipboard>
#include <QCryptographicHash>
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <functional>

#include "support/dataTable.h"
#include "ui/appearance.h"
#include "ui/richTextBox.h"
#include "ui/rtf/rtfDocument.h"

using quillbox::ui::RichTextBox;

namespace {

// Every character of the document as "c#rrggbb" or "c_" (no colour of its
// own), with "u" for underlined; a paragraph end is '\n'.
QStringList styled(const RichTextBox& box) {
    QStringList out;
    for (QTextBlock b = box.document()->begin(); b.isValid(); b = b.next()) {
        if (b != box.document()->begin())
            out << "\n";
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            const QString color =
                f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color().name() : "_";
            for (const QChar c : it.fragment().text())
                out << c + color + (f.fontUnderline() ? "u" : QString());
        }
    }
    return out;
}

void select(RichTextBox& box, int from, int length) {
    box.setSelStart(from);
    box.setSelLength(length);
}

// What the tally sheet does for each line: compose it in a hidden box,
// underline its blanks, colour it, then insert its RTF at the end.
void appendLine(RichTextBox& target, const QString& line, const QColor& color,
                std::initializer_list<int> blanks = {}) {
    RichTextBox hidden;
    hidden.setText(line);
    for (int u : blanks) {
        select(hidden, u, 1);
        hidden.setSelUnderline(true);
    }
    select(hidden, 0, 50000);
    hidden.setSelColor(color);
    target.setSelStart(50000);
    target.setSelText(hidden.textRTF());
}

void fillTally(RichTextBox& box) {
    appendLine(box, "QAT         1\r\n", QColor(0, 128, 0));
    appendLine(box, "ZAX         1\r\n", QColor(0, 0, 255), {1, 2});
    appendLine(box, "XQ         -1\r\n", QColor(255, 0, 0), {0});
}

// What the box prints, one entry per non-empty line as pdftotext reads it.
QStringList printed(const RichTextBox& box) {
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(dir.filePath("printed.pdf"));
    box.selPrint(printer);
    QProcess p;
    p.start("pdftotext", {"-layout", printer.outputFileName(), "-"});
    EXPECT_TRUE(p.waitForFinished(60000)) << "pdftotext (poppler-utils) is needed";
    QStringList lines;
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n'))
        if (const QString s = QString(line).remove(u'\f').simplified(); !s.isEmpty())
            lines << s;
    return lines;
}

// A list in the legal-play style, as RTF and as text for the fast fill: black
// lines with one or two letters underlined, every fifth line (its paragraph
// end included) in blue.
std::pair<QString, quillbox::ui::FormattedText> listOf(int lines) {
    QString rtf = "{\\rtf1{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;}";
    quillbox::ui::FormattedText fast{{}, {}, {{}, {}, {}}, {}};  // underlined, blue, both
    fast.baseFormat.setForeground(QColor(Qt::black));
    fast.formats[0] = fast.baseFormat;
    fast.formats[0].setFontUnderline(true);
    fast.formats[1].setForeground(QColor(Qt::blue));
    fast.formats[2] = fast.formats[0];
    fast.formats[2].merge(fast.formats[1]);
    for (int i = 0; i < lines; ++i) {
        const QString line = QString("%1 ZA QAT\n").arg(i, 4, 10, QChar(u'0'));
        rtf += i % 5 == 0 ? "\\cf2 " : "\\cf1 ";
        for (int k = 0; k < line.size(); ++k) {
            const bool under = k == i % 4 || (i % 2 == 0 && k == 5 + i % 3);
            rtf += line[k] == u'\n' ? "\\par "
                   : under          ? QString("{\\ul %1}").arg(line[k])
                                    : QString(line[k]);
            const int format = (under ? 1 : 0) + (i % 5 == 0 ? 2 : 0) - 1;
            const int at = static_cast<int>(fast.text.size());
            fast.text += line[k];
            if (auto& s = fast.stretches; !s.empty() && s.back().position + s.back().length == at &&
                                          s.back().format == format)
                ++s.back().length;
            else if (format >= 0)
                s.push_back({at, 1, format});
        }
    }
    return {rtf + u'}', fast};
}

class RichText : public ::testing::Test {
  protected:
    RichText() {
        box.setFont(quillbox::ui::classicFont("Fixedsys", 9));
        box.resize(240, 120);
    }
    // A table row's first fields: the text, then the selection's start and length.
    void fillAndSelect(const QStringList& row) {
        box.setText(row[0]);
        select(box, row[1].toInt(), row[2].toInt());
    }
    RichTextBox box;
};

}  // namespace

TEST_F(RichText, CountsEveryParagraphEndAsCrLfAndClampsPositions) {
    for (const QStringList& c : quillbox::testing::dataTable("ui/boxPositions.txt")) {
        SCOPED_TRACE(c.join(" | ").toStdString());
        fillAndSelect(c);
        EXPECT_EQ(QStringList({QString::number(box.selStart()), box.selText()}), c.mid(3));
        EXPECT_EQ(box.selLength(), c[4].size());
    }
    EXPECT_EQ(box.text() + QString::number(box.textLength()), "AB\r\nCD6");
}

TEST_F(RichText, FindsWithinStartEndOrTheSelectionAndSelectsTheMatch) {
    for (const QStringList& c : quillbox::testing::dataTable("ui/boxFind.txt")) {
        SCOPED_TRACE(c.join(" | ").toStdString());
        fillAndSelect(c);
        const int found = box.find(c[3], c[4].toInt(), c[5].toInt(), c[6] == "1");
        EXPECT_EQ(QStringList({QString::number(found), QString::number(box.selStart()),
                               QString::number(box.selLength())}),
                  c.mid(7));
    }
}

TEST_F(RichText, ColoredLinesAppendToExactlyTheirTextAndSurviveRtfAndFiles) {
    fillTally(box);
    EXPECT_EQ(box.text(), "QAT         1\r\nZAX         1\r\nXQ         -1\r\n");
    EXPECT_EQ(box.selStart(), box.textLength());
    const QStringList chars = styled(box);
    EXPECT_EQ(chars.mid(13, 5),
              (QStringList{"\n", "Z#0000ff", "A#0000ffu", "X#0000ffu", " #0000ff"}));
    EXPECT_EQ(chars.mid(27, 3), (QStringList{"\n", "X#ff0000u", "Q#ff0000"}));
    RichTextBox copy;
    copy.setTextRTF(box.textRTF());
    EXPECT_EQ(styled(copy), chars);
    QTemporaryDir dir;
    const QString path = dir.filePath("tally.rtf");
    box.saveFile(path);
    copy.loadFile(path);
    EXPECT_EQ(std::pair(copy.text(), styled(copy)), std::pair(box.text(), chars));
    // Saving again replaces the file; an empty box saves a file without text.
    box.setText(QString());
    box.saveFile(path);
    copy.loadFile(path);
    EXPECT_EQ(copy.text(), QString());
}

TEST_F(RichText, WritesTheFontShownWithItsPitchAndSize) {
    QFont pixels = quillbox::ui::classicFont("Arial", 10);
    pixels.setPixelSize(12);  // 96 pixels to the inch: 9 points
    for (const auto& [font, fixedPitch] : {std::pair{box.font(), true}, {pixels, false}}) {
        box.setFont(font);
        box.setText("TOTAL      12");
        const auto written = quillbox::ui::rtf::readRtf(box.textRTF().toStdString());
        // The face shown (Fixedsys and Arial stand for Debian faces), at 9 points.
        const std::string shown = QFontInfo(font).family().toStdString();
        EXPECT_EQ(written.fonts, (std::vector<quillbox::ui::rtf::Font>{{shown, "", fixedPitch}}));
        EXPECT_EQ(written.paragraphs.at(0).runs.at(0).format.halfPoints, 18);
    }
}

TEST_F(RichText, EmptyingTheBoxRemovesTheFormattingToo) {
    for (const bool asRtf : {false, true}) {
        fillTally(box);
        asRtf ? box.setTextRTF(QString()) : box.setText(QString());
        EXPECT_EQ(box.text(), QString());
        box.setSelText("n");
        EXPECT_EQ(styled(box), QStringList{"n_"});
    }
    EXPECT_EQ(box.findChildren<QTextDocument*>().size(), 1);  // refilling leaves no old content
}

TEST_F(RichText, FillingTheFastWayDropsStretchesOutsideTheTextOrWithAnUnknownFormat) {
    QTextCharFormat under;
    under.setFontUnderline(true);
    box.setFormattedText(
        {"abcd",
         {},
         {under},
         {{-1, 2, 0}, {0, 1, 0}, {1, 0, 0}, {2, 1, 1}, {2, 1, -1}, {3, 1, 0}, {3, 2, 0}}});
    EXPECT_EQ(styled(box), (QStringList{"a_u", "b_", "c_", "d_u"}));
}

TEST_F(RichText, InsertsRtfWithItsFormattingAndAnythingElseAsText) {
    box.setText("ab");
    box.setSelStart(1);
    box.setSelText("{\\rtf1{\\colortbl;\\red200\\green0\\blue0;}\\cf1 X\\ul Y\\ulnone\\par}");
    EXPECT_EQ(box.text(), "aXY\r\nb");
    EXPECT_EQ(box.selStart(), 5);
    EXPECT_EQ(styled(box).mid(1, 2), (QStringList{"X#c80000", "Y#c80000u"}));
    // Without a selection a format applies to what is inserted next.
    box.setSelColor(QColor(0, 0, 255));
    box.setSelUnderline(true);
    box.setSelText("Z");
    EXPECT_EQ(styled(box).at(4), "Z#0000ffu");
    // Characters beyond ASCII in an RTF string, and blanks before it.
    box.setSelText(QStringLiteral(" \r\n{\\rtf1 \u0080\u00e9\U0001F600\uFDD0}"));
    EXPECT_EQ(box.text().mid(6, 6), QStringLiteral("\u0080\u00e9\U0001F600\uFFFDb"));
    // Not RTF, or broken RTF: the text itself.
    for (const char* s : {"{\\rtf1 cut off", "plain {words}"}) {
        box.setTextRTF(s);
        EXPECT_EQ(box.text(), s);
        box.setText(QString());
        box.setSelText(s);
        EXPECT_EQ(box.text(), s);
    }
    // Replacing the whole content is not an edit to undo; typing is.
    box.setText(QStringLiteral("\uFDD0"));
    EXPECT_EQ(box.text(), QStringLiteral("\uFFFD"));  // Qt's frame markers are not text
    EXPECT_FALSE(box.document()->isUndoAvailable());
    box.setSelText("x");
    box.undo();
    EXPECT_EQ(box.text(), QStringLiteral("\uFFFD"));
}

TEST_F(RichText, FileErrorsNameTheFileAndTheReasonAndLoseNothing) {
    QTemporaryDir dir;
    QFile huge(dir.filePath("huge.rtf")), most(dir.filePath("most.rtf")),
        text(dir.filePath("notes.rtf"));
    // Sparse, so cheap to make: one byte over the limit, and the limit itself.
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize((64LL << 20) + 1) &&
                most.open(QIODevice::WriteOnly) && most.resize(64LL << 20) &&
                text.open(QIODevice::WriteOnly) && text.write("Just some words.\n") > 0);
    // Opening a FIFO would block, a device may never end: refused at once.
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo.rtf")).constData(), 0600), 0);
    box.setText("kept");
    for (const QStringList& c : quillbox::testing::dataTable("ui/boxFileErrors.txt")) {
        const std::string path = dir.filePath(c[0]).toStdString();
        try {
            c[1] == "save" ? box.saveFile(dir.filePath(c[0])) : box.loadFile(dir.filePath(c[0]));
            ADD_FAILURE() << path << " did not fail";
        } catch (const quillbox::ui::RichTextError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(path, 0), 0u) << e.what();
            EXPECT_NE(std::string(e.what()).find(c[2].toStdString()), std::string::npos)
                << e.what();
        }
        EXPECT_EQ(box.text(), "kept");
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("no")));
}

TEST_F(RichText, PrintsTheSelectionOrElseEverything) {
    fillTally(box);
    EXPECT_EQ(printed(box), (QStringList{"QAT 1", "ZAX 1", "XQ -1"}));
    select(box, box.text().indexOf("ZAX"), 3);
    EXPECT_EQ(printed(box), QStringList{"ZAX"});
    EXPECT_EQ(box.selText(), "ZAX");  // printing changes nothing
}

// Every public operation gives the same result, and leaves the same content,
// on a box filled the fast way (its formats deferred until something needs
// them) as on a box that read the same content as RTF. Each row starts from
// freshly filled boxes.
TEST(FilledTheFastWay, EveryOperationGivesWhatTheSameRtfGives) {
    auto type = [](RichTextBox& b, const char* at, const char* keys) {
        b.setSelStart(b.text().indexOf(QString::fromLatin1(at)));
        QTest::keyClicks(&b, QString::fromLatin1(keys));
    };
    QTemporaryDir dir;
    const struct {
        const char* name;
        bool readOnly;
        std::function<QString(RichTextBox&)> run;
    } rows[] = {
        {"text, length, find, then document() formats", true,
         [](RichTextBox& b) {
             return b.text() + QString::number(b.textLength()) +
                    QString::number(b.find("0321 ZA", 0, -1, true)) + b.selText() +
                    styled(b).join(u'|');
         }},
        {"saveFile", true,
         [&dir](RichTextBox& b) {
             QFile f(dir.filePath("saved.rtf"));
             b.saveFile(f.fileName());
             EXPECT_TRUE(f.open(QIODevice::ReadOnly));
             return QString::fromLatin1(f.readAll());
         }},
        {"selPrint of a selection", true,
         [&](RichTextBox& b) {
             select(b, 2000, 300);
             return printed(b).join(u'|');
         }},
        {"copied mime data", true,
         [&](RichTextBox& b) {
             select(b, 3000, 400);
             b.copy();
             const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
             return copied->html() + copied->text();
         }},
        {"setSelColor, setSelUnderline and setSelText with RTF", true,
         [&](RichTextBox& b) {
             select(b, 1500, 200);
             b.setSelColor(Qt::red);
             b.setSelUnderline(true);
             b.setSelStart(30);
             b.setSelText("{\\rtf1 \\ul new\\ulnone  words}");
             return QString();
         }},
        {"typing once editable", true,
         [&](RichTextBox& b) {
             b.setReadOnly(false);
             type(b, "0250", "typed");
             QTest::keyClick(&b, Qt::Key_Return);
             return QString();
         }},
        {"typing, then undoing it", true,
         [&](RichTextBox& b) {
             b.setReadOnly(false);
             type(b, "0001", "xy");
             b.undo();
             return b.text().left(30);
         }},
        {"typing into a box filled while editable", false,
         [&](RichTextBox& b) {
             type(b, "0250", "typed");
             return QString();
         }},
        {"painted view, scrolled", true,
         [](RichTextBox& b) {
             b.show();
             EXPECT_TRUE(QTest::qWaitForWindowExposed(&b));
             QByteArray views;
             for (int line : {0, 1, 300, 399, 120}) {
                 b.verticalScrollBar()->setValue(line);
                 const QImage view = b.viewport()->grab().toImage();
                 views +=
                     QCryptographicHash::hash(QByteArrayView(view.constBits(), view.sizeInBytes()),
                                              QCryptographicHash::Sha1);
             }
             return QString::fromLatin1(views.toHex());
         }},
    };
    const auto [rtfList, formatted] = listOf(400);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        RichTextBox fast, reference;
        for (RichTextBox* b : {&fast, &reference}) {
            b->setFont(quillbox::ui::classicFont("Fixedsys", 9));
            b->resize(240, 120);
            b->setReadOnly(row.readOnly);
        }
        fast.setFormattedText(formatted);
        reference.setTextRTF(rtfList);
        // What the operation gives, then the content it leaves, as RTF (in this
        // order: asking for the RTF first would format everything beforehand).
        const auto outcome = [&](RichTextBox& b) {
            const QString given = row.run(b);
            return given + b.textRTF();
        };
        EXPECT_EQ(outcome(fast), outcome(reference));
    }
}

// The RTF files the box saves, opened by a real word processor (LibreOffice,
// run headless): the same text, colours, underlines and fixed-pitch font.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "ui/appearance.h"
#include "ui/richTextBox.h"
#include "ui/rtf/rtfDocument.h"

using quillbox::ui::RichTextBox;
namespace rtf = quillbox::ui::rtf;

namespace {

class OfficeRoundTrip : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(work.isValid());
        box.setFont(quillbox::ui::classicFont(QStringLiteral("Fixedsys"), 9));
        // A tally sheet with a word of every colour, blanks underlined, and
        // text that needs escaping.
        addLine(QStringLiteral("QAT         1\r\n"), QColor(0, 128, 0), {});
        addLine(QStringLiteral("ZAX         1\r\n"), QColor(0, 0, 255), {1, 2});
        addLine(QStringLiteral("XQ         -1\r\n"), QColor(255, 0, 0), {0});
        addLine(QStringLiteral("caf\u00e9 \u20ac5 \u03b1\u03b2 {x} a\\b\ttab\r\n"), QColor(), {});
        addLine(QStringLiteral("TOTAL       1\r\n"), QColor(0, 0, 0), {});
        saved = work.filePath(QStringLiteral("tally.rtf"));
        box.saveFile(saved);
    }

    void addLine(const QString& line, const QColor& color, std::vector<int> underlined) {
        const int start = box.textLength();
        box.setSelStart(start);
        box.setSelText(line);
        for (int u : underlined) {
            box.setSelStart(start + u);
            box.setSelLength(1);
            box.setSelUnderline(true);
        }
        if (color.isValid()) {
            box.setSelStart(start);
            box.setSelLength(static_cast<int>(line.size()));
            box.setSelColor(color);
        }
        box.setSelStart(50000);
    }

    // LibreOffice saves what it read from our file as RTF again; returns that file.
    QString resaveWithLibreOffice() {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        EXPECT_FALSE(soffice.isEmpty())
            << "LibreOffice (soffice) is needed; run scripts/setup --test";
        if (soffice.isEmpty())
            return {};
        const QString out = work.filePath(QStringLiteral("out"));
        QProcess p;
        // A private profile and home, so it runs beside other instances and as root.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), work.path());
        p.setProcessEnvironment(env);
        p.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + work.path() +
                              QStringLiteral("/profile"),
                          QStringLiteral("--headless"), QStringLiteral("--norestore"),
                          QStringLiteral("--convert-to"), QStringLiteral("rtf"),
                          QStringLiteral("--outdir"), out, saved});
        EXPECT_TRUE(p.waitForFinished(300000)) << "LibreOffice did not finish";
        const QString converted = out + QStringLiteral("/tally.rtf");
        EXPECT_TRUE(QFile::exists(converted))
            << "LibreOffice made no file: " << p.readAllStandardError().toStdString();
        return converted;
    }

    QTemporaryDir work;
    RichTextBox box;
    QString saved;
};

QByteArray contents(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

}  // namespace

// Our reader shows what LibreOffice understood of our file: the text (so every
// escape was read right), and per character the colour, underline and font.
TEST_F(OfficeRoundTrip, LibreOfficeKeepsTextColorsUnderlinesAndTheFixedPitchFont) {
    const QString resaved = resaveWithLibreOffice();
    const rtf::Document theirs = rtf::readRtf(contents(resaved).toStdString());
    const rtf::Document ours = rtf::readRtf(contents(saved).toStdString());
    ASSERT_EQ(rtf::plainText(theirs), rtf::plainText(ours));
    ASSERT_EQ(rtf::plainText(ours), box.text().toStdU16String());

    auto perCharacter = [](const rtf::Document& d) {
        std::vector<std::tuple<std::optional<rtf::Color>, bool, std::string>> out;
        for (const rtf::Paragraph& p : d.paragraphs) {
            for (const rtf::Run& r : p.runs) {
                const std::string family = r.format.font >= 0 ? d.fonts[r.format.font].family : "";
                // Black written explicitly and the automatic colour look alike.
                auto color = r.format.color;
                if (color == rtf::Color{0, 0, 0})
                    color.reset();
                for (std::size_t i = 0; i < r.text.size(); ++i) {
                    out.emplace_back(color, r.format.underline, family);
                }
            }
        }
        return out;
    };
    const auto expected = perCharacter(ours);
    const auto actual = perCharacter(theirs);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(actual[i], expected[i]) << "character " << i;
    }
    // The family both agree on is a fixed-pitch face, so the columns line up.
    const QString family = QString::fromStdString(std::get<2>(expected.front()));
    ASSERT_FALSE(family.isEmpty());
    QFont font(family);
    font.setStyleHint(QFont::AnyStyle, QFont::NoFontMerging);
    EXPECT_TRUE(QFontInfo(font).fixedPitch()) << family.toStdString();
    EXPECT_EQ(QFontInfo(font).family(), family);
}

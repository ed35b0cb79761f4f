// A tally sheet the box saves, opened by a real word processor (LibreOffice,
// headless) and saved again as RTF: our reader finds the same text, and per
// character the same colour, underline and fixed-pitch font.
#include <gtest/gtest.h>

#include <QFile>
#include <QFontInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "ui/appearance.h"
#include "ui/richTextBox.h"
#include "ui/rtf/rtfDocument.h"

namespace rtf = quillbox::ui::rtf;

namespace {

rtf::Document readFile(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return rtf::readRtf(f.readAll().toStdString());
}

// (colour, underline, font family) of every character; black written out and
// the automatic colour look alike.
std::vector<std::tuple<std::optional<rtf::Color>, bool, std::string>> looks(
    const rtf::Document& d) {
    std::vector<std::tuple<std::optional<rtf::Color>, bool, std::string>> out;
    for (const rtf::Paragraph& p : d.paragraphs) {
        for (const rtf::Run& r : p.runs) {
            auto color = r.format.color == rtf::Color{0, 0, 0} ? std::nullopt : r.format.color;
            const std::string family = r.format.font >= 0 ? d.fonts.at(r.format.font).family : "";
            out.insert(out.end(), r.text.size(), {color, r.format.underline, family});
        }
    }
    return out;
}

}  // namespace

TEST(OfficeRoundTrip, LibreOfficeKeepsTextColorsUnderlinesAndTheFixedPitchFont) {
    QTemporaryDir work;
    quillbox::ui::RichTextBox box;
    box.setFont(quillbox::ui::classicFont(QStringLiteral("Fixedsys"), 9));
    const struct {
        QString line;
        QColor color;
        std::vector<int> underlined;
    } lines[] = {
        {QStringLiteral("QAT         1\r\n"), QColor(0, 128, 0), {}},
        {QStringLiteral("ZAX         1\r\n"), QColor(0, 0, 255), {1, 2}},
        {QStringLiteral("XQ         -1\r\n"), QColor(255, 0, 0), {0}},
        {QStringLiteral("caf\u00e9 \u20ac5 \u03b1\u03b2 {x} a\\b\ttab\r\n"), QColor(), {}},
        {QStringLiteral("TOTAL       1\r\n"), QColor(0, 0, 0), {}},
    };
    for (const auto& l : lines) {
        const int start = box.textLength();
        box.setSelStart(start);
        box.setSelText(l.line);
        for (int u : l.underlined) {
            box.setSelStart(start + u);
            box.setSelLength(1);
            box.setSelUnderline(true);
        }
        box.setSelStart(start);
        box.setSelLength(static_cast<int>(l.line.size()));
        if (l.color.isValid())
            box.setSelColor(l.color);
    }
    const QString saved = work.filePath(QStringLiteral("tally.rtf"));
    box.saveFile(saved);

    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    ASSERT_FALSE(soffice.isEmpty()) << "LibreOffice (soffice) is needed; run scripts/setup --test";
    QProcess p;
    // A private profile and home, so it runs beside other instances and as root.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), work.path());
    p.setProcessEnvironment(env);
    p.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + work.path() +
                          QStringLiteral("/profile"),
                      QStringLiteral("--headless"), QStringLiteral("--norestore"),
                      QStringLiteral("--convert-to"), QStringLiteral("rtf"),
                      QStringLiteral("--outdir"), work.filePath(QStringLiteral("out")), saved});
    ASSERT_TRUE(p.waitForFinished(300000)) << "LibreOffice did not finish";

    const rtf::Document ours = readFile(saved);
    const rtf::Document theirs = readFile(work.filePath(QStringLiteral("out/tally.rtf")));
    EXPECT_EQ(rtf::plainText(ours), box.text().toStdU16String());
    EXPECT_EQ(rtf::plainText(theirs), rtf::plainText(ours));
    EXPECT_EQ(looks(theirs), looks(ours));
    // The family both agree on is a fixed-pitch face, so the columns line up.
    QFont font(QString::fromStdString(std::get<2>(looks(ours).front())));
    font.setStyleHint(QFont::AnyStyle, QFont::NoFontMerging);
    EXPECT_TRUE(QFontInfo(font).fixedPitch()) << font.family().toStdString();
}

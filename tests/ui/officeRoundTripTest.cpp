// A tally sheet the box saves, opened by a real word processor (LibreOffice,
// headless) and saved again as RTF: our reader finds the same text, and per
// character the same colour, underline and fixed-pitch font.
#include <gtest/gtest.h>

#include <QFile>
#include <QFontInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "ui/appearance.h"
#include "ui/richTextBox.h"
#include "ui/rtf/rtfDocument.h"

namespace rtf = quillbox::ui::rtf;

namespace {

// The text, then (colour, underline, font family) of every character; black
// written out and the automatic colour look alike.
std::pair<std::u16string, std::vector<std::tuple<std::optional<rtf::Color>, bool, std::string>>>
looks(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    const rtf::Document d = rtf::readRtf(f.readAll().toStdString());
    std::vector<std::tuple<std::optional<rtf::Color>, bool, std::string>> out;
    for (const rtf::Paragraph& p : d.paragraphs) {
        for (const rtf::Run& r : p.runs) {
            auto color = r.format.color == rtf::Color{0, 0, 0} ? std::nullopt : r.format.color;
            const std::string family = r.format.font >= 0 ? d.fonts.at(r.format.font).family : "";
            out.insert(out.end(), r.text.size(), {color, r.format.underline, family});
        }
    }
    return {rtf::plainText(d), out};
}

}  // namespace

TEST(OfficeRoundTrip, LibreOfficeKeepsTextColorsUnderlinesAndTheFixedPitchFont) {
    QTemporaryDir work;
    quillbox::ui::RichTextBox box;
    box.setFont(quillbox::ui::classicFont(QStringLiteral("Fixedsys"), 9));
    box.setTextRTF(QStringLiteral(
        "{\\rtf1{\\colortbl;\\red0\\green128\\blue0;\\red0\\green0\\blue255;"
        "\\red255\\green0\\blue0;"
        "\\red0\\green0\\blue0;}\\cf1 QAT         1\\par\\cf2 Z{\\ul AX}         1\\par"
        "\\cf3{\\ul X}Q         -1\\par\\cf0 caf\\u233? \\u8364?5 \\u945?\\u946? \\{x\\} a\\\\b"
        "\\tab tab\\par\\cf4 TOTAL       1\\par}"));
    const QString saved = work.filePath(QStringLiteral("tally.rtf"));
    box.saveFile(saved);
    QProcess office;
    // A private profile and home, so it runs beside other instances and as root.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), work.path());
    office.setProcessEnvironment(env);
    office.start(QStringLiteral("soffice"),
                 {QStringLiteral("-env:UserInstallation=file://") + work.filePath("profile"),
                  QStringLiteral("--headless"), QStringLiteral("--norestore"),
                  QStringLiteral("--convert-to"), QStringLiteral("rtf"), QStringLiteral("--outdir"),
                  work.filePath(QStringLiteral("out")), saved});
    ASSERT_TRUE(office.waitForFinished(300000)) << "LibreOffice (soffice) did not run";
    const auto ours = looks(saved);
    EXPECT_EQ(ours.first, box.text().toStdU16String());
    EXPECT_EQ(looks(work.filePath(QStringLiteral("out/tally.rtf"))), ours);
    // The family both agree on is a fixed-pitch face, so the columns line up.
    QFont font(QString::fromStdString(std::get<2>(ours.second.front())));
    font.setStyleHint(QFont::AnyStyle, QFont::NoFontMerging);
    EXPECT_TRUE(QFontInfo(font).fixedPitch()) << font.family().toStdString();
}

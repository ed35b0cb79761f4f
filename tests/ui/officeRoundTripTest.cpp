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
    for (const rtf::Paragraph& p : d.paragraphs)
        for (const rtf::Run& r : p.runs) {
            auto color = r.format.color == rtf::Color{0, 0, 0} ? std::nullopt : r.format.color;
            const std::string family = r.format.font >= 0 ? d.fonts.at(r.format.font).family : "";
            out.insert(out.end(), r.text.size(), {color, r.format.underline, family});
        }
    return {rtf::plainText(d), out};
}

}  // namespace

TEST(OfficeRoundTrip, LibreOfficeKeepsTextColorsUnderlinesAndTheFixedPitchFont) {
    QTemporaryDir work;
    quillbox::ui::RichTextBox box;
    box.setFont(quillbox::ui::classicFont("Fixedsys", 9));
    box.loadFile(QUILLBOX_TEST_DATA "/ui/officeTally.rtf");
    const QString saved = work.filePath("tally.rtf");
    box.saveFile(saved);
    QProcess office;
    // A private profile and home, so it runs beside other instances and as root.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", work.path());
    office.setProcessEnvironment(env);
    office.start("soffice",
                 {"-env:UserInstallation=file://" + work.filePath("profile"), "--headless",
                  "--norestore", "--convert-to", "rtf", "--outdir", work.filePath("out"), saved});
    ASSERT_TRUE(office.waitForFinished(300000)) << "LibreOffice (soffice) did not run";
    const auto ours = looks(saved);
    EXPECT_EQ(ours.first, box.text().toStdU16String());
    EXPECT_EQ(looks(work.filePath("out/tally.rtf")), ours);
    // The family both agree on is a fixed-pitch face, so the columns line up.
    QFont font(QString::fromStdString(std::get<2>(ours.second.front())));
    font.setStyleHint(QFont::AnyStyle, QFont::NoFontMerging);
    EXPECT_TRUE(QFontInfo(font).fixedPitch()) << font.family().toStdString();
}

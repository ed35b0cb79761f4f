// Where the program looks for its rules document and high-score file: beside
// itself, or in the folders of a system install, decided from what it finds.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "ui/programFolder.h"

namespace ui = quillbox::ui;

namespace {

class ProgramFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        savedDataHome = qgetenv("XDG_DATA_HOME");
        hadDataHome = qEnvironmentVariableIsSet("XDG_DATA_HOME");
        savedHome = qgetenv("HOME");
        QDir(root.path()).mkpath(QStringLiteral("games"));
        ui::setProgramFolderForTesting(root.filePath(QStringLiteral("games")));
    }
    void TearDown() override {
        ui::setProgramFolderForTesting({});
        if (hadDataHome)
            qputenv("XDG_DATA_HOME", savedDataHome);
        else
            qunsetenv("XDG_DATA_HOME");
        qputenv("HOME", savedHome);
    }
    void placeRules(const QString& relativeFolder) const {
        QDir(root.path()).mkpath(relativeFolder);
        QFile f(root.filePath(relativeFolder + QStringLiteral("/Quillbox Rules.rtf")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QString at(const QString& relative) const { return root.filePath(relative); }

    QTemporaryDir root;
    QByteArray savedDataHome;
    bool hadDataHome = false;
    QByteArray savedHome;
};

TEST_F(ProgramFolder, RulesBesideTheProgramOrInNeitherPlaceKeepEverythingInItsFolder) {
    const auto expectPortable = [this] {
        EXPECT_EQ(ui::fileLayout(), ui::FileLayout::Portable);
        // With no document anywhere, the missing one is named beside the program.
        EXPECT_EQ(ui::rulesDocumentPath(), at(QStringLiteral("games/Quillbox Rules.rtf")));
        EXPECT_EQ(ui::scoreFolder(), at(QStringLiteral("games")));
    };
    qputenv("XDG_DATA_HOME", at(QStringLiteral("data")).toUtf8());
    expectPortable();
    // A copy under share does not matter while one lies beside the program.
    placeRules(QStringLiteral("games"));
    placeRules(QStringLiteral("share/quillbox"));
    expectPortable();
}

TEST_F(ProgramFolder, ASystemInstallReadsItsRulesFromShareAndKeepsScoresPerPlayer) {
    placeRules(QStringLiteral("share/quillbox"));
    qputenv("XDG_DATA_HOME", at(QStringLiteral("data")).toUtf8());
    qputenv("HOME", at(QStringLiteral("home/ann")).toUtf8());
    EXPECT_EQ(ui::fileLayout(), ui::FileLayout::System);
    EXPECT_EQ(ui::rulesDocumentPath(), at(QStringLiteral("share/quillbox/Quillbox Rules.rtf")));
    EXPECT_EQ(ui::scoreFolder(), at(QStringLiteral("data/quillbox")));

    // Unset, empty or relative (which the XDG rules say to ignore): the default.
    const QString fallback = at(QStringLiteral("home/ann/.local/share/quillbox"));
    qputenv("XDG_DATA_HOME", "data");
    EXPECT_EQ(ui::scoreFolder(), fallback);
    qputenv("XDG_DATA_HOME", "");
    EXPECT_EQ(ui::scoreFolder(), fallback);
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(ui::scoreFolder(), fallback);
    // Nothing is created by asking.
    EXPECT_FALSE(QFileInfo::exists(at(QStringLiteral("home"))));
}

}  // namespace

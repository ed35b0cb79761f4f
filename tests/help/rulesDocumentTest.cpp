// The shipped rules document, read the way the viewer reads it: its headings
// match the table of contents and its word lists match the lexicon.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QTextStream>

#include "help/frmRules.h"
#include "ui/programFolder.h"
#include "ui/richTextBox.h"

using quillbox::frmRules;
namespace ui = quillbox::ui;

namespace {

QString withoutIndent(QString entry) {
    while (entry.startsWith(QLatin1Char(' ')))
        entry.remove(0, 1);
    return entry;
}

QStringList headings() {
    QStringList out;
    for (const QString& e : frmRules::contentsEntries())
        out << withoutIndent(e);
    return out;
}

QSet<QString> lexiconWords() {
    QFile file(QStringLiteral(QUILLBOX_LEXICON_TSV));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QSet<QString> words;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.isEmpty())
            words.insert(line.section(QLatin1Char('\t'), 0, 0));
    }
    return words;
}

// Words of two or three capitals standing on their own, as the lists write them.
QSet<QString> capitalWords(const QString& text) {
    static const QRegularExpression word(QStringLiteral("\\b[A-Z]{2,3}\\b"));
    QSet<QString> out;
    for (const auto& m : word.globalMatch(text))
        out.insert(m.captured());
    return out;
}

class RulesDocument : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ui::setProgramFolderForTesting({});
        ui::RichTextBox box;
        box.loadFile(ui::besideProgram(QStringLiteral("Quillbox Rules.rtf")));
        text_ = new QString(box.text());
    }
    static void TearDownTestSuite() {
        delete text_;
        text_ = nullptr;
    }

    static const QString& text() { return *text_; }

    // The text from a heading up to the next heading of the contents.
    static QString section(const QString& heading) {
        const QStringList all = headings();
        const int i = all.indexOf(heading);
        const int from = text().indexOf(heading);
        const int to = i + 1 < all.size() ? text().indexOf(all[i + 1]) : text().size();
        return text().mid(from, to - from);
    }

    static QString* text_;
};

QString* RulesDocument::text_ = nullptr;

TEST_F(RulesDocument, EveryContentsEntryIsAHeadingLineInContentsOrder) {
    ASSERT_FALSE(text().isEmpty());
    int previous = -1;
    for (const QString& heading : headings()) {
        SCOPED_TRACE(heading.toStdString());
        const int at = text().indexOf(heading);
        ASSERT_GE(at, 0);
        EXPECT_GT(at, previous) << "out of order";
        // The first occurrence is the heading itself, on a line of its own
        // (which may end in a line break before the paragraph ends).
        EXPECT_TRUE(at == 0 || text().at(at - 1) == QLatin1Char('\n'));
        const QChar after = text().at(at + heading.size());
        EXPECT_TRUE(after == QLatin1Char('\r') || after == QLatin1Char('\v'));
        previous = at;
    }
}

TEST_F(RulesDocument, EachSectionEndsWithAnEmptyLineBeforeTheNextHeading) {
    // The viewer searches forward from the heading for the first empty line
    // and then back to the heading; that line must belong to the section.
    const QStringList all = headings();
    for (int i = 0; i < all.size(); ++i) {
        SCOPED_TRACE(all[i].toStdString());
        const int at = text().indexOf(all[i]);
        const int emptyLine = text().indexOf(QStringLiteral("\n\r"), at + all[i].size());
        ASSERT_GE(emptyLine, 0);
        if (i + 1 < all.size()) {
            EXPECT_LT(emptyLine, text().indexOf(all[i + 1]));
        }
        // Every section says something beyond its heading.
        EXPECT_GT(section(all[i]).trimmed().size(), all[i].size() + 20);
    }
}

TEST_F(RulesDocument, WordListsNameOnlyLexiconWords) {
    const QSet<QString> lexicon = lexiconWords();
    ASSERT_EQ(lexicon.size(), 1059);
    const int lists = text().indexOf(QStringLiteral("HELPFUL WORD LISTS"));
    ASSERT_GE(lists, 0);
    const QSet<QString> named = capitalWords(text().mid(lists));
    EXPECT_GT(named.size(), 150);
    for (const QString& w : named)
        EXPECT_TRUE(lexicon.contains(w)) << w.toStdString();
}

TEST_F(RulesDocument, WordsCitedInTheGuideAreLexiconWordsUnlessShownAsMistakes) {
    // Before the lists, capitals of two or three letters are words the guide
    // cites; the only exceptions are the examples of words that are not valid.
    const QSet<QString> lexicon = lexiconWords();
    const QSet<QString> nonWordExamples{QStringLiteral("CT"), QStringLiteral("IX")};
    const int lists = text().indexOf(QStringLiteral("HELPFUL WORD LISTS"));
    for (const QString& w : capitalWords(text().left(lists))) {
        EXPECT_TRUE(lexicon.contains(w) || nonWordExamples.contains(w)) << w.toStdString();
    }
}

TEST_F(RulesDocument, VowelFreeListHoldsExactlyTheWordsWithoutAEIOU) {
    QSet<QString> expected;
    static const QRegularExpression vowel(QStringLiteral("[AEIOU]"));
    for (const QString& w : lexiconWords())
        if (!w.contains(vowel))
            expected.insert(w);
    ASSERT_FALSE(expected.isEmpty());
    const QString list = section(QStringLiteral("Words Without Vowels"));
    EXPECT_EQ(capitalWords(list), expected);
    // The section says how it counts Y.
    EXPECT_TRUE(list.contains(QStringLiteral("Y is counted as a consonant")));
}

TEST_F(RulesDocument, QListHoldsExactlyTheWordsWithQ) {
    QSet<QString> expected;
    for (const QString& w : lexiconWords())
        if (w.contains(QLatin1Char('Q')))
            expected.insert(w);
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(capitalWords(section(QStringLiteral("Words Containing Q"))), expected);
}

TEST_F(RulesDocument, ThemedListsMatchTheirDefinitions) {
    // Each themed list is checked against what the lexicon says of its words,
    // so a word in the wrong list shows up here.
    QFile file(QStringLiteral(QUILLBOX_LEXICON_TSV));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QHash<QString, QString> definition;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        definition.insert(line.section(QLatin1Char('\t'), 0, 0),
                          line.section(QLatin1Char('\t'), 1));
    }
    const struct {
        const char* heading;
        const char* pattern;
    } themes[] = {
        {"Diatonic Musical Scale", "diatonic scale"},
        {"Greek Letters", "Greek letter"},
        {"Hebrew Letters", "Hebrew letter"},
        {"English Letters", "the letter|Old English|rune"},
        {"Coins and Monetary Units", "monetary unit|coin"},
        {"Units of Measurement", "unit|measure|ampere"},
        {"Animal Noises", "bark|bleat|howl|cry|dove|cow|moo|meow|purr|yelp"},
        {"Interjections and Utterances",
         "used to|exclaim|greeting|shout|goodbye|thanks|yes|no\\b|\\bnot\\b|negative"},
    };
    for (const auto& theme : themes) {
        SCOPED_TRACE(theme.heading);
        const QRegularExpression fits(QString::fromLatin1(theme.pattern),
                                      QRegularExpression::CaseInsensitiveOption);
        const QSet<QString> listed = capitalWords(section(QString::fromLatin1(theme.heading)));
        EXPECT_GE(listed.size(), 5);
        for (const QString& w : listed)
            EXPECT_TRUE(definition.value(w).contains(fits))
                << w.toStdString() << ": " << definition.value(w).toStdString();
    }
}

}  // namespace

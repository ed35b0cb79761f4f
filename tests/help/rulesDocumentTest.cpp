// The shipped rules document, read the way the viewer reads it: its headings
// match the table of contents and its word lists match the lexicon.
#include <gtest/gtest.h>

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QTextStream>
#include <utility>

#include "help/frmRules.h"
#include "ui/programFolder.h"
#include "ui/richTextBox.h"

using quillbox::frmRules;
namespace ui = quillbox::ui;

namespace {

QStringList headings() {
    QStringList out;
    for (const QString& e : frmRules::contentsEntries())
        out << e.trimmed();
    return out;
}

// Every word of the lexicon with its definition.
const QHash<QString, QString>& lexicon() {
    static const QHash<QString, QString> words = [] {
        QHash<QString, QString> out;
        QFile file(QStringLiteral(QUILLBOX_LEXICON_TSV));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return out;
        QTextStream in(&file);
        while (!in.atEnd()) {
            const QString line = in.readLine();
            if (!line.isEmpty())
                out.insert(line.section(QLatin1Char('\t'), 0, 0),
                           line.section(QLatin1Char('\t'), 1));
        }
        return out;
    }();
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

// The shipped document as the viewer shows it.
const QString& text() {
    static const QString loaded = [] {
        ui::setProgramFolderForTesting({});
        ui::RichTextBox box;
        box.loadFile(ui::besideProgram(QStringLiteral("Quillbox Rules.rtf")));
        return box.text();
    }();
    return loaded;
}

// The text from a heading up to the next heading of the contents.
QString section(const QString& heading) {
    const QStringList all = headings();
    const int i = all.indexOf(heading);
    const int from = text().indexOf(heading);
    const int to = i + 1 < all.size() ? text().indexOf(all[i + 1]) : text().size();
    return text().mid(from, to - from);
}

TEST(RulesDocument, EveryContentsEntryIsAHeadingLineInOrderWithASectionEndingInAnEmptyLine) {
    ASSERT_FALSE(text().isEmpty());
    const QStringList all = headings();
    int previous = -1;
    for (int i = 0; i < all.size(); ++i) {
        SCOPED_TRACE(all[i].toStdString());
        const int at = text().indexOf(all[i]);
        ASSERT_GE(at, 0);
        EXPECT_GT(at, previous) << "out of order";
        previous = at;
        // The first occurrence is the heading itself, on a line of its own
        // (which may end in a line break before the paragraph ends).
        EXPECT_TRUE(at == 0 || text().at(at - 1) == QLatin1Char('\n'));
        const QChar after = text().at(at + all[i].size());
        EXPECT_TRUE(after == QLatin1Char('\r') || after == QLatin1Char('\v'));
        // The viewer searches forward from the heading for the first empty
        // line and then back to the heading; that line must be in the section.
        const int emptyLine = text().indexOf(QStringLiteral("\n\r"), at + all[i].size());
        ASSERT_GE(emptyLine, 0);
        if (i + 1 < all.size()) {
            EXPECT_LT(emptyLine, text().indexOf(all[i + 1]));
        }
        EXPECT_GT(section(all[i]).trimmed().size(), all[i].size() + 20);
    }
}

TEST(RulesDocument, CapitalWordsAreLexiconWordsExceptTheGuidesExamplesOfMistakes) {
    ASSERT_EQ(lexicon().size(), 1059);
    const int lists = text().indexOf(QStringLiteral("HELPFUL WORD LISTS"));
    ASSERT_GE(lists, 0);
    const QSet<QString> listed = capitalWords(text().mid(lists));
    EXPECT_GT(listed.size(), 150);
    for (const QString& w : listed)
        EXPECT_TRUE(lexicon().contains(w)) << w.toStdString();
    const QSet<QString> nonWordExamples{QStringLiteral("CT"), QStringLiteral("IX")};
    for (const QString& w : capitalWords(text().left(lists)))
        EXPECT_TRUE(lexicon().contains(w) || nonWordExamples.contains(w)) << w.toStdString();
}

TEST(RulesDocument, SpellingListsHoldExactlyTheWordsTheyDescribe) {
    static const QRegularExpression vowel(QStringLiteral("[AEIOU]"));
    QSet<QString> vowelFree, withQ;
    for (const QString& w : lexicon().keys()) {
        if (!w.contains(vowel))
            vowelFree.insert(w);
        if (w.contains(QLatin1Char('Q')))
            withQ.insert(w);
    }
    ASSERT_FALSE(vowelFree.isEmpty() || withQ.isEmpty());
    const QString vowelList = section(QStringLiteral("Words Without Vowels"));
    EXPECT_EQ(capitalWords(vowelList), vowelFree);
    EXPECT_EQ(capitalWords(section(QStringLiteral("Words Containing Q"))), withQ);
    // The vowel-free list says how it counts Y.
    EXPECT_TRUE(vowelList.contains(QStringLiteral("Y is counted as a consonant")));
}

TEST(RulesDocument, ThemedListsMatchTheirDefinitions) {
    // Each themed list is checked against what the lexicon says of its words,
    // so a word in the wrong list shows up here.
    const std::pair<const char*, const char*> themes[] = {
        {"Diatonic Musical Scale", "diatonic scale"},
        {"Greek Letters", "Greek alphabet"},
        {"Hebrew Letters", "Hebrew (letter|alphabet)"},
        {"English Letters", "the letter|Old English|rune"},
        {"Coins and Monetary Units", "monetary unit|coin"},
        {"Units of Measurement", "unit|measure|ampere"},
        {"Animal Noises", "bark|bleat|howl|cry|dove|cow|moo|meow|purr|yelp"},
        {"Interjections and Utterances",
         "used to|exclaim|greeting|shout|goodbye|thanks|yes|no\\b|\\bnot\\b|negative"},
    };
    for (const auto& [heading, pattern] : themes) {
        SCOPED_TRACE(heading);
        const QRegularExpression fits(QString::fromLatin1(pattern),
                                      QRegularExpression::CaseInsensitiveOption);
        const QSet<QString> listed = capitalWords(section(QString::fromLatin1(heading)));
        EXPECT_GE(listed.size(), 5);
        for (const QString& w : listed)
            EXPECT_TRUE(lexicon().value(w).contains(fits))
                << w.toStdString() << ": " << lexicon().value(w).toStdString();
    }
}

}  // namespace

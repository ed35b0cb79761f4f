#pragma once
// Test doubles for the Classic engine: a window that records what it is asked
// to show and answers input boxes from a script, an in-memory high-score table,
// racks written as text, and a way to make the shuffle produce a chosen bag order.
#include <algorithm>
#include <cctype>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "classic/classicPort.h"
#include "classic/rack.h"
#include "classic/tileBag.h"
#include "scores/scoreTable.h"
#include "support/scriptedRandom.h"

namespace quillbox::testing {
using namespace quillbox::classic;
using namespace quillbox::core;
using namespace quillbox::scores;

class RecordingPort : public ClassicPort {
  public:
    struct Box {
        std::string kind;  // "message" or "input"
        std::string text;
        std::string title;
        std::string defaultAnswer;
        bool operator==(const Box&) const = default;
    };

    std::deque<std::string> inputAnswers;
    std::vector<Box> boxes;
    std::vector<quillbox::classic::TallyEntry> tally;
    std::vector<std::string> searchedRacks;  // the rack's tiles at each legal-play search
    int highScoreShows = 0;
    int stateChanges = 0;
    // Everything the port was asked, in order: "message:<title>", "input:<title>",
    // "tally:<word>", "clear", "search:<tiles>", "scores".
    std::vector<std::string> events;
    // Runs as each box is shown (to look at the game meanwhile).
    std::function<void(const Box&)> onBox;

    void message(const std::string& text, const std::string& title) override {
        show({"message", text, title, ""});
    }
    std::string input(const std::string& prompt, const std::string& title,
                      const std::string& defaultAnswer) override {
        show({"input", prompt, title, defaultAnswer});
        if (inputAnswers.empty())
            throw std::logic_error("unexpected input box: " + title);
        std::string answer = std::move(inputAnswers.front());
        inputAnswers.pop_front();
        return answer;
    }
    // English digit grouping, as the window gives for an English locale.
    std::string pointsText(int points) const override {
        std::string digits = std::to_string(points < 0 ? -static_cast<long>(points) : points);
        for (auto i = static_cast<long>(digits.size()) - 3; i > 0; i -= 3)
            digits.insert(static_cast<std::size_t>(i), ",");
        return points < 0 ? "-" + digits : digits;
    }
    void clearTally() override {
        tally.clear();
        events.push_back("clear");
    }
    void appendTally(const TallyEntry& entry) override {
        tally.push_back(entry);
        events.push_back("tally:" + entry.word);
    }
    void findLegalPlays(const Rack& rack) override {
        searchedRacks.push_back(rack.tileString());
        events.push_back("search:" + rack.tileString());
    }
    void showHighScores() override {
        ++highScoreShows;
        events.push_back("scores");
    }
    void stateChanged() override { ++stateChanges; }

    std::vector<std::string> tallyWords() const {
        std::vector<std::string> words;
        for (const auto& e : tally)
            words.push_back(e.word);
        return words;
    }

  private:
    void show(Box box) {
        events.push_back(box.kind + ":" + box.title);
        boxes.push_back(std::move(box));
        if (onBox)
            onBox(boxes.back());
    }
};

// Ten slots; a score is high when it beats one of them. Every call is kept.
class MemoryScoreTable : public ScoreTable {
  public:
    struct Entry {
        std::string name;
        std::int32_t points = 0;
    };

    std::vector<Entry> entries = std::vector<Entry>(10);
    std::vector<std::int32_t> isHighAsked;
    std::vector<Entry> added;

    bool isHigh(std::int32_t points) override {
        isHighAsked.push_back(points);
        return std::any_of(entries.begin(), entries.end(),
                           [&](const Entry& e) { return points > e.points; });
    }
    void addScore(const std::string& name, std::int32_t points) override {
        added.push_back({name, points});
    }
};

// Queues the values that make shuffleBag turn the freshly filled bag into one
// that starts with `front` (the other tiles keep their fill order).
inline void scriptShuffleToStartWith(ScriptedRandom& random, const std::string& front) {
    std::string rest = kFillOrder;
    for (char c : front) {
        const auto at = rest.find(c);
        if (at == std::string::npos)
            throw std::invalid_argument("too many of a tile in front");
        rest.erase(at, 1);
    }
    for (double v : shuffleScript(kFillOrder, front + rest))
        random.push(v);
}

inline TileBag bagOf(const std::string& tiles) {
    TileBag bag;
    for (char c : tiles)
        bag.add(c);
    return bag;
}

// Ten characters, one per slot: '.' empty, an upper-case letter a tile, a
// lower-case letter a blank standing for that letter.
inline Rack rackOf(const std::string& layout) {
    Rack rack;
    for (int i = 0; i < kRackSlots; ++i) {
        const auto c = static_cast<unsigned char>(layout.at(static_cast<std::size_t>(i)));
        if (c == '.')
            continue;
        rack.receiveDrawnTile(i, std::islower(c) ? TileBag::kBlank : static_cast<char>(c));
        if (std::islower(c))
            rack.setBlankLetter(i, static_cast<char>(std::toupper(c)));
    }
    return rack;
}

// The inverse of rackOf.
inline std::string layoutOf(const Rack& rack) {
    std::string out;
    for (int i = 0; i < quillbox::classic::kRackSlots; ++i) {
        const auto& s = rack.slot(i);
        const auto letter = static_cast<unsigned char>(s.letter);
        out += !s.occupied ? '.' : s.blank ? static_cast<char>(std::tolower(letter)) : s.letter;
    }
    return out;
}

}  // namespace quillbox::testing

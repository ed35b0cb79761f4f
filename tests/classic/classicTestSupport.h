#pragma once
// Test doubles for the Classic engine: a window that records what it is asked
// to show and answers input boxes from a script, an in-memory high-score table,
// and a way to make the shuffle produce a chosen bag order.
#include <algorithm>
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

class RecordingPort : public ClassicPort {
  public:
    struct Box {
        std::string kind;  // "message" or "input"
        std::string text;
        std::string title;
        std::string defaultAnswer;
    };

    std::deque<std::string> inputAnswers;
    std::vector<Box> boxes;
    std::vector<TallyEntry> tally;
    int tallyClears = 0;
    std::vector<std::string> searchedRacks;  // the rack's tiles at each legal-play search
    int highScoreShows = 0;
    int stateChanges = 0;
    // Everything the port was asked, in order: "message:<title>", "input:<title>",
    // "tally:<word>", "clear", "search:<tiles>", "scores".
    std::vector<std::string> events;
    // Runs as each box is shown (to look at the game meanwhile).
    std::function<void(const Box&)> onBox;

    void message(const std::string& text, const std::string& title) override {
        boxes.push_back({"message", text, title, ""});
        events.push_back("message:" + title);
        if (onBox)
            onBox(boxes.back());
    }
    std::string input(const std::string& prompt, const std::string& title,
                      const std::string& defaultAnswer) override {
        boxes.push_back({"input", prompt, title, defaultAnswer});
        events.push_back("input:" + title);
        if (onBox)
            onBox(boxes.back());
        if (inputAnswers.empty())
            throw std::logic_error("unexpected input box: " + title);
        std::string answer = std::move(inputAnswers.front());
        inputAnswers.pop_front();
        return answer;
    }
    void clearTally() override {
        ++tallyClears;
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

    std::vector<std::string> tallyLines() const {
        std::vector<std::string> lines;
        for (const auto& e : tally)
            lines.push_back(e.line);
        return lines;
    }
    std::vector<Box> inputs() const {
        std::vector<Box> out;
        for (const auto& b : boxes)
            if (b.kind == "input")
                out.push_back(b);
        return out;
    }
    std::vector<Box> messages() const {
        std::vector<Box> out;
        for (const auto& b : boxes)
            if (b.kind == "message")
                out.push_back(b);
        return out;
    }
};

// Ten slots, highest first, ties below the earlier entry; every call is kept.
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
        auto it = std::find_if(entries.begin(), entries.end(),
                               [&](const Entry& e) { return points > e.points; });
        if (it == entries.end())
            return;
        entries.insert(it, {name, points});
        entries.pop_back();
    }
};

// Queues values that make shuffleBag turn the freshly filled bag into `order`
// (which must hold the same tiles): one exchange per position that needs it,
// then exchanges of position 1 with itself up to the 1000 the shuffle makes.
inline void scriptShuffleTo(ScriptedRandom& random, const std::string& order) {
    TileBag bag;
    mainMod::fillBag(bag);
    const int n = bag.count();
    if (static_cast<int>(order.size()) != n)
        throw std::invalid_argument("order must hold 100 tiles");
    int exchanges = 0;
    for (int p = 1; p <= n; ++p) {
        int q = p;
        while (q <= n && bag.at(q) != order[static_cast<std::size_t>(p - 1)])
            ++q;
        if (q > n)
            throw std::invalid_argument("order is not a shuffle of the full bag");
        bag.exchange(p, q);
        random.push(valueForIndex(p - 1, n));
        random.push(valueForIndex(q - 1, n));
        ++exchanges;
    }
    for (; exchanges < 10 * n; ++exchanges) {
        random.push(valueForIndex(0, n));
        random.push(valueForIndex(0, n));
    }
}

}  // namespace quillbox::testing

namespace quillbox::testing {

// The full bag in fill order with `prefix` moved to its front (the rest keep
// their fill order), so a game started with it draws `prefix` first.
inline std::string orderStartingWith(const std::string& prefix) {
    TileBag bag;
    mainMod::fillBag(bag);
    std::string rest(bag.tiles().begin(), bag.tiles().end());
    for (char c : prefix) {
        const auto at = rest.find(c);
        if (at == std::string::npos)
            throw std::invalid_argument("too many of a tile in prefix");
        rest.erase(at, 1);
    }
    return prefix + rest;
}

}  // namespace quillbox::testing

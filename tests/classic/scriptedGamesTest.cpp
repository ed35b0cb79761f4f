// The Classic game and its rack played from the transcripts in
// tests/data/classic: each named game replays its steps and must show exactly
// what was worked out by hand below each step (games.txt explains the steps).
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <deque>
#include <fstream>
#include <iterator>
#include <numeric>
#include <sstream>

#include "classic/classicGame.h"
#include "classic/classicPort.h"
#include "classic/rating.h"
#include "core/mainMod.h"
#include "scores/scoreTable.h"
#include "support/scriptedRandom.h"

namespace {

using namespace quillbox::classic;
using namespace quillbox::testing;

std::string layoutOf(const Rack& rack) {
    std::string out;
    for (int i = 0; i < kRackSlots; ++i) {
        const RackSlot& s = rack.slot(i);
        out += !s.occupied ? '.' : s.blank ? static_cast<char>(std::tolower(s.letter)) : s.letter;
    }
    return out;
}

struct Game {
    std::string name;
    bool smallWords = false;  // AT, TA, XI and AWL instead of the program's words
    std::string shows;        // the kinds of line written, all when empty
    std::string transcript;   // the steps and what each showed
};

// "game <name> [showing <kinds of line>]", then the transcript.
std::vector<Game> loadGames() {
    std::vector<Game> games;
    for (const auto& [file, small] :
         {std::pair{"games.txt", false}, {"turns.txt", true}, {"rack.txt", true}}) {
        std::ifstream in(std::string(QUILLBOX_TEST_DATA "/classic/") + file);
        if (!in)
            throw std::runtime_error(std::string("cannot read ") + file);
        for (std::string line, word; std::getline(in, line);)
            if (std::istringstream words(line); line.rfind("game ", 0) == 0) {
                words >> word >> word;
                const auto showing = line.find(" showing ");
                games.push_back({word, small,
                                 showing == std::string::npos ? "" : line.substr(showing + 8) + " ",
                                 ""});
            } else if (!line.empty() && line[0] != '#') {
                games.back().transcript += line + "\n";
            }
    }
    return games;
}

// What the rack shows: its tiles with "*" under each selected one, and the
// insertion markers with "#" under a bordered slot.
std::vector<std::string> partsOf(const Rack& r) {
    std::string rack = "rack " + layoutOf(r) + ' ', hover = "hover ", borders = " ";
    for (int i = 0; i < kRackSlots; ++i)
        rack += r.slot(i).selected() ? '*' : '.', borders += r.hasBorder(i) ? '#' : '.';
    for (int k = 0; k < kInsertMarkers; ++k)
        hover += r.markerVisible(k) ? '^' : '.';
    return {rack, hover + borders};
}

// What the window draws, one line per part.
std::vector<std::string> partsOf(const ClassicGame& g) {
    const char* modes[] = {"off", "on", "gray"};
    const std::string controls = std::string("controls ") + (g.startGameEnabled() ? 'S' : '-') +
                                 (g.learnModeEnabled() ? 'L' : '-') +
                                 (g.drawTilesEnabled() ? 'D' : '-') +
                                 (g.playWordEnabled() ? 'P' : '-');
    auto parts = partsOf(g.rack());
    parts.insert(parts.end(), {controls + (g.gameInProgress() ? " game" : " no game"),
                               std::string("learn ") + modes[static_cast<int>(g.learnMode())] +
                                   (g.learnWidgetsVisible() ? ", shown" : ", hidden"),
                               "score \"" + g.pointsText() + "\"", "bag " + g.bagCountText(),
                               "definition \"" + g.definitionText() + "\""});
    return parts;
}

// Plays the game against a recording window: one line per request, in the
// forms games.txt lists, \n for a line break. A dialog, a search or the
// table shown over a window that still draws an older state is stale.
class ScriptedGame : public ::testing::TestWithParam<Game>,
                     public ClassicPort,
                     public quillbox::scores::ScoreTable {
  protected:
    std::vector<std::string> log, drawn;  // drawn: what the window draws now
    std::deque<std::string> inputAnswers;
    bool qualifies = false;  // isHigh's answer
    int staleRequests = 0;
    TileBag bag;
    ScriptedRandom random;
    const quillbox::core::Lexicon smallWords = [] {
        quillbox::core::Lexicon l;
        l.Add("AT", "in the place of"), l.Add("TA", "thanks"), l.Add("XI", "a Greek letter");
        l.Add("AWL", "");
        return l;
    }();
    ClassicGame game{*this, *this, bag, &random,
                     GetParam().smallWords ? smallWords : quillbox::core::mainMod::lexicon()};
    Rack looseRack;
    Rack* loose = nullptr;  // the steps work on this rack alone once it is set

    void message(const std::string& text, const std::string& title) override {
        record("message " + title + ": " + text);
    }
    std::string input(const std::string& prompt, const std::string& title,
                      const std::string& defaultAnswer) override {
        record("input " + title + ": " + prompt + " [" + defaultAnswer + "]");
        if (inputAnswers.empty())
            throw std::logic_error("unexpected input box: " + title);
        std::string answer = inputAnswers.front();
        inputAnswers.pop_front();
        return answer;
    }
    // English digit grouping, as the window gives for an English locale.
    std::string pointsText(int points) const override {
        std::string digits = std::to_string(points < 0 ? -static_cast<long>(points) : points);
        return (points < 0 ? "-" : "") +
               (digits.size() > 3 ? digits.insert(digits.size() - 3, ",") : digits);
    }
    void clearTally() override { log.push_back("clear"); }
    // Letters from blanks in lower case, then the line's colour.
    void appendTally(const TallyEntry& e) override {
        std::string text = e.line.substr(0, e.line.size() - 2);
        for (int u : {e.blankIndex1, e.blankIndex2})
            if (u >= 0)
                text[static_cast<std::size_t>(u)] += 'a' - 'A';
        char color[8];
        std::snprintf(color, sizeof color, "#%02x%02x%02x", e.color.red, e.color.green,
                      e.color.blue);
        log.push_back("tally " + text + "  " + color);
    }
    void findLegalPlays(const Rack& rack) override { record("search " + rack.tileString()); }
    void showHighScores() override { record("high scores shown"); }
    void stateChanged() override { drawn = partsOf(game); }
    bool isHigh(std::int32_t points) override {
        log.push_back("table asked " + std::to_string(points));
        return qualifies;
    }
    void addScore(const std::string& name, std::int32_t points) override {
        log.push_back("table add \"" + name + "\" " + std::to_string(points));
    }
    void record(std::string line) {
        staleRequests += drawn != partsOf(game);
        for (auto at = line.find("\r\n"); at != std::string::npos; at = line.find("\r\n"))
            line.replace(at, 2, "\\n");
        log.push_back(std::move(line));
    }

    std::vector<std::string> parts() const { return loose ? partsOf(*loose) : partsOf(game); }
    void SetUp() override { stateChanged(); }
    // Selects the tiles of `word` left to right and plays them. A lower-case
    // letter is a blank, re-lettered by double-clicking it first.
    void playLetters(const std::string& word) {
        std::size_t at = 0;
        for (const char c : word) {
            const bool blank = std::islower(static_cast<unsigned char>(c)) != 0;
            const std::string tiles = layoutOf(game.rack());
            at = blank ? tiles.find_first_of("abcdefghijklmnopqrstuvwxyz", at) : tiles.find(c, at);
            ASSERT_NE(at, std::string::npos) << "no tile for " << c << " of " << word;
            if (blank)
                inputAnswers.push_back(std::string(1, c)), game.relabelBlank(static_cast<int>(at));
            game.toggleTile(static_cast<int>(at++));
        }
        game.playWord();
    }
    void perform(const std::string& step) {
        std::istringstream in(step);
        const std::vector<std::string> w{std::istream_iterator<std::string>(in), {}};
        const std::string& verb = w[0];
        const auto n = [&](std::size_t i) { return std::stoi(w.at(i)); };
        const auto state = verb == "leave" ? DragState::Leave : DragState::Enter;
        // the words after the verb, run together
        const std::string rest = std::accumulate(w.begin() + 1, w.end(), std::string());
        if (verb == "start") {
            for (double v : shuffleScript(kFillOrder, bagStartingWith(rest)))
                random.push(v);
            game.startGame();
        } else if (verb == "bag") {
            bag = TileBag();
            for (const char tile : rest)
                bag.add(tile);
        } else if (verb == "rack") {  // '.' empty, a lower-case letter a blank for that letter
            looseRack = Rack(), loose = &looseRack;
            for (int i = 0; i < kRackSlots; ++i)
                if (const char c = rest.at(static_cast<std::size_t>(i)); c != '.') {
                    const bool blank = std::islower(static_cast<unsigned char>(c)) != 0;
                    looseRack.receiveDrawnTile(i, blank ? TileBag::kBlank : c);
                    looseRack.setBlankLetter(i, static_cast<char>(std::toupper(c)));
                }
        } else if (verb == "click") {
            for (std::size_t i = 1; i < w.size(); ++i)
                loose ? void(loose->toggleSelection(n(i))) : game.toggleTile(n(i));
        } else if ((verb == "hover" || verb == "leave") && w[1] == "slot") {
            const double x = std::stod(w.at(4));  // slot i at x
            loose ? loose->dragOverSlot(n(2), state, x) : game.hoverSlot(n(2), state, x);
        } else if (verb == "hover" || verb == "leave") {
            loose ? loose->dragOverGap(n(2), state) : game.hoverGap(n(2), state);
        } else if (verb == "drop" && w[2] == "in") {
            loose ? loose->dropOnGap(n(3), n(1)) : game.dropOnGap(n(3), n(1));
        } else if (verb == "drop") {
            const int at = loose ? loose->dropOnSlot(n(3), n(1)) : game.dropOnSlot(n(3), n(1));
            log.push_back("landed in " + std::to_string(at));
        } else if (verb == "take") {
            const TakenWord t = loose->takeSelectedWord();
            log.push_back("took " + t.word + " " + std::to_string(t.blankIndex1) + " " +
                          std::to_string(t.blankIndex2));
        } else if (verb == "answer") {  // each answer ends with '|'
            std::istringstream answers(step.substr(7));
            for (std::string a; std::getline(answers, a, '|');)
                inputAnswers.push_back(a);
        } else if (verb == "learn") {
            game.setLearnMode(rest == "on"    ? LearnMode::On
                              : rest == "off" ? LearnMode::Off
                                              : LearnMode::Undetermined);
        } else if (verb == "draw" || verb == "play" || verb == "end") {
            verb == "draw" ? game.drawTiles() : verb == "play" ? game.playWord() : game.endGame();
        } else if (verb == "relabel" && loose) {
            const bool done = loose->setBlankLetter(n(1), w.at(2)[0]);
            log.push_back(done ? "relabelled" : "not a blank");
        } else if (verb == "relabel") {
            game.relabelBlank(n(1));
        } else if (verb == "record") {
            game.displayPoints(w[1], n(2), colors::black, -1, -1);
        } else if (verb == "define") {
            game.showDefinition(rest);
        } else if (verb == "rate") {
            for (std::size_t i = 1; i < w.size(); ++i)
                log.push_back(w[i] + " rates as " + std::string(ratingPhrase(n(i))));
        } else if (verb == "table") {
            qualifies = rest == "yes";
        } else if (verb != "look") {
            for (const auto& word : w)
                playLetters(word);
        }
    }

    // Plays each step ("> ...") and writes it, followed by what it showed:
    // the requests to the window, then the parts of the window that changed.
    std::string replay(const Game& g) {
        std::istringstream lines(g.transcript);
        std::string out;
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind("> ", 0) != 0)
                continue;
            out += line + "\n";
            const std::size_t logged = log.size();
            const auto before = parts();
            perform(line.substr(2));
            std::vector<std::string> shown(log.begin() + logged, log.end());
            const auto after = parts();
            for (std::size_t i = 0; i < after.size(); ++i)
                if (i >= before.size() || after[i] != before[i] || line == "> look")
                    shown.push_back(after[i]);
            for (const auto& s : shown)
                if (g.shows.empty() ||
                    g.shows.find(" " + s.substr(0, s.find(' ')) + " ") != std::string::npos)
                    out += s + "\n";
            EXPECT_EQ(drawn, partsOf(game)) << "the window is not redrawn after " << line;
        }
        return out;
    }
};

TEST_P(ScriptedGame, ShowsWhatWasWorkedOutByHand) {
    EXPECT_EQ(replay(GetParam()), GetParam().transcript);
    EXPECT_EQ(staleRequests, 0) << "a dialog or search over a window not redrawn";
}

INSTANTIATE_TEST_SUITE_P(Games, ScriptedGame, ::testing::ValuesIn(loadGames()),
                         [](const auto& info) { return info.param.name; });

}  // namespace

// A learn-mode draw in the real Classic window: the rack is filled, every way
// to clear it is found, and the whole list is written to the list box and
// painted. The racks hold two blanks, the case with the longest lists.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>

#include "classic/classicGame.h"
#include "classic/frmMain.h"
#include "core/random.h"
#include "support/scriptedRandom.h"
#include "ui/appearance.h"
#include "ui/richTextBox.h"

namespace {

using quillbox::classic::frmMain;
using quillbox::testing::bagStartingWith;
using quillbox::testing::kFillOrder;
using quillbox::testing::ScriptedRandom;
using quillbox::testing::shuffleScript;

// Start Game runs the same draw as Draw Tiles, after refilling the bag.
void BM_LearnModeDrawWithTwoBlanks(benchmark::State& state, const char* rack) {
    const std::vector<double> script = shuffleScript(kFillOrder, bagStartingWith(rack));
    ScriptedRandom random;
    quillbox::core::setApplicationRandom(&random);
    std::size_t lines = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto* w = new frmMain();
        w->show();
        QApplication::processEvents();
        for (double v : script)
            random.push(v);
        state.ResumeTiming();

        w->cmdStartGame->click();
        // Painted, and every update the painting itself asked for handled.
        w->rtfPotentials->repaint();
        QApplication::processEvents();

        state.PauseTiming();
        lines = static_cast<std::size_t>(w->rtfPotentials->document()->blockCount());
        delete w;  // no close: that would ask about the game in progress
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["lines"] = static_cast<double>(lines);
    quillbox::core::setApplicationRandom(nullptr);
}

BENCHMARK_CAPTURE(BM_LearnModeDrawWithTwoBlanks, AEHMO__, "AEHMO__")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK_CAPTURE(BM_LearnModeDrawWithTwoBlanks, AOTEN__, "AOTEN__")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK_CAPTURE(BM_LearnModeDrawWithTwoBlanks, RSTLN__, "RSTLN__")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    quillbox::ui::setUpApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

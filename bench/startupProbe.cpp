// Starts Quillbox as src/main.cpp does and reports when the launch pad's first
// frame is on screen and how much memory the program holds.
//
//   startup_probe idle [settle-ms]
//       the launch pad shown, then idle for settle-ms (default 1000)
//   startup_probe draw [settle-ms] [rack]
//       then Classic in learn mode, a game started whose first rack is the
//       seven tiles given (default "_AOTEN_", two blanks and one of the longest
//       lists of ways to clear a rack), memory read once the list is shown
#include <QApplication>
#include <QLabel>
#include <string>

#include "classic/frmMain.h"
#include "core/frmLaunchpad.h"
#include "core/mainMod.h"
#include "probeSupport.h"
#include "support/scriptedRandom.h"
#include "ui/appearance.h"
#include "ui/richTextBox.h"

using namespace quillbox;
using namespace quillbox::classic;
using namespace quillbox::core;

namespace {

// The shuffle that puts rack at the front of the bag.
std::vector<double> shuffleFor(const std::string& rack) {
    std::string bag = testing::kFillOrder;
    std::string order;
    for (char tile : rack) {
        const auto at = bag.find(tile);
        if (at == std::string::npos) {
            std::fprintf(stderr, "probe: the bag has no tile %c left for the rack\n", tile);
            std::_Exit(2);
        }
        order += tile;
        bag.erase(at, 1);
    }
    return testing::shuffleScript(testing::kFillOrder, order + bag);
}

void startClassicGame(int settleMs, const std::string& rack) {
    static testing::ScriptedRandom random;
    for (double v : shuffleFor(rack))
        random.push(v);
    setApplicationRandom(&random);

    frmLaunchpad::instance().cmdClassic_Click();
    frmMain& classic = frmMain::instance();
    new probe::FirstFrame(&classic, [&classic, settleMs] {
        probe::reportMemory("classic");
        const long long before = probe::monotonicNs();
        classic.cmdStartGame_Click();
        probe::report("draw_ns", probe::monotonicNs() - before);
        QTimer::singleShot(settleMs, [&classic] {
            probe::reportMemory("draw");
            probe::report("list_lines", classic.rtfPotentials->text().count(QLatin1Char('\n')));
            probe::finish();
        });
    });
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "idle";
    const int settleMs = argc > 2 ? std::atoi(argv[2]) : 1000;
    const std::string rack = argc > 3 ? argv[3] : "_AOTEN_";
    if ((mode != "idle" && mode != "draw") || rack.size() != 7) {
        std::fprintf(stderr, "usage: startup_probe idle|draw [settle-ms] [seven tiles]\n");
        return 2;
    }

    // As src/main.cpp starts the program.
    QApplication app(argc, argv);
    ui::setUpApplication();
    mainMod::lexicon();

    probe::watchdog(120);
    frmLaunchpad& pad = frmLaunchpad::instance();
    new probe::FirstFrame(&pad, [=] {
        probe::report("shown_ns", probe::monotonicNs());
        QTimer::singleShot(settleMs, [=] {
            probe::reportMemory("idle");
            if (mode == "idle")
                probe::finish();
            startClassicGame(settleMs, rack);
        });
    });
    pad.show();
    return QApplication::exec();
}

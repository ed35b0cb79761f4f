// The yardstick for Quillbox's start-up and memory: a Qt Widgets program that
// shows one empty window, built and measured exactly as startupProbe is.
//   minimal_qt [settle-ms]
#include <QApplication>
#include <QWidget>

#include "probeSupport.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int settleMs = argc > 1 ? std::atoi(argv[1]) : 1000;
    probe::watchdog(60);
    QWidget window;
    window.resize(400, 300);
    probe::FirstFrame first(&window, [settleMs] {
        probe::report("shown_ns", probe::monotonicNs());
        QTimer::singleShot(settleMs, [] {
            probe::reportMemory("idle");
            probe::finish();
        });
    });
    window.show();
    return QApplication::exec();
}

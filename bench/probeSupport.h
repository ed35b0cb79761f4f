#pragma once
// Shared by the start-up and memory probes: the moment a window's first frame
// has been handed to the window system, and the memory the process holds.
// Each probe prints "name value" lines for bench/startup.sh to collect.
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>
#include <utility>

namespace probe {

// The clock bench/startup.sh reads just before starting the probe.
inline long long monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

struct Memory {
    long residentKb = 0;  // VmRSS: held now
    long peakKb = 0;      // VmHWM: the most held at any moment so far
};

inline Memory memory() {
    Memory m;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            m.residentKb = std::atol(line.c_str() + 6);
        if (line.rfind("VmHWM:", 0) == 0)
            m.peakKb = std::atol(line.c_str() + 6);
    }
    return m;
}

inline void report(const char* name, long long value) {
    std::printf("%s %lld\n", name, value);
    std::fflush(stdout);
}

inline void reportMemory(const char* prefix) {
    const Memory m = memory();
    report((std::string(prefix) + "_rss_kb").c_str(), m.residentKb);
    report((std::string(prefix) + "_peak_kb").c_str(), m.peakKb);
}

// Ends the probe at once: tearing the windows down is not what is measured.
[[noreturn]] inline void finish() {
    std::fflush(stdout);
    std::_Exit(0);
}

// Runs then() once, on the first turn of the event loop after the widget's
// first paint, when the frame has been flushed to the window.
class FirstFrame : public QObject {
  public:
    FirstFrame(QWidget* widget, std::function<void()> then)
        : QObject(widget), then_(std::move(then)) {
        widget->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, this, [this] { then_(); });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> then_;
    bool seen_ = false;
};

// A probe that hangs (a dialog waiting for an answer, say) fails instead.
inline void watchdog(int seconds) {
    QTimer::singleShot(seconds * 1000, [] {
        std::fprintf(stderr, "probe: gave up after waiting\n");
        std::_Exit(3);
    });
}

}  // namespace probe

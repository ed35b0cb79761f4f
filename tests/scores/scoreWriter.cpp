// A separate program using the high-score file, so tests can run many at
// once, kill one mid-update, or run one as an unprivileged player:
//   scoreWriter add <folder> <name> <points> [--at <ns>] [--kill-before-rename]
//   scoreWriter ishigh <folder> <points> [--at <ns>]
// --at waits until that time of std::chrono::steady_clock; --kill-before-rename dies by
// SIGKILL once the new table is written and before it replaces the old one.
// ishigh prints 1 or 0. A file error prints its action (as a number), its
// file and its reason, one a line, and exits with 2.
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "scores/scoreFile.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    ::alarm(20);  // a call that would block for ever fails the test instead
    quillbox::scores::ScoreFile file(args.at(1));
    for (std::size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--kill-before-rename")
            file.setBeforeReplaceHook([] { ::raise(SIGKILL); });
        if (args[i] == "--at")
            std::this_thread::sleep_until(std::chrono::steady_clock::time_point(
                std::chrono::nanoseconds(std::stoll(args.at(i + 1)))));
    }
    try {
        if (args[0] == "add")
            file.addScore(args.at(2), std::stoi(args.at(3)));
        else
            std::printf("%d\n", file.isHigh(std::stoi(args.at(2))) ? 1 : 0);
    } catch (const quillbox::scores::ScoreFileError& e) {
        std::printf("%d\n%s\n%s\n", static_cast<int>(e.action()), e.path().c_str(),
                    e.reason().c_str());
        return 2;
    }
    return 0;
}

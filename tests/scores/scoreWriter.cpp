// A separate process that uses the high-score file, so tests can run several
// at once, kill one mid-update, or run one as an unprivileged user.
//
//   scoreWriter add <folder> <name> <points> [options]
//   scoreWriter ishigh <folder> <points> [options]
// options:
//   --at <ns>               wait until this CLOCK_MONOTONIC time before starting
//   --as-nobody             drop root privileges first (uid and gid 65534)
//   --kill-before-rename    die by SIGKILL once the new table is written but
//                           before it replaces the old one
// Exit status: 0 done (ishigh prints 1 or 0), 2 file error (message on
// stderr), 3 bad arguments, 4 privileges could not be dropped.
#include <grp.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "scores/scoreFile.h"

namespace {

int usage() {
    std::fprintf(stderr, "usage: scoreWriter add|ishigh <folder> ...\n");
    return 3;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    long long startAt = 0;
    bool asNobody = false;
    bool killBeforeRename = false;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--at" && i + 1 < args.size()) {
            startAt = std::stoll(args[++i]);
        } else if (args[i] == "--as-nobody") {
            asNobody = true;
        } else if (args[i] == "--kill-before-rename") {
            killBeforeRename = true;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() < 3)
        return usage();

    if (asNobody) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) {
            std::perror("dropping privileges");
            return 4;
        }
    }
    if (startAt > 0) {
        timespec ts{static_cast<time_t>(startAt / 1000000000),
                    static_cast<long>(startAt % 1000000000)};
        while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
        }
    }

    quillbox::scores::ScoreFile file(positional[1]);
    if (killBeforeRename)
        file.setBeforeReplaceHook([] { ::raise(SIGKILL); });
    try {
        if (positional[0] == "add" && positional.size() == 4) {
            file.addScore(positional[2], std::stoi(positional[3]));
        } else if (positional[0] == "ishigh" && positional.size() == 3) {
            std::printf("%d\n", file.isHigh(std::stoi(positional[2])) ? 1 : 0);
        } else {
            return usage();
        }
    } catch (const quillbox::scores::ScoreFileError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
    return 0;
}

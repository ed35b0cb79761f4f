// The legal-play finder over racks drawn from a full bag with 0, 1 and 2
// blanks: the search alone (mean and slowest rack per class), the literal
// search on the same racks, and the speed-up between them.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>
#include <string>
#include <vector>

#include "classic/legalPlayFinder.h"
#include "core/mainMod.h"
#include "legalPlayOracle.h"

namespace {

using quillbox::classic::LegalPlayFinder;
using quillbox::core::mainMod::lexicon;

// Many racks for the finder, so the slowest one is a fair worst case; the
// literal search gets the first few of them.
constexpr int kFinderRacks = 1000;
int literalRacks(int blanks) {
    return blanks == 2 ? 12 : 100;
}

const std::vector<std::string>& racks(int blanks) {
    static std::map<int, std::vector<std::string>> byClass;
    auto& r = byClass[blanks];
    if (r.empty())
        r = quillbox::bench::drawRacks(kFinderRacks, blanks, 4242u + blanks);
    return r;
}

struct Figures {
    double fastMeanUs = 0;
    double fastMaxUs = 0;
    std::string slowestRack;
    std::size_t slowestRackPlays = 0;
    double sameRacksFastUs = 0;
    double literalUs = 0;
};
std::map<int, Figures> figures;

// Per-rack times are this thread's CPU time, so that other work on a shared
// machine does not pose as a slow rack; the framework's own columns show wall
// and CPU time side by side.
using CpuTime = std::chrono::duration<double, std::micro>;
CpuTime threadCpuNow() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return CpuTime(ts.tv_sec * 1e6 + ts.tv_nsec / 1e3);
}
double microsecondsSince(CpuTime start) {
    return (threadCpuNow() - start).count();
}

// Each rack is timed on its own; its figure is the best of the iterations,
// which keeps one scheduler hiccup from posing as the slowest rack.
void BM_FinderSearch(benchmark::State& state) {
    const int blanks = static_cast<int>(state.range(0));
    const auto& rs = racks(blanks);
    LegalPlayFinder finder(lexicon());
    std::vector<double> best(rs.size(), 1e300);
    std::size_t plays = 0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < rs.size(); ++i) {
            const auto start = threadCpuNow();
            const auto& list = finder.find(rs[i]);
            best[i] = std::min(best[i], microsecondsSince(start));
            plays += list.plays.size();
            benchmark::DoNotOptimize(list.plays.data());
        }
    }
    Figures& f = figures[blanks];
    double sum = 0;
    std::size_t slowest = 0;
    for (std::size_t i = 0; i < best.size(); ++i) {
        sum += best[i];
        if (best[i] > best[slowest])
            slowest = i;
    }
    f.fastMeanUs = sum / best.size();
    f.fastMaxUs = best[slowest];
    f.slowestRack = rs[slowest];
    f.slowestRackPlays = finder.find(rs[slowest]).plays.size();
    state.counters["mean_us"] = f.fastMeanUs;
    state.counters["max_us"] = f.fastMaxUs;
    state.counters["plays_per_rack"] =
        static_cast<double>(plays) / (rs.size() * static_cast<double>(state.iterations()));
    state.SetLabel("slowest " + f.slowestRack);
}

void BM_FinderSearchSameRacksAsLiteral(benchmark::State& state) {
    const int blanks = static_cast<int>(state.range(0));
    const std::vector<std::string> rs(racks(blanks).begin(),
                                      racks(blanks).begin() + literalRacks(blanks));
    LegalPlayFinder finder(lexicon());
    const auto start = threadCpuNow();
    for (auto _ : state)
        for (const auto& rack : rs) {
            benchmark::DoNotOptimize(finder.find(rack).plays.data());
        }
    figures[blanks].sameRacksFastUs =
        microsecondsSince(start) / (static_cast<double>(state.iterations()) * rs.size());
    state.counters["per_rack_us"] = figures[blanks].sameRacksFastUs;
}

void BM_LiteralSearch(benchmark::State& state) {
    const int blanks = static_cast<int>(state.range(0));
    const std::vector<std::string> rs(racks(blanks).begin(),
                                      racks(blanks).begin() + literalRacks(blanks));
    quillbox::bench::LegalPlayOracle oracle(lexicon());
    const auto start = threadCpuNow();
    for (auto _ : state)
        for (const auto& rack : rs) {
            oracle.findLegalPlays(rack);
            benchmark::DoNotOptimize(oracle.appended.data());
        }
    figures[blanks].literalUs =
        microsecondsSince(start) / (static_cast<double>(state.iterations()) * rs.size());
    state.counters["per_rack_us"] = figures[blanks].literalUs;
}

// What a window pays before painting: the search and the whole list text.
void BM_FinderSearchAndListText(benchmark::State& state) {
    const int blanks = static_cast<int>(state.range(0));
    const auto& rs = racks(blanks);
    LegalPlayFinder finder(lexicon());
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& list = finder.find(rs[i++ % rs.size()]);
        benchmark::DoNotOptimize(quillbox::classic::listContent(list, "\n"));
    }
}

void BM_FinderConstruction(benchmark::State& state) {
    for (auto _ : state) {
        LegalPlayFinder finder(lexicon());
        benchmark::DoNotOptimize(&finder);
    }
}

BENCHMARK(BM_FinderSearch)->Arg(0)->Arg(1)->Arg(2)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FinderSearchSameRacksAsLiteral)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiteralSearch)->Arg(0)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FinderSearchAndListText)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FinderConstruction)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    if (figures.empty())
        return 0;  // a filter left out every search
    std::printf("\nLegal-play search per rack (%d racks per class for the finder)\n", kFinderRacks);
    std::printf("%-7s %11s %11s  %-9s %6s | %6s %12s %12s %9s\n", "blanks", "mean us", "max us",
                "slowest", "plays", "racks", "finder us", "literal us", "speed-up");
    for (const auto& [blanks, f] : figures) {
        std::printf("%-7d %11.1f %11.1f  %-9s %6zu | %6d %12.1f %12.1f %8.0fx\n", blanks,
                    f.fastMeanUs, f.fastMaxUs, f.slowestRack.c_str(), f.slowestRackPlays,
                    literalRacks(blanks), f.sameRacksFastUs, f.literalUs,
                    f.sameRacksFastUs > 0 ? f.literalUs / f.sameRacksFastUs : 0.0);
    }
    return 0;
}

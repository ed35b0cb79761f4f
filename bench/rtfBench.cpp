// Reading and writing a 10 MB RTF document with the plain C++ reader and writer.
#include <benchmark/benchmark.h>

#include "rtfDocumentSample.h"
#include "ui/rtf/rtfDocument.h"

namespace {

const std::string& sample() {
    static const std::string s = quillbox::bench::largeRtfDocument(10u << 20);
    return s;
}

void BM_ReadRtf10MB(benchmark::State& state) {
    const std::string& in = sample();
    std::size_t characters = 0;
    for (auto _ : state) {
        const quillbox::ui::rtf::Document d = quillbox::ui::rtf::readRtf(in);
        characters = d.paragraphs.size();
        benchmark::DoNotOptimize(characters);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * in.size()));
    state.counters["paragraphs"] = static_cast<double>(characters);
}
BENCHMARK(BM_ReadRtf10MB)->Unit(benchmark::kMillisecond);

void BM_WriteRtf10MB(benchmark::State& state) {
    const quillbox::ui::rtf::Document d = quillbox::ui::rtf::readRtf(sample());
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string out = quillbox::ui::rtf::writeRtf(d);
        bytes = out.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_WriteRtf10MB)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

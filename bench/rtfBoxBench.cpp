// The rich-text box loading a 10 MB RTF file (read, build the Qt document,
// lay it out) and searching it, as the rules viewer does.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "rtfDocumentSample.h"
#include "ui/richTextBox.h"

namespace {

QString samplePath() {
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("large.rtf"));
        QFile f(p);
        if (f.open(QIODevice::WriteOnly)) {
            const std::string s = quillbox::bench::largeRtfDocument(10u << 20);
            f.write(s.data(), static_cast<qint64>(s.size()));
        }
        return p;
    }();
    return path;
}

void BM_LoadFile10MB(benchmark::State& state) {
    const QString path = samplePath();
    quillbox::ui::RichTextBox box;
    box.resize(370, 377);
    box.show();
    box.loadFile(path);  // the first load also sets up the font database
    for (auto _ : state) {
        box.loadFile(path);
        benchmark::DoNotOptimize(box.textLength());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * QFile(path).size()));
}
BENCHMARK(BM_LoadFile10MB)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_FindNearTheEnd10MB(benchmark::State& state) {
    quillbox::ui::RichTextBox box;
    box.loadFile(samplePath());
    box.setSelStart(50000000);
    box.setSelText(QStringLiteral("\r\nUNITS OF MEASUREMENT\r\n"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(box.find(QStringLiteral("UNITS OF MEASUREMENT"), 0, -1, true));
    }
}
BENCHMARK(BM_FindNearTheEnd10MB)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

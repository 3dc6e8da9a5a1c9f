// A large reference document read into the tests-information window: the
// rich-text reader alone, the reader and the Qt document, and the whole
// opening of the window's document (file, reader, document, editor, search
// text), at 1.25, 2.5 and 5 MB to show the growth. Each block of the document
// holds a table of 8 rows, so 5 MB hold about 4,000 tables of 32 cells.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextEdit>
#include <cstdlib>

#include "server/core/RtfReader.h"
#include "server/ui/RichTextDocument.h"
#include "server/ui/TestsInfoWindow.h"

namespace {

// One block of a normal-values document as a word processor writes it: a
// Persian heading in \'hh escapes, a paragraph in \u escapes, an English line
// and a table row per test.
std::string Block(int n) {
    std::string b =
        "\\pard\\rtlpar\\qr\\f0\\rtlch\\fs24\\cf1\\b \\'e3\\'de\\'c7\\'cf\\'ed\\'d1 \\'d8\\'c8\\'ed\\'da\\'ed " +
        std::to_string(n) + "\\b0\\cf0\\par\r\n"
        "\\pard\\rtlpar\\qr \\u1605\\'e3\\u1602\\'de\\u1575\\'c7\\u1583\\'cf\\u1740?\\u1585\\'d1 \\u1586\\'d2\\u1740?"
        "\\u1585\\'d1 \\u1576\\'c8\\u1585\\'d1\\u1575\\'c7\\u1740? \\u1576\\'c8\\u1586\\'d2\\u1585\\'d1\\u1711\\'90\\par\r\n"
        "\\pard\\ltrpar\\ql\\f1 Normal values for adults; see the notes below the table.\\par\r\n";
    const char* tests[] = {"FBS", "TSH", "Chol", "TG", "HDL", "LDL", "Cr", "Urea"};
    for (const char* t : tests)
        b += std::string("\\trowd\\trgaph108\\cellx2200\\cellx3600\\cellx5800\\cellx9200 \\pard\\intbl ") + t +
             "\\cell mg/dL\\cell 70 - 100\\cell \\rtlch \\'de\\'e4\\'cf \\'ce\\'e6\\'e4\\cell\\row\r\n";
    return b;
}

std::string Document(size_t bytes) {
    std::string doc =
        "{\\rtf1\\ansi\\ansicpg1256\\deff0{\\fonttbl{\\f0\\fnil\\fcharset178 Tahoma;}{\\f1\\fswiss\\fcharset0 Arial;}}"
        "{\\colortbl ;\\red0\\green0\\blue128;}\\viewkind4\\uc1\r\n";
    for (int n = 1; doc.size() < bytes; ++n) doc += Block(n);
    return doc + "}";
}

size_t Bytes(const benchmark::State& state) { return static_cast<size_t>(state.range(0)) * 1024; }

void BM_ReadRtf(benchmark::State& state) {
    const std::string doc = Document(Bytes(state));
    for (auto _ : state) benchmark::DoNotOptimize(orv::ReadRtf(doc));
    state.SetComplexityN(static_cast<int64_t>(doc.size()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * doc.size()));
}
BENCHMARK(BM_ReadRtf)->Arg(1280)->Arg(2560)->Arg(5120)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// A short reply letter in another code page, the kind a reader meets one after
// another: what reading it costs besides the code page's table.
void BM_ReadShortRtf(benchmark::State& state) {
    const std::string doc =
        "{\\rtf1\\ansi\\ansicpg" + std::to_string(state.range(0)) +
        "\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0 Dear colleague,\\par The sample of \\'e9\\'e8 "
        "was received on 1401/06/30.\\par}";
    for (auto _ : state) benchmark::DoNotOptimize(orv::ReadRtf(doc));
}
BENCHMARK(BM_ReadShortRtf)->Arg(1252)->Arg(1256)->Unit(benchmark::kMicrosecond);

void BM_ReadAndBuild(benchmark::State& state) {
    const std::string doc = Document(Bytes(state));
    for (auto _ : state) {
        QTextDocument text;
        orv::ui::FillTextDocument(text, orv::ReadRtf(doc));
        benchmark::DoNotOptimize(text.characterCount());
    }
    state.SetComplexityN(static_cast<int64_t>(doc.size()));
}
BENCHMARK(BM_ReadAndBuild)->Arg(1280)->Arg(2560)->Arg(5120)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// The same with every table as lines at tab stops: what the viewer's tables
// (orv::ui::kTableCells cells of them) cost besides.
void BM_ReadAndBuildWithoutTables(benchmark::State& state) {
    const std::string doc = Document(Bytes(state));
    for (auto _ : state) {
        QTextDocument text;
        orv::ui::FillTextDocument(text, orv::ReadRtf(doc), 0);
        benchmark::DoNotOptimize(text.characterCount());
    }
}
BENCHMARK(BM_ReadAndBuildWithoutTables)->Arg(5120)->Unit(benchmark::kMillisecond);

// What the window does when it opens on a kept document.
void BM_IntoTheWindow(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/LastNormalValue.rtf");
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly)) std::abort();
        f.write(QByteArray::fromStdString(Document(Bytes(state))));
    }
    orv::ui::TestsInfoWindow form;
    form.resize(804, 407);
    form.localPath = path;
    for (auto _ : state) {
        form.loadDocument();
        benchmark::DoNotOptimize(form.textLength());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_IntoTheWindow)->Arg(1280)->Arg(2560)->Arg(5120)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

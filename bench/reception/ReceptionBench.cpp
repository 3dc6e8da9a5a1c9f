// The reception window with a large day: loading "today.txt" of 2,000 patients
// with 10 tests each and showing it (grid and last patient), and one keystroke
// in the test name with the related tests over the catalogue.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdlib>

#include "base/core/TextFile.h"
#include "reception/core/WorklistRecord.h"
#include "reception/ui/ReceptionWindow.h"
#include "reception/ui/WorklistModel.h"

using orv::reception::ReceptionWindow;

namespace {

const char* const kTests[] = {"FBS", "Chol", "TG", "HDL", "LDL", "Urea", "Cr", "TSH", "CBC", "HbA1C"};
const char* const kNames[] = {"محمد رضا", "فاطمه", "علي", "زهرا", "حسين"};

std::vector<std::string> Patients(int count) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        orv::reception::WorklistRecord r;
        r.receipt = std::to_string(10000 + i);
        r.firstName = kNames[i % 5];
        r.familyName = "کاظمي";
        r.age = std::to_string(1 + i % 90);
        r.father = "حسن";
        r.sex = 1 + i % 2;
        for (const char* t : kTests) r.tests.emplace_back(t);
        lines.push_back(orv::reception::StoreRecord(r));
    }
    return lines;
}

ReceptionWindow& Window(const QString& root) {
    static ReceptionWindow* form = nullptr;
    if (!form) {
        form = new ReceptionWindow();
        form->root = root;
        form->autosaveTimer->stop();
        form->show();
    }
    return *form;
}

QTemporaryDir& Workspace() {
    static QTemporaryDir dir;
    return dir;
}

void BM_LoadAndShowWorklist(benchmark::State& state) {
    const QString root = Workspace().path() + u'/';
    orv::WriteTextFile(QString(root + QStringLiteral("today.txt")).toStdString(), Patients(static_cast<int>(state.range(0))));
    ReceptionWindow& form = Window(root);
    for (auto _ : state) {
        form.loadLists();
        QApplication::processEvents();
        benchmark::DoNotOptimize(form.worklist->Count());
    }
    if (form.worklist->Count() != state.range(0)) state.SkipWithError("the list did not load");
}
BENCHMARK(BM_LoadAndShowWorklist)->Arg(2000)->Unit(benchmark::kMillisecond);

void BM_RelatedTestsKeystroke(benchmark::State& state) {
    ReceptionWindow& form = Window(Workspace().path() + u'/');
    form.testNameBox->setEditText(QStringLiteral("hb"));
    for (auto _ : state) {
        form.showRelatedTests();
        benchmark::DoNotOptimize(form.relatedTestsList->count());
    }
    if (form.relatedTestsList->count() == 0) state.SkipWithError("no related tests");
}
BENCHMARK(BM_RelatedTestsKeystroke)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

#include "results/ui/ArchiveSearcher.h"

#include <QElapsedTimer>
#include <QMetaObject>

namespace orv::results {

ArchiveSearcher::ArchiveSearcher(QObject* parent) : QObject(parent) {}

ArchiveSearcher::~ArchiveSearcher() { StopWorker(); }

void ArchiveSearcher::StopWorker() {
    if (!worker_) return;
    *cancel_ = true;
    worker_->disconnect(this);
    worker_->wait();
    delete worker_;
    worker_ = nullptr;
}

void ArchiveSearcher::Start(const QString& root) {
    StopWorker();
    root_ = root;
    changedWhileBuilding_.clear();
    index_ = std::make_unique<ArchiveIndex>(root.toStdString());
    index_->ClearNeedsSync();  // the worker reads the days
    StartWorker();
}

void ArchiveSearcher::StartWorker() {
    if (worker_) return;
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    worker_ = QThread::create([this, cancel = cancel_, folder = root_.toStdString()] {
        ArchiveIndex own(folder);
        QElapsedTimer shown;
        shown.start();
        own.Sync(
            [this, &shown](size_t done, size_t total) {
                if (done < total && shown.elapsed() < 500) return;
                shown.restart();
                QMetaObject::invokeMethod(
                    this, [this, done, total] { emit Progress(static_cast<int>(done), static_cast<int>(total)); },
                    Qt::QueuedConnection);
            },
            cancel.get());
    });
    worker_->setObjectName(QStringLiteral("archive index"));
    connect(worker_, &QThread::finished, this, &ArchiveSearcher::Built);
    worker_->start(QThread::LowPriority);
}

void ArchiveSearcher::Built() {
    worker_->deleteLater();
    worker_ = nullptr;
    for (const std::string& day : changedWhileBuilding_) index_->UpdateDay(day);
    changedWhileBuilding_.clear();
    emit IndexReady();
}

void ArchiveSearcher::DayChanged(const QString& compact) {
    if (!index_) return;
    if (worker_)
        changedWhileBuilding_.insert(compact.toStdString());
    else
        index_->UpdateDay(compact.toStdString());
    AfterQuery();
}

// The UI thread's connection found the index damaged and made it anew: its days are read again.
void ArchiveSearcher::AfterQuery() {
    if (!index_ || !index_->NeedsSync()) return;
    index_->ClearNeedsSync();
    StartWorker();
}

std::vector<ArchiveHit> ArchiveSearcher::Search(const QString& text, size_t limit) {
    if (!index_) return {};
    std::vector<ArchiveHit> hits = index_->Search(text.toStdString(), limit);
    AfterQuery();
    return hits;
}

std::vector<HistoryVisit> ArchiveSearcher::History(const QString& text) {
    if (!index_) return {};
    std::vector<HistoryVisit> visits = FindHistory(*index_, text.toStdString());
    AfterQuery();
    return visits;
}

}  // namespace orv::results

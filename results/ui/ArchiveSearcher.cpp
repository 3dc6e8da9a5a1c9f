#include "results/ui/ArchiveSearcher.h"

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
    ready_ = false;
    changedWhileBuilding_.clear();
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    building_ = std::make_shared<ArchiveIndex>();
    worker_ = QThread::create([index = building_, cancel = cancel_, folder = root.toStdString()] {
        index->Build(folder, cancel.get());
    });
    worker_->setObjectName(QStringLiteral("archive index"));
    connect(worker_, &QThread::finished, this, &ArchiveSearcher::Built);
    worker_->start(QThread::LowPriority);
}

void ArchiveSearcher::Built() {
    index_ = std::move(*building_);
    building_.reset();
    worker_->deleteLater();
    worker_ = nullptr;
    for (const std::string& day : changedWhileBuilding_) index_.UpdateDay(root_.toStdString(), day);
    changedWhileBuilding_.clear();
    ready_ = true;
    emit IndexReady();
}

void ArchiveSearcher::DayChanged(const QString& compact) {
    if (root_.isEmpty()) return;
    if (worker_)
        changedWhileBuilding_.insert(compact.toStdString());
    else
        index_.UpdateDay(root_.toStdString(), compact.toStdString());
}

std::vector<ArchiveHit> ArchiveSearcher::Search(const QString& text, size_t limit) const {
    if (!ready_) return {};
    return index_.Search(text.toStdString(), limit);
}

std::vector<HistoryVisit> ArchiveSearcher::History(const QString& text) const {
    if (!ready_) return {};
    return FindHistory(index_, text.toStdString());
}

}  // namespace orv::results

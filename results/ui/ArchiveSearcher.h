#pragma once
// The window's archive index: opened on the workspace when asked (Start) and
// brought in step on a worker thread with a connection of its own (only new or
// changed days are read), kept in step as days are downloaded (DayChanged),
// searched on the UI thread. While the worker reads, searches answer from the
// days read so far. An index found damaged is made anew in the background.
#include <QObject>
#include <QString>
#include <QThread>
#include <atomic>
#include <memory>
#include <set>
#include <string>

#include "results/core/ArchiveIndex.h"
#include "results/core/PatientHistory.h"

namespace orv::results {

class ArchiveSearcher : public QObject {
    Q_OBJECT
public:
    explicit ArchiveSearcher(QObject* parent = nullptr);
    ~ArchiveSearcher() override;

    // Opens the index of `root` and reads the changed days in the background (again if `root` changed).
    void Start(const QString& root);
    // In step with the day files: no reading in the background.
    bool Ready() const { return index_ && !worker_; }
    bool Started() const { return index_ != nullptr; }
    const QString& Root() const { return root_; }
    void DayChanged(const QString& compact);
    std::vector<ArchiveHit> Search(const QString& text, size_t limit);
    // Every day of the one patient whose whole name or code `text` is, oldest first.
    std::vector<HistoryVisit> History(const QString& text);

signals:
    // Days read so far of those the worker found new or changed (at most twice a second).
    void Progress(int done, int total);
    void IndexReady();

private:
    void StartWorker();
    void Built();
    void StopWorker();
    void AfterQuery();

    QString root_;
    std::unique_ptr<ArchiveIndex> index_;  // the UI thread's connection
    QThread* worker_ = nullptr;
    std::shared_ptr<std::atomic<bool>> cancel_;
    std::set<std::string> changedWhileBuilding_;
};

}  // namespace orv::results

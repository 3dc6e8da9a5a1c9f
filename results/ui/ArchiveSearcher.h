#pragma once
// The archive index of the window: built on a worker thread when asked
// (Start), kept current as days are downloaded (DayChanged), searched on the
// UI thread. While the index is being built, searches find nothing yet and
// changed days wait to be read into it once it is there.
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

    // Builds the index of `root` in the background (again if `root` changed).
    void Start(const QString& root);
    bool Ready() const { return ready_; }
    const QString& Root() const { return root_; }
    void DayChanged(const QString& compact);
    std::vector<ArchiveHit> Search(const QString& text, size_t limit) const;
    // Every day of the patient the search finds for `text`, oldest first.
    std::vector<HistoryVisit> History(const QString& text) const;
    // The report line of a hit; empty while the index is not ready.
    std::string_view Line(const std::string& day, int row) const {
        return ready_ ? index_.Line(day, row) : std::string_view();
    }

signals:
    void IndexReady();

private:
    void Built();
    void StopWorker();

    QString root_;
    QThread* worker_ = nullptr;
    std::shared_ptr<std::atomic<bool>> cancel_;
    std::shared_ptr<ArchiveIndex> building_;
    ArchiveIndex index_;
    std::set<std::string> changedWhileBuilding_;
    bool ready_ = false;
};

}  // namespace orv::results

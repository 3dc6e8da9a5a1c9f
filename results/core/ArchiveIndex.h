#pragma once
// An index over the local archive of result files (the compact date + ".txt"
// files in the workspace folder) that finds a patient across every archived
// day: by name, compared after letter folding, or by origin or reference code
// (digits, or letters and digits in any case).
// Hits come newest day first, then in row order.
//
//   ArchiveIndex index;
//   index.Build(root);                  // off the UI thread
//   index.UpdateDay(root, "14050917");  // after that day was downloaded
//   for (const ArchiveHit& hit : index.Search("رضايي")) ...
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace orv::results {

enum class ArchiveField { Name, OriginCode, ReferenceCode };

struct ArchiveHit {
    std::string day;  // compact date, YYYYMMDD
    int row = 0;      // grid row: 1 for the file's first line
    std::string name;
    std::string originCode;
    std::string referenceCode;
    ArchiveField field = ArchiveField::Name;  // where the text was found
};

class ArchiveIndex {
public:
    ArchiveIndex() = default;
    // Built off the UI thread and moved in; never copied (a year is tens of megabytes).
    ArchiveIndex(ArchiveIndex&&) noexcept = default;
    ArchiveIndex& operator=(ArchiveIndex&&) noexcept = default;
    ArchiveIndex(const ArchiveIndex&) = delete;
    ArchiveIndex& operator=(const ArchiveIndex&) = delete;

    // True for a name of eight digits followed by ".txt"; `day` gets the digits.
    static bool IsArchiveFileName(std::string_view fileName, std::string* day = nullptr);
    // The archived days in `folder`, newest first.
    static std::vector<std::string> ArchivedDays(const std::string& folder);

    // Indexes every archived day of `folder`, replacing what was indexed.
    // Stops early (keeping the days read so far) when `cancel` becomes true.
    void Build(const std::string& folder, const std::atomic<bool>* cancel = nullptr);
    // Reads one day again; a day whose file is gone (or unreadable) leaves the index.
    void UpdateDay(const std::string& folder, const std::string& day);
    // Indexes `lines` (the day's report text) as the day's content.
    void SetDay(const std::string& day, const std::vector<std::string>& lines);
    void RemoveDay(const std::string& day);

    // A text that folds to digits alone is looked for in the origin and reference
    // codes; anything else in the patient names and in the codes (a code with
    // letters, whatever their case). A patient found in more than one field is
    // one hit. An empty text finds nothing. At most `limit` hits.
    std::vector<ArchiveHit> Search(std::string_view text, size_t limit = SIZE_MAX) const;

    // The report line of a hit (its day and grid row); empty when the index holds no such line.
    std::string_view Line(const std::string& day, int row) const;

    size_t DayCount() const { return days_.size(); }
    size_t PatientCount() const;

private:
    struct Patient {
        int row = 0;
        std::string name, originCode, referenceCode;
    };
    using Searcher = std::boyer_moore_horspool_searcher<std::string::const_iterator>;
    // Every folded field of one kind in a day, each followed by '\n', in row order.
    struct Column {
        std::string text;
        std::vector<uint32_t> starts;  // start of patient i's field in `text`
        void Add(std::string_view utf8);
        // Calls found(i) once for every patient whose field contains the searched text.
        void Find(const Searcher& searcher, const std::function<bool(size_t)>& found) const;
    };
    // One archived day, folded once when it is read.
    struct Day {
        std::vector<Patient> patients;
        Column names, origins, references;
        std::vector<std::string> lines;  // the report text, for a hit's whole row
    };

    static Day Index(const std::vector<std::string>& lines);

    std::map<std::string, Day, std::greater<>> days_;  // newest first
};

}  // namespace orv::results

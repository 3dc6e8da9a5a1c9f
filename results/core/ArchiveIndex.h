#pragma once
// The index of the local archive of result files (the compact date + ".txt"
// files in the workspace folder): a SQLite file beside them that finds a
// patient across every archived day, by name (compared after letter folding) or
// by origin or reference code (digits, or letters and digits in any case),
// without reading the day files again. The day files stay the truth: the index
// is derived from them, kept in step by each file's size and time, and made
// again from them when it is missing, damaged or of an older layout.
//
// One row per result line (day, row, name, both codes, age); the distinct
// names with their folded form; trigram indexes over the folded names and
// codes, so a substring of three letters or more is answered without a scan
// (shorter texts scan the names, and the codes newest day first).
//
// Several connections (the window's, its worker's, a command run from a timer)
// share the file through SQLite's own locking: WAL, a busy timeout, every
// change in a transaction. A connection is used by one thread at a time.
//
//   ArchiveIndex index(root);
//   index.Sync();                         // only changed days are read
//   for (const ArchiveHit& hit : index.Search("رضايي")) ...
//   index.UpdateDay("14050917");          // after that day was downloaded
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace orv::results {

enum class ArchiveField { Name, OriginCode, ReferenceCode };

struct ArchiveHit {
    std::string day;  // compact date, YYYYMMDD
    int row = 0;      // grid row: 1 for the file's first line
    std::string name;
    std::string originCode;
    std::string referenceCode;
    std::string age;
    ArchiveField field = ArchiveField::Name;  // where the text was found
};

class ArchiveIndex {
public:
    // The index file in the workspace folder (with SQLite's "-wal" and "-shm" beside it while in use).
    static constexpr const char* kFileName = ".orvanet-archive.sqlite";
    // Bumped whenever the tables or the letter folding change: an index of another layout is made again.
    static constexpr int kLayout = 3;

    // Opens the index of `folder` (ending with its separator), making it when
    // missing and anew when it cannot be used. A folder where no file can be
    // written gets an index in memory, made by Sync() each time.
    explicit ArchiveIndex(std::string folder);
    ~ArchiveIndex();
    ArchiveIndex(const ArchiveIndex&) = delete;
    ArchiveIndex& operator=(const ArchiveIndex&) = delete;

    // True for a name of eight digits followed by ".txt"; `day` gets the digits.
    static bool IsArchiveFileName(std::string_view fileName, std::string* day = nullptr);
    // The archived days in `folder`, newest first.
    static std::vector<std::string> ArchivedDays(const std::string& folder);

    const std::string& Folder() const { return folder_; }
    bool InMemory() const { return inMemory_; }

    // Brings the index in step with the folder: a day whose file is new or
    // changed (size or time) is read, newest first, a day whose file went is
    // removed; nothing is read when nothing changed. `progress(done, total)`
    // follows the days read; a stop through `cancel` keeps the days read so
    // far. The number of days read.
    using Progress = std::function<void(size_t done, size_t total)>;
    size_t Sync(const Progress& progress = {}, const std::atomic<bool>* cancel = nullptr);
    // Reads one day again; a day whose file is gone (or unreadable) leaves the index.
    void UpdateDay(const std::string& day);

    // A text that folds to digits alone is looked for in the origin and reference
    // codes; anything else in the patient names and in the codes (a code with
    // letters, whatever their case). Hits come newest day first, then in row
    // order; a patient found in more than one field is one hit. An empty text
    // finds nothing. At most `limit` hits.
    std::vector<ArchiveHit> Search(std::string_view text, size_t limit = SIZE_MAX);
    // One patient's lines, oldest day first: the whole name equal after folding,
    // or (digits, or a code with letters) a whole origin or reference code equal.
    std::vector<ArchiveHit> Patient(std::string_view text);

    size_t DayCount();
    size_t PatientCount();
    // True once the index was found damaged and made anew since the last
    // Sync(): what it answers lacks the days until Sync() reads them again.
    bool NeedsSync() const { return needsSync_; }
    // Another connection reads the days again (the window's worker).
    void ClearNeedsSync() { needsSync_ = false; }

private:
    struct Statement;
    struct DayFile {
        std::string day;
        int64_t size = 0, mtime = 0;
    };

    void Open();
    void Close();
    void Recreate();
    void MakeTables();
    bool Healthy();
    void HandleFailure(int code);
    size_t CountRows(const char* countSql);  // a SELECT count(*), 0 when the index is unwell
    std::vector<DayFile> ListFolder() const;
    bool ReadDay(const DayFile& file, std::vector<std::string>& lines) const;
    void ReplaceDay(const DayFile& file, const std::vector<std::string>& lines);
    void RemoveDay(const std::string& day);
    int64_t NameId(const std::string& name);
    std::vector<ArchiveHit> Lines(const std::string& ids, const std::string& text, size_t limit);
    void Execute(const char* sql);

    std::string folder_;
    std::string path_;
    sqlite3* db_ = nullptr;
    bool inMemory_ = false;
    bool needsSync_ = false;
};

}  // namespace orv::results

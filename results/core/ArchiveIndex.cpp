#include "results/core/ArchiveIndex.h"

#include <sqlite3.h>

#include <algorithm>
#include <functional>
#include <cstdio>
#include <filesystem>
#include <map>
#include <system_error>

#ifndef _WIN32
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "base/core/AtomicFile.h"
#include "base/core/TextFile.h"
#include "results/core/LetterFolding.h"
#include "results/core/ResultLine.h"
#include "results/core/ResultPaths.h"

namespace orv::results {

#ifdef _WIN32
namespace fs = std::filesystem;
#endif


namespace {

// A write transaction waits this long for another connection's (the window's
// worker, a command run from a timer) before it gives up.
constexpr int kBusyTimeoutMs = 15000;
// Days read into one transaction: short enough that another connection waiting
// to write gets its turn, long enough that the first build makes few small
// segments of the trigram indexes for SQLite to merge.
constexpr size_t kDaysPerTransaction = 96;
// A line's id orders the lines newest day first, then in row order: the days
// before the last compact date there is above 20 bits, the row under them. The
// first build reads the newest days first, so the ids come in rising order and
// SQLite fills its pages.
constexpr int kRowBits = 20;
constexpr int64_t kRowMask = (int64_t{1} << kRowBits) - 1;
constexpr int64_t kLastDay = 99999999;
int64_t LineId(int64_t day, int64_t row) { return ((kLastDay - day) << kRowBits) | row; }
int64_t DayOfLine(int64_t id) { return kLastDay - (id >> kRowBits); }
int RowOfLine(int64_t id) { return static_cast<int>(id & kRowMask); }

struct SqlError {
    int code = 0;
};

bool IsDamage(int code) {
    const int primary = code & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB || primary == SQLITE_FORMAT;
}

// fold(text): the text as the search compares it.
void FoldFunction(sqlite3_context* context, int, sqlite3_value** values) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(values[0]));
    const std::string folded = FoldLetters(text ? std::string_view(text, sqlite3_value_bytes(values[0])) : "");
    sqlite3_result_text(context, folded.data(), static_cast<int>(folded.size()), SQLITE_TRANSIENT);
}

// A text as one FTS5 phrase: the trigram tokenizer then matches it as a substring.
std::string Phrase(std::string_view folded) {
    std::string phrase = "\"";
    for (char c : folded) {
        if (c == '"') phrase += '"';
        phrase += c;
    }
    return phrase + '"';
}

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A regular file's size and time of change, as Sync() compares them.
bool FileSignature(const std::string& utf8Path, int64_t& size, int64_t& mtime) {
#ifndef _WIN32
    struct stat info {};
    if (::stat(utf8Path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    size = info.st_size;
    mtime = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
#else
    std::error_code error;
    const fs::path path(std::u8string(reinterpret_cast<const char8_t*>(utf8Path.data()), utf8Path.size()));
    if (!fs::is_regular_file(path, error)) return false;
    size = static_cast<int64_t>(fs::file_size(path, error));
    mtime = static_cast<int64_t>(fs::last_write_time(path, error).time_since_epoch().count());
    if (error) return false;
#endif
    return true;
}

std::string DayName(int64_t day) {
    char name[16];
    std::snprintf(name, sizeof name, "%08lld", static_cast<long long>(day));
    return name;
}

#define LETTERED_CODES "(origin GLOB '*[^0-9]*' OR reference GLOB '*[^0-9]*')"
// More candidates than this many times the hits asked for: the lines are read
// newest first until there are enough, rather than all sorted.
constexpr int64_t kDenseFactor = 20;

const char* const kTables[] = {
    // A day file as it was read: its size and time tell a changed file.
    "CREATE TABLE days(day INTEGER PRIMARY KEY, size INTEGER NOT NULL, mtime INTEGER NOT NULL)",
    // The distinct names as the files hold them, with the form searches compare.
    "CREATE TABLE names(id INTEGER PRIMARY KEY, text TEXT NOT NULL UNIQUE, folded TEXT NOT NULL)",
    "CREATE INDEX names_by_folded ON names(folded)",
    "CREATE VIRTUAL TABLE name_grams USING fts5(folded, content='names', content_rowid='id', "
    "tokenize='trigram', columnsize=0)",
    // One row per result line that names a patient; its id is LineId(day, row).
    "CREATE TABLE lines(id INTEGER PRIMARY KEY, name_id INTEGER NOT NULL, origin TEXT NOT NULL, "
    "reference TEXT NOT NULL, age TEXT NOT NULL)",
    "CREATE INDEX lines_by_name ON lines(name_id)",
    // The few lines whose codes hold letters, for a search of one or two letters.
    "CREATE INDEX lines_with_lettered_codes ON lines(origin, reference) WHERE " LETTERED_CODES,
    // The folded codes of each line (rowid = lines.id); the text lives in `lines`.
    "CREATE VIRTUAL TABLE code_grams USING fts5(origin, reference, content='', tokenize='trigram', columnsize=0)",
};

}  // namespace

struct ArchiveIndex::Statement {
    sqlite3_stmt* stmt = nullptr;
    Statement(sqlite3* db, const std::string& sql) {
        const int code = sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr);
        if (code != SQLITE_OK) throw SqlError{code};
    }
    ~Statement() { sqlite3_finalize(stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    Statement& Bind(int at, int64_t value) {
        sqlite3_bind_int64(stmt, at, value);
        return *this;
    }
    Statement& Bind(int at, std::string_view text) {
        sqlite3_bind_text(stmt, at, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    // True with a row to read, false when done.
    bool Step() {
        const int code = sqlite3_step(stmt);
        if (code == SQLITE_ROW) return true;
        if (code == SQLITE_DONE) return false;
        throw SqlError{sqlite3_extended_errcode(sqlite3_db_handle(stmt))};
    }
    void Run() {
        Step();
        sqlite3_reset(stmt);
    }
    void Reset() { sqlite3_reset(stmt); }
    int64_t Int(int column) const { return sqlite3_column_int64(stmt, column); }
    std::string Text(int column) const {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
        return text ? std::string(text, sqlite3_column_bytes(stmt, column)) : std::string();
    }
};

ArchiveIndex::ArchiveIndex(std::string folder) : folder_(std::move(folder)) {
    if (!folder_.empty() && folder_.back() != '/' && folder_.back() != '\\') folder_ += '/';
    path_ = folder_ + kFileName;
    Open();
}

ArchiveIndex::~ArchiveIndex() { Close(); }

void ArchiveIndex::Execute(const char* sql) {
    const int code = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) throw SqlError{sqlite3_extended_errcode(db_)};
}

void ArchiveIndex::Close() {
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
}

void ArchiveIndex::Open() {
    Close();
    bool writable = !inMemory_;
#ifndef _WIN32
    // Made private before SQLite opens it: its "-wal" and "-shm" files take the same mode.
    if (writable) {
        const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kPrivateFileMode);
        struct stat info {};
        if (fd < 0)
            writable = false;
        else if (::fstat(fd, &info) == 0 && (info.st_mode & 077))
            ::fchmod(fd, kPrivateFileMode);
        if (fd >= 0) ::close(fd);
    }
#endif
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;
    if (!writable || sqlite3_open_v2(path_.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        Close();
        inMemory_ = true;
        sqlite3_open_v2(":memory:", &db_, flags, nullptr);
    }
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    sqlite3_create_function(db_, "fold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, FoldFunction, nullptr,
                            nullptr);
    try {
        if (!inMemory_) Execute("PRAGMA journal_mode=WAL");
        Execute("PRAGMA synchronous=NORMAL; PRAGMA temp_store=MEMORY;"
                "CREATE TEMP TABLE hit_names(id INTEGER PRIMARY KEY);"
                "CREATE TEMP TABLE hit_lines(id INTEGER PRIMARY KEY);");
        int64_t layout = 0;
        {
            Statement version(db_, "PRAGMA user_version");
            if (version.Step()) layout = version.Int(0);
        }  // no statement may run while tables are dropped
        if (layout != kLayout) MakeTables();
    } catch (const SqlError& error) {
        if (inMemory_) return;
        if (IsDamage(error.code)) {
            Recreate();
        } else {  // locked out for longer than the busy timeout, or no room: answer from memory
            inMemory_ = true;
            Open();
        }
    }
}

// A damaged index goes, with its WAL: it holds nothing the day files do not.
void ArchiveIndex::Recreate() {
    Close();
    needsSync_ = true;
    if (inMemory_) {
        Open();
        return;
    }
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) RemoveFile(path_ + suffix);
    static thread_local int depth = 0;  // a file that is damaged again at once: memory
    if (++depth > 1) inMemory_ = true;
    Open();
    --depth;
}

void ArchiveIndex::MakeTables() {
    Execute("BEGIN IMMEDIATE");
    try {
        int64_t layout = 0;
        {
            Statement version(db_, "PRAGMA user_version");
            if (version.Step()) layout = version.Int(0);
        }
        if (layout == kLayout) {  // another connection made them meanwhile
            Execute("COMMIT");
            return;
        }
        // An older layout: its tables go, virtual ones (with their own tables) first.
        std::vector<std::string> virtualTables, tables;
        {
            Statement list(db_, "SELECT name, sql FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'");
            while (list.Step())
                (list.Text(1).starts_with("CREATE VIRTUAL") ? virtualTables : tables).push_back(list.Text(0));
        }
        for (const auto* group : {&virtualTables, &tables})
            for (const std::string& table : *group) Execute(("DROP TABLE IF EXISTS \"" + table + "\"").c_str());
        for (const char* sql : kTables) Execute(sql);
        Execute(("PRAGMA user_version = " + std::to_string(kLayout)).c_str());
        Execute("COMMIT");
        needsSync_ = true;
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

// Another program (or the user) removed or replaced the file: the index is opened again.
bool ArchiveIndex::Healthy() {
    if (!db_) return false;
    if (inMemory_) return true;
    int moved = 0;
    if (sqlite3_file_control(db_, "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK && moved) Open();
    return db_ != nullptr;
}

void ArchiveIndex::HandleFailure(int code) {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    if (IsDamage(code)) Recreate();
}

bool ArchiveIndex::IsArchiveFileName(std::string_view fileName, std::string* day) {
    if (fileName.size() != 12 || !fileName.ends_with(".txt")) return false;
    for (size_t i = 0; i < 8; ++i)
        if (fileName[i] < '0' || fileName[i] > '9') return false;
    if (day) *day = std::string(fileName.substr(0, 8));
    return true;
}

std::vector<std::string> ArchiveIndex::ArchivedDays(const std::string& folder) {
    std::vector<std::string> days;
    for (const FolderFile& file : FilesIn(folder)) {
        std::string day;
        if (IsArchiveFileName(file.name, &day)) days.push_back(day);
    }
    std::sort(days.begin(), days.end(), std::greater<>());
    return days;
}

// The day files with their size and time (no file is opened), newest first.
std::vector<ArchiveIndex::DayFile> ArchiveIndex::ListFolder() const {
    std::vector<DayFile> files;
#ifndef _WIN32
    // One stat a file: a start with nothing changed looks at thousands of them.
    if (DIR* dir = ::opendir(folder_.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            DayFile file;
            if (IsArchiveFileName(entry->d_name, &file.day) &&
                FileSignature(folder_ + entry->d_name, file.size, file.mtime))
                files.push_back(std::move(file));
        }
        ::closedir(dir);
    }
#else
    for (const FolderFile& found : FilesIn(folder_)) {  // names through the wide calls
        DayFile file;
        if (IsArchiveFileName(found.name, &file.day) && FileSignature(folder_ + found.name, file.size, file.mtime))
            files.push_back(std::move(file));
    }
#endif
    std::sort(files.begin(), files.end(), [](const DayFile& a, const DayFile& b) { return a.day > b.day; });
    return files;
}

bool ArchiveIndex::ReadDay(const DayFile& file, std::vector<std::string>& lines) const {
    TextReadResult read = ReadTextFile(LocalResultPath(folder_, file.day));
    lines = std::move(read.content.lines);
    return read.ok;
}

int64_t ArchiveIndex::NameId(const std::string& name) {
    Statement find(db_, "SELECT id FROM names WHERE text = ?1");
    if (find.Bind(1, name).Step()) return find.Int(0);
    const std::string folded = FoldLetters(name);
    Statement(db_, "INSERT INTO names(text, folded) VALUES(?1, ?2)").Bind(1, name).Bind(2, folded).Run();
    const int64_t id = sqlite3_last_insert_rowid(db_);
    Statement(db_, "INSERT INTO name_grams(rowid, folded) VALUES(?1, ?2)").Bind(1, id).Bind(2, folded).Run();
    return id;
}

void ArchiveIndex::RemoveDay(const std::string& day) {
    const int64_t number = std::stoll(day);
    const int64_t first = LineId(number, 0), last = LineId(number, kRowMask);
    Statement(db_,
              "INSERT INTO code_grams(code_grams, rowid, origin, reference) "
              "SELECT 'delete', id, fold(origin), fold(reference) FROM lines WHERE id BETWEEN ?1 AND ?2")
        .Bind(1, first)
        .Bind(2, last)
        .Run();
    Statement(db_, "DELETE FROM lines WHERE id BETWEEN ?1 AND ?2").Bind(1, first).Bind(2, last).Run();
    Statement(db_, "DELETE FROM days WHERE day = ?1").Bind(1, number).Run();
}

// Inside a write transaction.
void ArchiveIndex::ReplaceDay(const DayFile& file, const std::vector<std::string>& lines) {
    RemoveDay(file.day);
    const int64_t day = std::stoll(file.day);
    Statement line(db_, "INSERT INTO lines(id, name_id, origin, reference, age) VALUES(?1, ?2, ?3, ?4, ?5)");
    Statement codes(db_, "INSERT INTO code_grams(rowid, origin, reference) VALUES(?1, ?2, ?3)");
    for (size_t i = 0; i < lines.size() && static_cast<int64_t>(i) < kRowMask; ++i) {
        const std::string_view text = lines[i];
        const RowSpans spans = SplitResultLine(text);
        auto field = [&](int c) { return text.substr(spans[c].offset, spans[c].length); };
        if (field(4).empty() && field(2).empty() && field(1).empty()) continue;  // a blank line
        const int64_t id = LineId(day, static_cast<int64_t>(i) + 1);
        line.Bind(1, id).Bind(2, NameId(std::string(field(4)))).Bind(3, field(2)).Bind(4, field(1)).Bind(5, field(3));
        line.Run();
        codes.Bind(1, id).Bind(2, FoldLetters(field(2))).Bind(3, FoldLetters(field(1))).Run();
    }
    Statement(db_, "INSERT OR REPLACE INTO days(day, size, mtime) VALUES(?1, ?2, ?3)")
        .Bind(1, day)
        .Bind(2, file.size)
        .Bind(3, file.mtime)
        .Run();
}

size_t ArchiveIndex::Sync(const Progress& progress, const std::atomic<bool>* cancel) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!Healthy()) return 0;
        needsSync_ = false;
        try {
            Execute("PRAGMA cache_size = -16384");  // the first build keeps its pages at hand
            const std::vector<DayFile> files = ListFolder();
            std::map<std::string, std::pair<int64_t, int64_t>> indexed;
            {
                Statement days(db_, "SELECT day, size, mtime FROM days");
                while (days.Step()) indexed[DayName(days.Int(0))] = {days.Int(1), days.Int(2)};
            }
            std::vector<DayFile> changed;
            for (const DayFile& file : files) {
                const auto found = indexed.find(file.day);
                if (found == indexed.end() || found->second != std::pair(file.size, file.mtime)) changed.push_back(file);
                if (found != indexed.end()) indexed.erase(found);
            }
            if (!indexed.empty()) {  // days whose files went
                Execute("BEGIN IMMEDIATE");
                for (const auto& [day, signature] : indexed) RemoveDay(day);
                Execute("COMMIT");
            }
            size_t done = 0;
            std::vector<std::pair<const DayFile*, std::vector<std::string>>> batch;
            for (size_t next = 0; next < changed.size();) {
                if (cancel && *cancel) break;
                batch.clear();
                for (; next < changed.size() && batch.size() < kDaysPerTransaction; ++next) {
                    batch.emplace_back(&changed[next], std::vector<std::string>());
                    ReadDay(changed[next], batch.back().second);  // an unreadable file is a day without lines
                }
                Execute("BEGIN IMMEDIATE");
                Statement current(db_, "SELECT size, mtime FROM days WHERE day = ?1");
                for (const auto& [file, lines] : batch) {
                    // Another connection may have read this very file meanwhile.
                    const bool same = current.Bind(1, std::stoll(file->day)).Step() && current.Int(0) == file->size &&
                                      current.Int(1) == file->mtime;
                    current.Reset();
                    if (!same) ReplaceDay(*file, lines);
                }
                Execute("COMMIT");
                done += batch.size();
                if (progress) progress(done, changed.size());
            }
            Execute("PRAGMA cache_size = -2000");
            return done;
        } catch (const SqlError& error) {
            HandleFailure(error.code);
            if (!IsDamage(error.code)) return 0;
        }
    }
    return 0;
}

void ArchiveIndex::UpdateDay(const std::string& day) {
    if (!Healthy()) return;
    try {
        DayFile file{day, 0, 0};
        std::vector<std::string> lines;
        const bool read = FileSignature(LocalResultPath(folder_, day), file.size, file.mtime) && ReadDay(file, lines);
        Execute("BEGIN IMMEDIATE");
        if (read)
            ReplaceDay(file, lines);
        else
            RemoveDay(day);
        Execute("COMMIT");
    } catch (const SqlError& error) {
        HandleFailure(error.code);
    }
}

// The lines whose ids `ids` (a SELECT of line ids, binding ?1) gives, at most `limit`, newest first.
std::vector<ArchiveHit> ArchiveIndex::Lines(const std::string& ids, const std::string& text, size_t limit) {
    Statement select(db_,
                     "SELECT lines.id, names.text, lines.origin, lines.reference, lines.age "
                     "FROM lines JOIN names ON names.id = lines.name_id WHERE lines.id IN (" +
                         ids + " ORDER BY 1 LIMIT ?9) ORDER BY lines.id");
    select.Bind(1, text);
    select.Bind(9, limit >= static_cast<size_t>(INT64_MAX) ? int64_t{-1} : static_cast<int64_t>(limit));
    std::vector<ArchiveHit> hits;
    while (select.Step())
        hits.push_back({DayName(DayOfLine(select.Int(0))), RowOfLine(select.Int(0)), select.Text(1), select.Text(2),
                        select.Text(3), select.Text(4), ArchiveField::Name});
    return hits;
}

// Which field of each hit holds the text: the name (never for digits), else the origin code, else the reference.
static void MarkFoundFields(std::vector<ArchiveHit>& hits, const std::string& folded, bool digits, bool whole) {
    const auto holds = [&](const std::string& field) {
        const std::string f = FoldLetters(field);
        return whole ? f == folded : f.find(folded) != std::string::npos;
    };
    for (ArchiveHit& hit : hits)
        hit.field = !digits && holds(hit.name) ? ArchiveField::Name
                    : holds(hit.originCode)    ? ArchiveField::OriginCode
                                               : ArchiveField::ReferenceCode;
}

std::vector<ArchiveHit> ArchiveIndex::Search(std::string_view text, size_t limit) {
    const std::string folded = FoldLetters(text);
    if (folded.empty() || limit == 0 || !Healthy()) return {};
    const bool digits = AllDigits(folded);
    const bool trigrams = CharCount(folded) >= 3;  // the trigram indexes answer three letters and more
    try {
        Execute("DELETE FROM temp.hit_names; DELETE FROM temp.hit_lines;");
        if (!digits) {
            if (trigrams)
                Statement(db_, "INSERT INTO temp.hit_names SELECT rowid FROM name_grams WHERE name_grams MATCH ?1")
                    .Bind(1, Phrase(folded))
                    .Run();
            else  // one or two letters: the distinct names are few enough to scan
                Statement(db_, "INSERT INTO temp.hit_names SELECT id FROM names WHERE instr(folded, ?1) > 0")
                    .Bind(1, folded)
                    .Run();
        }
        if (trigrams)
            Statement(db_, "INSERT INTO temp.hit_lines SELECT rowid FROM code_grams WHERE code_grams MATCH ?1")
                .Bind(1, Phrase(folded))
                .Run();
        // The files hold codes in ASCII, where lower() folds as the search does.
        const std::string codes = trigrams ? "id IN temp.hit_lines"
                                  : digits ? "instr(origin, ?1) > 0 OR instr(reference, ?1) > 0"
                                           : LETTERED_CODES " AND (instr(lower(origin), ?1) > 0 OR "
                                                            "instr(lower(reference), ?1) > 0)";
        bool dense = digits && !trigrams;  // one or two digits are in many codes
        if (!dense && limit < static_cast<size_t>(INT64_MAX / kDenseFactor)) {
            const int64_t enough = kDenseFactor * static_cast<int64_t>(limit);
            Statement count(db_,
                            "SELECT (SELECT count(*) FROM (SELECT 1 FROM lines WHERE name_id IN temp.hit_names LIMIT ?1)) + "
                            "(SELECT count(*) FROM temp.hit_lines)");
            dense = count.Bind(1, enough + 1).Step() && count.Int(0) > enough;
        }
        // Dense: the lines newest first until the hits are enough; otherwise the candidates sorted.
        const std::string ids =
            dense ? "SELECT id FROM lines WHERE +name_id IN temp.hit_names OR " + codes
                  : "SELECT id FROM lines WHERE name_id IN temp.hit_names UNION SELECT id FROM lines " +
                        std::string(trigrams || digits ? "" : "INDEXED BY lines_with_lettered_codes ") + "WHERE " + codes;
        std::vector<ArchiveHit> hits = Lines(ids, folded, limit);
        MarkFoundFields(hits, folded, digits, /*whole=*/false);
        return hits;
    } catch (const SqlError& error) {
        HandleFailure(error.code);
        return {};
    }
}

std::vector<ArchiveHit> ArchiveIndex::Patient(std::string_view text) {
    const std::string folded = FoldLetters(text);
    if (folded.empty() || !Healthy()) return {};
    const bool digits = AllDigits(folded);
    try {
        Execute("DELETE FROM temp.hit_lines");
        std::string ids;
        if (!digits) ids = "SELECT id FROM lines WHERE name_id IN (SELECT id FROM names WHERE folded = ?1) UNION ";
        if (CharCount(folded) >= 3) {
            Statement(db_, "INSERT INTO temp.hit_lines SELECT rowid FROM code_grams WHERE code_grams MATCH ?1")
                .Bind(1, Phrase(folded))
                .Run();
            ids += "SELECT id FROM lines WHERE id IN temp.hit_lines AND (fold(origin) = ?1 OR fold(reference) = ?1)";
        } else if (digits) {
            ids += "SELECT id FROM lines WHERE origin = ?1 OR reference = ?1";
        } else {
            ids += "SELECT id FROM lines WHERE " LETTERED_CODES " AND (lower(origin) = ?1 OR lower(reference) = ?1)";
        }
        std::vector<ArchiveHit> hits = Lines(ids, folded, SIZE_MAX);
        // Oldest day first, the rows of a day in their order.
        std::stable_sort(hits.begin(), hits.end(), [](const ArchiveHit& a, const ArchiveHit& b) { return a.day < b.day; });
        MarkFoundFields(hits, folded, digits, /*whole=*/true);
        return hits;
    } catch (const SqlError& error) {
        HandleFailure(error.code);
        return {};
    }
}

size_t ArchiveIndex::DayCount() { return CountRows("SELECT count(*) FROM days"); }

size_t ArchiveIndex::PatientCount() { return CountRows("SELECT count(*) FROM lines"); }

size_t ArchiveIndex::CountRows(const char* countSql) {
    if (!Healthy()) return 0;
    try {
        Statement count(db_, countSql);
        return count.Step() ? static_cast<size_t>(count.Int(0)) : 0;
    } catch (const SqlError& error) {
        HandleFailure(error.code);
        return 0;
    }
}

}  // namespace orv::results

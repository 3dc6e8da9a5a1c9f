#include "results/core/ArchiveIndex.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <system_error>

#include "base/core/TextFile.h"
#include "results/core/LetterFolding.h"
#include "results/core/ResultLine.h"
#include "results/core/ResultPaths.h"

namespace orv::results {

namespace fs = std::filesystem;

bool ArchiveIndex::IsArchiveFileName(std::string_view fileName, std::string* day) {
    if (fileName.size() != 12 || !fileName.ends_with(".txt")) return false;
    for (size_t i = 0; i < 8; ++i)
        if (fileName[i] < '0' || fileName[i] > '9') return false;
    if (day) *day = std::string(fileName.substr(0, 8));
    return true;
}

std::vector<std::string> ArchiveIndex::ArchivedDays(const std::string& folder) {
    std::vector<std::string> days;
    std::error_code error;
    for (fs::directory_iterator it(fs::path(folder), error), end; !error && it != end; it.increment(error)) {
        std::string day;
        if (IsArchiveFileName(it->path().filename().string(), &day) && it->is_regular_file(error)) days.push_back(day);
    }
    std::sort(days.begin(), days.end(), std::greater<>());
    return days;
}

std::vector<ArchiveIndex::Patient> ArchiveIndex::Patients(const std::vector<std::string>& lines) {
    std::vector<Patient> patients;
    patients.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const RowSpans spans = SplitResultLine(line);
        auto field = [&](int c) { return std::string(line.substr(spans[c].offset, spans[c].length)); };
        Patient p{static_cast<int>(i) + 1, field(4), field(2), field(1)};
        if (p.name.empty() && p.originCode.empty() && p.referenceCode.empty()) continue;  // a blank line
        patients.push_back(std::move(p));
    }
    return patients;
}

void ArchiveIndex::Build(const std::string& folder, const std::atomic<bool>* cancel) {
    days_.clear();
    for (const std::string& day : ArchivedDays(folder)) {
        if (cancel && *cancel) break;
        const TextReadResult read = ReadTextFile(LocalResultPath(folder, day));
        if (read.ok) days_[day] = Patients(read.content.lines);
    }
    Reflatten();
}

void ArchiveIndex::UpdateDay(const std::string& folder, const std::string& day) {
    const TextReadResult read = ReadTextFile(LocalResultPath(folder, day));
    if (read.ok)
        days_[day] = Patients(read.content.lines);
    else
        days_.erase(day);
    Reflatten();
}

void ArchiveIndex::SetDay(const std::string& day, const std::vector<std::string>& lines) {
    days_[day] = Patients(lines);
    Reflatten();
}

void ArchiveIndex::RemoveDay(const std::string& day) {
    if (days_.erase(day)) Reflatten();
}

void ArchiveIndex::Column::Clear() {
    text.clear();
    starts.clear();
}

void ArchiveIndex::Column::Add(std::string_view utf8) {
    starts.push_back(static_cast<uint32_t>(text.size()));
    AppendFolded(utf8, text);
    text += '\n';  // folding turns every line break into a blank, so '\n' only ends a field
}

void ArchiveIndex::Column::Find(std::string_view folded, const std::function<bool(size_t)>& found) const {
    const std::boyer_moore_horspool_searcher searcher(folded.begin(), folded.end());
    auto from = text.begin();
    while (from != text.end()) {
        const auto at = std::search(from, text.end(), searcher);
        if (at == text.end()) return;
        const auto offset = static_cast<uint32_t>(at - text.begin());
        const size_t record = static_cast<size_t>(std::upper_bound(starts.begin(), starts.end(), offset) - starts.begin()) - 1;
        if (!found(record)) return;
        // On to the next record: one hit per record.
        from = record + 1 < starts.size() ? text.begin() + starts[record + 1] : text.end();
    }
}

void ArchiveIndex::Reflatten() {
    records_.clear();
    names_.Clear();
    origins_.Clear();
    references_.Clear();
    for (const auto& [day, patients] : days_) {
        for (const Patient& p : patients) {
            records_.push_back({&day, &p});
            names_.Add(p.name);
            origins_.Add(p.originCode);
            references_.Add(p.referenceCode);
        }
    }
}

std::vector<ArchiveHit> ArchiveIndex::Search(std::string_view text, size_t limit) const {
    std::vector<ArchiveHit> hits;
    const std::string folded = FoldLetters(text);
    if (folded.empty() || limit == 0) return hits;
    const bool digits = std::all_of(folded.begin(), folded.end(), [](char c) { return c >= '0' && c <= '9'; });

    // Record numbers in hit order (records are kept newest day first, rows in order).
    std::vector<std::pair<size_t, ArchiveField>> found;
    auto collect = [&](const Column& column, ArchiveField field) {
        column.Find(folded, [&](size_t record) {
            found.emplace_back(record, field);
            return true;
        });
    };
    if (digits) {
        collect(origins_, ArchiveField::OriginCode);
        collect(references_, ArchiveField::ReferenceCode);
        // A record found in both codes counts once, as an origin-code hit.
        std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        found.erase(std::unique(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first == b.first; }),
                    found.end());
    } else {
        names_.Find(folded, [&](size_t record) {
            found.emplace_back(record, ArchiveField::Name);
            return found.size() < limit;
        });
    }
    for (const auto& [record, field] : found) {
        if (hits.size() >= limit) break;
        const Record& r = records_[record];
        hits.push_back({*r.day, r.patient->row, r.patient->name, r.patient->originCode, r.patient->referenceCode, field});
    }
    return hits;
}

}  // namespace orv::results

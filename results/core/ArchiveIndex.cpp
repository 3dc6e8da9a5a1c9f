#include "results/core/ArchiveIndex.h"

#include <algorithm>
#include <functional>

#include "base/core/AtomicFile.h"
#include "base/core/TextFile.h"
#include "results/core/LetterFolding.h"
#include "results/core/ResultLine.h"
#include "results/core/ResultPaths.h"

namespace orv::results {


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

ArchiveIndex::Day ArchiveIndex::Index(const std::vector<std::string>& lines) {
    Day day;
    day.lines = lines;
    day.patients.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const RowSpans spans = SplitResultLine(line);
        auto field = [&](int c) { return std::string(line.substr(spans[c].offset, spans[c].length)); };
        Patient p{static_cast<int>(i) + 1, field(4), field(2), field(1)};
        if (p.name.empty() && p.originCode.empty() && p.referenceCode.empty()) continue;  // a blank line
        day.names.Add(p.name);
        day.origins.Add(p.originCode);
        day.references.Add(p.referenceCode);
        day.patients.push_back(std::move(p));
    }
    return day;
}

void ArchiveIndex::Build(const std::string& folder, const std::atomic<bool>* cancel) {
    days_.clear();
    for (const std::string& day : ArchivedDays(folder)) {
        if (cancel && *cancel) break;
        const TextReadResult read = ReadTextFile(LocalResultPath(folder, day));
        if (read.ok) days_[day] = Index(read.content.lines);
    }
}

void ArchiveIndex::UpdateDay(const std::string& folder, const std::string& day) {
    const TextReadResult read = ReadTextFile(LocalResultPath(folder, day));
    if (read.ok)
        days_[day] = Index(read.content.lines);
    else
        days_.erase(day);
}

void ArchiveIndex::SetDay(const std::string& day, const std::vector<std::string>& lines) { days_[day] = Index(lines); }

void ArchiveIndex::RemoveDay(const std::string& day) { days_.erase(day); }

std::string_view ArchiveIndex::Line(const std::string& day, int row) const {
    const auto found = days_.find(day);
    if (found == days_.end() || row < 1 || static_cast<size_t>(row) > found->second.lines.size()) return {};
    return found->second.lines[static_cast<size_t>(row) - 1];
}

size_t ArchiveIndex::PatientCount() const {
    size_t count = 0;
    for (const auto& [day, content] : days_) count += content.patients.size();
    return count;
}

void ArchiveIndex::Column::Add(std::string_view utf8) {
    starts.push_back(static_cast<uint32_t>(text.size()));
    AppendFolded(utf8, text);
    text += '\n';  // folding turns every line break into a blank, so '\n' only ends a field
}

void ArchiveIndex::Column::Find(const Searcher& searcher, const std::function<bool(size_t)>& found) const {
    auto from = text.begin();
    while (from != text.end()) {
        const auto at = std::search(from, text.end(), searcher);
        if (at == text.end()) return;
        const auto offset = static_cast<uint32_t>(at - text.begin());
        const size_t patient =
            static_cast<size_t>(std::upper_bound(starts.begin(), starts.end(), offset) - starts.begin()) - 1;
        if (!found(patient)) return;
        // On to the next patient: one hit each.
        from = patient + 1 < starts.size() ? text.begin() + starts[patient + 1] : text.end();
    }
}

std::vector<ArchiveHit> ArchiveIndex::Search(std::string_view text, size_t limit) const {
    std::vector<ArchiveHit> hits;
    const std::string folded = FoldLetters(text);
    if (folded.empty() || limit == 0) return hits;
    // Digits alone are a code; any other text is a name or a code with letters (folded, so of any case).
    const bool digits = std::all_of(folded.begin(), folded.end(), [](char c) { return c >= '0' && c <= '9'; });
    const Searcher searcher(folded.begin(), folded.end());

    std::vector<std::pair<size_t, ArchiveField>> found;  // patients of one day, in row order
    for (const auto& [day, content] : days_) {
        found.clear();
        auto collect = [&](const Column& column, ArchiveField field) {
            column.Find(searcher, [&](size_t patient) {
                found.emplace_back(patient, field);
                return true;
            });
        };
        if (!digits) collect(content.names, ArchiveField::Name);
        collect(content.origins, ArchiveField::OriginCode);
        collect(content.references, ArchiveField::ReferenceCode);
        // A patient found in several fields counts once, by the first field looked at:
        // the name, then the origin code, then the reference code.
        std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        found.erase(std::unique(found.begin(), found.end(),
                                [](const auto& a, const auto& b) { return a.first == b.first; }),
                    found.end());
        for (const auto& [patient, field] : found) {
            if (hits.size() >= limit) return hits;
            const Patient& p = content.patients[patient];
            hits.push_back({day, p.row, p.name, p.originCode, p.referenceCode, field});
        }
    }
    return hits;
}

}  // namespace orv::results

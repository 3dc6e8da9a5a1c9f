#include "base/core/IniText.h"

#include <chrono>
#include <filesystem>
#include <system_error>

#include "base/core/Trim.h"

namespace orv {
namespace {

bool NeedsQuotes(std::string_view value) {
    if (value.empty()) return false;
    if (value.front() == ' ' || value.front() == '\t' || value.back() == ' ' || value.back() == '\t') return true;
    return value.find_first_of(";,\"\\") != std::string_view::npos;
}

std::string Written(std::string_view value) {
    if (!NeedsQuotes(value)) return std::string(value);
    std::string out = "\"";
    for (const char c : value) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
}

// Where the value of "key=value ; comment" ends: at a ";" outside quotes.
size_t ValueEnd(std::string_view line, size_t from) {
    bool quoted = false;
    for (size_t i = from; i < line.size(); ++i) {
        if (quoted && line[i] == '\\') {
            ++i;
        } else if (line[i] == '"') {
            quoted = !quoted;
        } else if (!quoted && line[i] == ';') {
            size_t end = i;
            while (end > from && (line[end - 1] == ' ' || line[end - 1] == '\t')) --end;
            return end;
        }
    }
    return std::string_view::npos;
}

}  // namespace

IniText::IniText(std::string_view text) {
    std::string section;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view raw = text.substr(start, end - start);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        Line line{std::string(raw), {}, {}};
        const std::string_view t = Trim(raw);
        if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
            section = std::string(Trim(t.substr(1, t.size() - 2)));
        } else if (!t.empty() && t.front() != ';' && t.front() != '#') {
            if (const size_t eq = t.find('='); eq != std::string_view::npos) line.key = std::string(Trim(t.substr(0, eq)));
        }
        line.section = section;
        lines_.push_back(std::move(line));
        start = end + 1;
    }
}

bool IniText::Has(std::string_view section, std::string_view key) const {
    for (const Line& l : lines_)
        if (l.section == section && l.key == key) return true;
    return false;
}

size_t IniText::EndOfSection(std::string_view section) const {
    size_t end = std::string::npos;
    for (size_t i = 0; i < lines_.size(); ++i) {
        const Line& l = lines_[i];
        if (l.section != section) continue;
        const bool header = l.key.empty() && !Trim(l.text).empty() && Trim(l.text).front() == '[';
        if (header || !l.key.empty()) end = i + 1;
    }
    return end;
}

void IniText::Set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string written = Written(value);
    bool done = false;
    for (size_t i = 0; i < lines_.size(); ++i) {
        Line& l = lines_[i];
        if (l.section != section || l.key != key) continue;
        if (done) {  // a repeated key: the first one now holds the value
            lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i--));
            continue;
        }
        const size_t eq = l.text.find('=');
        const size_t from = eq + 1;
        const size_t end = ValueEnd(l.text, from);
        const std::string comment = end == std::string::npos ? std::string() : l.text.substr(end);
        const std::string before = l.text.substr(0, from);
        l.text = before + written + comment;
        done = true;
    }
    if (done) return;
    Line added{std::string(key) + "=" + written, std::string(section), std::string(key)};
    if (const size_t end = EndOfSection(section); end != std::string::npos) {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(end), std::move(added));
        return;
    }
    if (!lines_.empty() && !Trim(lines_.back().text).empty()) lines_.push_back({"", lines_.back().section, {}});
    lines_.push_back({"[" + std::string(section) + "]", std::string(section), {}});
    lines_.push_back(std::move(added));
}

void IniText::Remove(std::string_view section, std::string_view key) {
    std::erase_if(lines_, [&](const Line& l) { return l.section == section && l.key == key; });
}

std::string IniText::Text() const {
    std::string out;
    for (const Line& l : lines_) out += l.text + "\n";
    return out;
}

FileResult EditIniFile(const std::string& path, const std::function<void(IniText&)>& edit, unsigned mode) {
    std::string bytes;
    if (FileExists(path)) {
        std::string error;
        if (!ReadWholeFile(path, bytes, &error)) return {false, error};
    }
    IniText ini(bytes);
    edit(ini);
    std::error_code ec;
    const auto replaced = std::filesystem::last_write_time(NativePath(path), ec);
    const bool hadFile = !ec;
    const FileResult r = WriteFileAtomically(path, ini.Text(), mode);
    // A reader that keeps a file it has read, and reads it again only when its size
    // or its time (to the millisecond) has changed, would not see a save of the
    // same length within one tick of the file clock.
    if (r && hadFile) {
        const auto later = replaced + std::chrono::milliseconds(1);
        const auto now = std::filesystem::last_write_time(NativePath(path), ec);
        if (!ec && now < later) std::filesystem::last_write_time(NativePath(path), later, ec);
    }
    return r;
}

}  // namespace orv

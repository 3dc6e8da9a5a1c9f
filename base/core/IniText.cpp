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

std::string Written(std::string_view plain) {
    // The reader takes "@String(...)", "@Variant(...)" and the like for typed values; "@@" is a plain "@".
    const std::string value = !plain.empty() && plain.front() == '@' ? "@" + std::string(plain) : std::string(plain);
    if (!NeedsQuotes(value)) return value;
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

// The written value back: quotes with their \\ and \" undone, a doubled leading "@" made one.
std::string Unwritten(std::string_view text) {
    std::string value;
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        for (size_t i = 1; i + 1 < text.size(); ++i) {
            if (text[i] == '\\' && i + 2 < text.size()) ++i;
            value += text[i];
        }
    } else {
        value = std::string(text);
    }
    if (value.starts_with("@@")) value.erase(0, 1);
    return value;
}

// A section header as the reader takes it: "[" then the name up to the first "]"
// (or the line's end), the line cut first at a ";" that starts a comment.
std::optional<std::string> SectionName(std::string_view trimmed) {
    if (trimmed.empty() || trimmed.front() != '[') return std::nullopt;
    std::string_view name = trimmed.substr(1);
    name = name.substr(0, name.find(';'));
    name = name.substr(0, name.find(']'));
    return std::string(Trim(name));
}

}  // namespace

IniText::IniText(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        byteOrderMark_ = true;
        text.remove_prefix(3);
    }
    if (const size_t lf = text.find('\n'); lf != std::string_view::npos && lf > 0 && text[lf - 1] == '\r') crlf_ = true;
    std::string section;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view raw = text.substr(start, end - start);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        Line line{std::string(raw), {}, {}};
        const std::string_view t = Trim(raw);
        if (const std::optional<std::string> name = SectionName(t)) {
            section = *name;
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

std::optional<std::string> IniText::Value(std::string_view section, std::string_view key) const {
    for (auto l = lines_.rbegin(); l != lines_.rend(); ++l) {
        if (l->section != section || l->key != key) continue;
        const size_t from = l->text.find('=') + 1;
        const size_t end = ValueEnd(l->text, from);
        const std::string_view text(l->text);
        return Unwritten(Trim(text.substr(from, end == std::string::npos ? std::string::npos : end - from)));
    }
    return std::nullopt;
}

bool IniText::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (value.find_first_of("\r\n") != std::string_view::npos) return false;
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
    if (done) return true;
    Line added{std::string(key) + "=" + written, std::string(section), std::string(key)};
    if (const size_t end = EndOfSection(section); end != std::string::npos) {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(end), std::move(added));
        return true;
    }
    if (!lines_.empty() && !Trim(lines_.back().text).empty()) lines_.push_back({"", lines_.back().section, {}});
    lines_.push_back({"[" + std::string(section) + "]", std::string(section), {}});
    lines_.push_back(std::move(added));
    return true;
}

void IniText::Remove(std::string_view section, std::string_view key) {
    std::erase_if(lines_, [&](const Line& l) { return l.section == section && l.key == key; });
}

std::string IniText::Text() const {
    std::string out = byteOrderMark_ ? "\xEF\xBB\xBF" : "";
    for (const Line& l : lines_) out += l.text + (crlf_ ? "\r\n" : "\n");
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

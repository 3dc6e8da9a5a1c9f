#include "server/core/FolderListing.h"

#include <array>
#include <cctype>
#include <charconv>

#include "base/core/SafeName.h"
#include "base/core/TextFile.h"

namespace orv {
namespace {

struct Token {
    std::string_view text;
    size_t end = 0;  // position just after it in the line
};

// The blank-separated fields of `line` up to `count` of them.
std::vector<Token> Tokens(std::string_view line, size_t count) {
    std::vector<Token> tokens;
    size_t i = 0;
    while (tokens.size() < count) {
        while (i < line.size() && line[i] == ' ') ++i;
        if (i >= line.size()) break;
        const size_t start = i;
        while (i < line.size() && line[i] != ' ') ++i;
        tokens.push_back({line.substr(start, i - start), i});
    }
    return tokens;
}

bool AllDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

// "12", "12:05", "2026": the shape of each date and time field.
bool Shape(std::string_view s, std::string_view pattern) {
    if (s.size() != pattern.size()) return false;
    for (size_t i = 0; i < s.size(); ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(s[i])) != 0;
        if (pattern[i] == '9' ? !digit : s[i] != pattern[i]) return false;
    }
    return true;
}

bool IsMonth(std::string_view s) {
    static constexpr std::array<std::string_view, 12> months = {"jan", "feb", "mar", "apr", "may", "jun",
                                                               "jul", "aug", "sep", "oct", "nov", "dec"};
    if (s.size() != 3) return false;
    std::string lower;
    for (char c : s) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (std::string_view m : months)
        if (lower == m) return true;
    return false;
}

bool IsDay(std::string_view s) { return (s.size() == 1 || s.size() == 2) && AllDigits(s); }
bool IsTimeOrYear(std::string_view s) { return Shape(s, "99:99") || Shape(s, "9:99") || Shape(s, "9999"); }
bool IsIsoDate(std::string_view s) { return Shape(s, "9999-99-99"); }

// The name after the date: the rest of the line after the one blank that ends the date.
std::string_view RestAfter(std::string_view line, const Token& t) {
    return t.end + 1 <= line.size() ? line.substr(t.end + 1) : std::string_view{};
}

std::optional<ListedFile> UnixLine(std::string_view line) {
    const char kind = line.empty() ? ' ' : line.front();
    if (std::string_view("-dlbcpsD").find(kind) == std::string_view::npos) return std::nullopt;
    const std::vector<Token> t = Tokens(line, 9);
    if (t.empty() || t[0].text.size() < 10) return std::nullopt;
    // "size Mon day time|year name", or "size yyyy-mm-dd hh:mm name"; owner and group may be missing.
    for (size_t m = 2; m + 1 < t.size(); ++m) {
        std::string_view name;
        if (m + 2 < t.size() && IsMonth(t[m].text) && IsDay(t[m + 1].text) && IsTimeOrYear(t[m + 2].text)) {
            name = RestAfter(line, t[m + 2]);
        } else if (IsIsoDate(t[m].text) && Shape(t[m + 1].text, "99:99")) {
            name = RestAfter(line, t[m + 1]);
        } else {
            continue;
        }
        if (name.empty()) return std::nullopt;
        ListedFile f;
        f.folder = kind == 'd';
        if (kind == 'l') {
            const size_t arrow = name.find(" -> ");
            if (arrow != std::string_view::npos) name = name.substr(0, arrow);
            if (name.empty()) return std::nullopt;
        }
        f.name = std::string(name);
        f.size = f.folder ? std::string() : std::string(t[m - 1].text);
        return f;
    }
    return std::nullopt;
}

std::optional<ListedFile> DosLine(std::string_view line) {
    const std::vector<Token> t = Tokens(line, 3);
    if (t.size() < 3) return std::nullopt;
    if (!Shape(t[0].text, "99-99-99") && !Shape(t[0].text, "99-99-9999")) return std::nullopt;
    std::string_view time = t[1].text;
    if (time.size() > 2 && (time.ends_with("AM") || time.ends_with("PM") || time.ends_with("am") ||
                            time.ends_with("pm")))
        time.remove_suffix(2);
    if (!Shape(time, "99:99") && !Shape(time, "9:99")) return std::nullopt;
    ListedFile f;
    std::string_view name;
    if (t[2].text == "<DIR>") {
        f.folder = true;
        name = line.substr(t[2].end);
        while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    } else {
        f.size = std::string(t[2].text);
        name = RestAfter(line, t[2]);
    }
    if (name.empty()) return std::nullopt;
    f.name = std::string(name);
    return f;
}

bool ValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = s[i];
        size_t extra = 0;
        if (c < 0x80) extra = 0;
        else if (c >= 0xC2 && c <= 0xDF) extra = 1;
        else if (c >= 0xE0 && c <= 0xEF) extra = 2;
        else if (c >= 0xF0 && c <= 0xF4) extra = 3;
        else return false;
        if (s.size() - i <= extra) return false;
        for (size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += extra + 1;
    }
    return true;
}

}  // namespace

std::optional<ListedFile> ParseListLine(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    if (auto f = DosLine(line)) return f;
    return UnixLine(line);
}

std::vector<ListedFile> DownloadableFiles(const std::vector<std::string>& lines) {
    std::vector<ListedFile> files;
    for (const std::string& line : lines) {
        std::optional<ListedFile> f = ParseListLine(line);
        if (!f || f->folder || f->name == "." || !IsSafeFileName(f->name)) continue;
        if (!IsSafeFileName(ListedNameText(f->name))) continue;
        files.push_back(std::move(*f));
    }
    return files;
}

int64_t SizeOrZero(std::string_view size) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(size.data(), size.data() + size.size(), value);
    if (error != std::errc() || end != size.data() + size.size() || value < 0) return 0;
    return value;
}

std::string ListedNameText(std::string_view name) {
    return ValidUtf8(name) ? std::string(name) : Cp1256ToUtf8(name);
}

}  // namespace orv

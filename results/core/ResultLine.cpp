#include "results/core/ResultLine.h"

namespace orv::results {

namespace {
constexpr std::string_view kFieldEnd = "   ";

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }
}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

RowSpans SplitResultLine(std::string_view line) {
    RowSpans spans{};
    size_t rest = 0;  // the part of the line not yet cut
    for (int c = 0; c < kColumns; ++c) {
        const size_t run = line.find(kFieldEnd, rest);
        if (run == std::string_view::npos) break;  // the remaining cells stay empty
        // The piece runs up to and including the run's first space.
        const size_t pieceEnd = run + 1;
        const std::string_view piece = line.substr(rest, pieceEnd - rest);
        const std::string_view trimmed = TrimBlanks(piece);
        if (!trimmed.empty())
            spans[c] = {static_cast<uint32_t>(trimmed.data() - line.data()), static_cast<uint32_t>(trimmed.size())};
        rest = pieceEnd;
    }
    return spans;
}

std::array<std::string, kColumns> SplitResultCells(std::string_view line) {
    const RowSpans spans = SplitResultLine(line);
    std::array<std::string, kColumns> cells;
    for (int c = 0; c < kColumns; ++c) {
        cells[c].reserve(spans[c].length + 1);
        cells[c] += ' ';
        cells[c] += line.substr(spans[c].offset, spans[c].length);
    }
    return cells;
}

size_t CharCount(std::string_view utf8) {
    size_t n = 0;
    for (char ch : utf8)
        if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace orv::results

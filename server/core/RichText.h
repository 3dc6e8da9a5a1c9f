#pragma once
// A document as the reference files hold it, independent of any widget:
// paragraphs of runs of text with one character format each. The rich-text
// reader makes one and the viewer turns it into its own document.
#include <cstdint>
#include <string>
#include <vector>

namespace orv {

enum class RichAlign { Left, Right, Center, Justify };

struct RichFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24;          // font size in half points (12 pt)
    int32_t color = -1;           // 0xRRGGBB, or -1 for the viewer's own text colour
    bool rtl = false;             // right-to-left run
    bool operator==(const RichFormat&) const = default;
};

struct RichRun {
    std::string text;  // UTF-8; "\t" a tab, "\n" a line break inside the paragraph
    RichFormat format;
};

struct RichParagraph {
    std::vector<RichRun> runs;
    RichAlign align = RichAlign::Left;
    bool rtl = false;  // paragraph direction
    // A table row: the index in `runs` where each cell starts (empty: not a row).
    // A cell may hold no run at all.
    std::vector<size_t> cells;
    bool rtlRow = false;  // a row whose first cell stands at the right

    bool IsRow() const { return !cells.empty(); }
    // The paragraph's text; the cells of a row separated by a tab.
    std::string Text() const;
    // The text of cell `i` of a row.
    std::string CellText(size_t i) const;
};

struct RichDocument {
    std::vector<RichParagraph> paragraphs;

    // The whole text: one paragraph per line ("\n" between them), the cells of
    // a row separated by a tab.
    std::string PlainText() const;
};

}  // namespace orv

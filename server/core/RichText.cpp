#include "server/core/RichText.h"

namespace orv {

std::string RichParagraph::Text() const {
    if (!IsRow()) {
        std::string s;
        for (const RichRun& r : runs) s += r.text;
        return s;
    }
    std::string s;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) s += '\t';
        s += CellText(i);
    }
    return s;
}

std::string RichParagraph::CellText(size_t i) const {
    if (i >= cells.size()) return {};
    const size_t end = i + 1 < cells.size() ? cells[i + 1] : runs.size();
    std::string s;
    for (size_t r = cells[i]; r < end && r < runs.size(); ++r) s += runs[r].text;
    return s;
}

std::string RichDocument::PlainText() const {
    std::string s;
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0) s += '\n';
        s += paragraphs[i].Text();
    }
    return s;
}

}  // namespace orv

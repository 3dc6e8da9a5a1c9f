#include "results/core/LetterFolding.h"

#include "base/core/Utf8.h"

namespace orv::results {

namespace {

constexpr char32_t kDropped = 0xFFFFFFFF;
constexpr char32_t kBlank = 0xFFFFFFFE;

char32_t Fold(char32_t cp) {
    if (cp >= U'A' && cp <= U'Z') return cp + (U'a' - U'A');
    if (cp <= U' ' || cp == 0x7F || cp == 0xA0) return kBlank;
    if (cp < 0x80) return cp;
    switch (cp) {
        case 0x064A:  // ARABIC LETTER YEH
        case 0x0649:  // ALEF MAKSURA
        case 0x0626:  // YEH WITH HAMZA ABOVE
            return 0x06CC;  // FARSI YEH
        case 0x0643:  // ARABIC LETTER KAF
            return 0x06A9;  // KEHEH
        case 0x0629:  // TEH MARBUTA
        case 0x06C0:  // HEH WITH YEH ABOVE
            return 0x0647;
        case 0x0622:  // ALEF WITH MADDA ABOVE
        case 0x0623:  // ALEF WITH HAMZA ABOVE
        case 0x0625:  // ALEF WITH HAMZA BELOW
        case 0x0671:  // ALEF WASLA
            return 0x0627;
        case 0x0624:  // WAW WITH HAMZA ABOVE
            return 0x0648;
        case 0x0640:  // TATWEEL
        case 0x0670:  // SUPERSCRIPT ALEF
        case 0x200B:  // ZERO WIDTH SPACE
        case 0x200C:  // ZERO WIDTH NON-JOINER
        case 0x200D:  // ZERO WIDTH JOINER
        case 0x200E:  // LEFT-TO-RIGHT MARK
        case 0x200F:  // RIGHT-TO-LEFT MARK
        case 0xFEFF:  // BYTE ORDER MARK
            return kDropped;
        default:
            break;
    }
    if (cp >= 0x064B && cp <= 0x0652) return kDropped;              // short vowels, shadda, sukun
    if (cp >= 0x06F0 && cp <= 0x06F9) return U'0' + (cp - 0x06F0);  // Persian digits
    if (cp >= 0x0660 && cp <= 0x0669) return U'0' + (cp - 0x0660);  // Arabic-Indic digits
    if (cp == 0x2000 || (cp > 0x2000 && cp <= 0x200A) || cp == 0x3000) return kBlank;
    return cp;
}

}  // namespace

void AppendFolded(std::string_view utf8, std::string& out) {
    const size_t start = out.size();
    bool pendingBlank = false;
    for (size_t at = 0; at < utf8.size();) {
        char32_t cp = 0;
        const size_t len = DecodeUtf8(utf8, at, cp);
        if (len == 0) {  // not UTF-8: the byte as it is
            if (pendingBlank && out.size() > start) out += ' ';
            pendingBlank = false;
            out += utf8[at++];
            continue;
        }
        at += len;
        const char32_t folded = Fold(cp);
        if (folded == kDropped) continue;
        if (folded == kBlank) {
            pendingBlank = true;
            continue;
        }
        if (pendingBlank && out.size() > start) out += ' ';
        pendingBlank = false;
        AppendUtf8(out, folded);
    }
}

std::string FoldLetters(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    AppendFolded(utf8, out);
    return out;
}

}  // namespace orv::results

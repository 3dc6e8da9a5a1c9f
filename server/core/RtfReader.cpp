#include "server/core/RtfReader.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/core/TextFile.h"
#include "base/core/Utf8.h"
#include "server/core/CodePageTable.h"

namespace orv {
namespace {

// Groups nested deeper than this share the state of this depth, so a file of
// nothing but "{" costs no memory; real documents stay far below it.
constexpr size_t kMaxDepth = 512;
// Fallback characters skipped after \uN. Word writes \uc1 (\uc2 for double-byte
// code pages); a larger count would swallow the text after every \u.
constexpr int kMaxFallback = 16;
constexpr size_t kMaxWordLength = 32;  // the format's limit on a control word
constexpr int kMaxDigits = 10;         // a control word's parameter is a signed 16- or 32-bit number

enum class Destination { Text, Skip, FontTable, ColorTable };

struct GroupState {
    RichFormat format;
    RichAlign align = RichAlign::Left;
    bool rtlParagraph = false;
    bool inTable = false;
    int fallback = 1;  // \ucN
    int font = -1;
    Destination destination = Destination::Text;
};

enum class Word {
    Unknown, Skip, FontTable, ColorTable, Par, Line, Tab, Cell, Row, NestCell, NestRow, Pard, Plain,
    Bold, Italic, Underline, UnderlineNone, FontSize, Color, Font, DefaultFont, Charset, CodePage, AnsiCodePage,
    Ansi, Mac, Pc, Pca, Left, Right, Center, Justify, RtlPar, LtrPar, RtlChar, LtrChar, InTable, Unicode,
    FallbackCount, Red, Green, Blue, Bin, Symbol, RowDefaults, RtlRow, LtrRow,
};

struct WordInfo {
    Word word;
    const char* symbol = nullptr;  // UTF-8 text for Word::Symbol
};

const std::unordered_map<std::string_view, WordInfo>& Words() {
    static const std::unordered_map<std::string_view, WordInfo> words = [] {
        std::unordered_map<std::string_view, WordInfo> w;
        // Destinations whose text is not part of the document.
        for (const char* name :
             {"stylesheet", "info", "pict", "object", "header", "headerl", "headerr", "headerf", "footer", "footerl",
              "footerr", "footerf", "footnote", "fldinst", "listtable", "listoverridetable", "rsidtbl", "revtbl",
              "filetbl", "xmlnstbl", "themedata", "colorschememapping", "latentstyles", "datastore", "generator",
              "pgdsctbl", "nonshppict", "shp", "shpinst", "sp", "objdata", "template", "userprops", "docvar",
              "nonesttables", "mmathPr", "private", "pntxta", "pntxtb", "bkmkstart", "bkmkend", "xe", "tc", "txe",
              "atnid", "atnauthor", "annotation", "comment", "author", "operator", "title", "subject", "keywords",
              "doccomm", "company", "creatim", "revtim", "printim", "buptim", "fchars", "lchars", "wgrffmtfilter",
              "blipuid", "ftnsep", "ftnsepc", "ftncn", "aftnsep", "aftnsepc", "aftncn", "falt", "panose",
              "fontemb", "fontfile"})
            w[name] = {Word::Skip};
        const std::pair<const char*, Word> plain[] = {
            {"fonttbl", Word::FontTable}, {"colortbl", Word::ColorTable}, {"par", Word::Par}, {"sect", Word::Par},
            {"line", Word::Line}, {"page", Word::Line}, {"tab", Word::Tab}, {"cell", Word::Cell},
            {"row", Word::Row}, {"nestcell", Word::NestCell}, {"nestrow", Word::NestRow}, {"pard", Word::Pard},
            {"plain", Word::Plain}, {"b", Word::Bold}, {"i", Word::Italic}, {"ulnone", Word::UnderlineNone},
            {"fs", Word::FontSize}, {"cf", Word::Color}, {"f", Word::Font}, {"deff", Word::DefaultFont},
            {"fcharset", Word::Charset}, {"cpg", Word::CodePage}, {"ansicpg", Word::AnsiCodePage},
            {"ansi", Word::Ansi}, {"mac", Word::Mac}, {"pc", Word::Pc}, {"pca", Word::Pca}, {"ql", Word::Left},
            {"qr", Word::Right}, {"qc", Word::Center}, {"qj", Word::Justify}, {"qd", Word::Justify},
            {"rtlpar", Word::RtlPar}, {"ltrpar", Word::LtrPar}, {"rtlch", Word::RtlChar}, {"ltrch", Word::LtrChar},
            {"intbl", Word::InTable}, {"u", Word::Unicode}, {"uc", Word::FallbackCount}, {"red", Word::Red},
            {"green", Word::Green}, {"blue", Word::Blue}, {"bin", Word::Bin},
            {"trowd", Word::RowDefaults}, {"rtlrow", Word::RtlRow}, {"ltrrow", Word::LtrRow},
        };
        for (const auto& [name, word] : plain) w[name] = {word};
        for (const char* name : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth",
                                 "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw",
                                 "ulwave"})
            w[name] = {Word::Underline};
        const std::pair<const char*, const char*> symbols[] = {
            {"emdash", "\u2014"}, {"endash", "\u2013"}, {"bullet", "\u2022"}, {"lquote", "\u2018"},
            {"rquote", "\u2019"}, {"ldblquote", "\u201C"}, {"rdblquote", "\u201D"}, {"emspace", "\u2003"},
            {"enspace", "\u2002"}, {"qmspace", "\u2005"}, {"zwj", "\u200D"}, {"zwnj", "\u200C"},
            {"ltrmark", "\u200E"}, {"rtlmark", "\u200F"}, {"zwbo", "\u200B"},
        };
        for (const auto& [name, text] : symbols) w[name] = {Word::Symbol, text};
        return w;
    }();
    return words;
}

// Windows character sets of \fcharsetN and the code pages they stand for; 0
// (ANSI), 1 (default) and 2 (symbol) follow the document's \ansicpg.
int CharsetCodePage(int charset) {
    switch (charset) {
        case 77: return 10000;
        case 128: return 932;
        case 129: return 949;
        case 134: return 936;
        case 136: return 950;
        case 161: return 1253;
        case 162: return 1254;
        case 163: return 1258;
        case 177: case 181: return 1255;
        case 178: case 179: case 180: return 1256;
        case 186: return 1257;
        case 204: return 1251;
        case 222: return 874;
        case 238: return 1250;
        case 255: return 850;
        default: return 0;
    }
}

// The bullets that word processors take from a symbol font (Symbol,
// Wingdings: \fcharset2), written as the font's byte or as U+F0xx, as the
// Unicode characters they look like; 0 for any other character.
const char* SymbolFontBullet(uint32_t code) {
    switch (code & 0xFF) {
        case 0xB7: return "\u2022";  // Symbol's bullet
        case 0xA7: return "\u25AA";  // Wingdings' small square
        case 0x6E: return "\u25A0";  // Wingdings' square
        case 0x71: return "\u2751";  // Wingdings' shadowed square
        case 0x76: return "\u2756";  // Wingdings' diamond of diamonds
        case 0xD8: return "\u27A2";  // Wingdings' arrowhead
        case 0xFC: return "\u2713";  // Wingdings' check mark
        default: return nullptr;
    }
}

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
int HexValue(char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

class Reader {
public:
    explicit Reader(std::string_view in) : in_(in) { stack_.push_back({}); }

    RichDocument Run() {
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            switch (c) {
                case '{': OpenGroup(); break;
                case '}': CloseGroup(); break;
                case '\\': ControlWord(); break;
                case '\r': case '\n': case '\0': break;
                default:
                    if (fallbackLeft_ == 0 && InText() && IsPlainText(c)) {
                        PlainSpan();
                    } else {
                        TextByte(static_cast<unsigned char>(c));
                    }
                    break;
            }
        }
        FlushSurrogate();
        EndParagraph(true);
        return std::move(doc_);
    }

private:
    GroupState& State() { return stack_.back(); }
    bool InText() { return stack_.back().destination == Destination::Text; }

    void OpenGroup() {
        fallbackLeft_ = 0;
        if (stack_.size() >= kMaxDepth) {
            ++overflow_;
            return;
        }
        stack_.push_back(stack_.back());
    }

    void CloseGroup() {
        fallbackLeft_ = 0;
        if (overflow_ > 0) {
            --overflow_;
            return;
        }
        // An extra closing brace of a damaged file is dropped; the text after it stays.
        if (stack_.size() > 1) stack_.pop_back();
    }

    // One character of the fallback text after \uN is skipped instead of read.
    bool SkippedAsFallback() {
        if (fallbackLeft_ <= 0) return false;
        --fallbackLeft_;
        return true;
    }

    static bool IsPlainText(char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 0x20 && u < 0x80 && c != '\\' && c != '{' && c != '}';
    }

    // Ordinary characters read as one piece (the bulk of a document's text).
    void PlainSpan() {
        const size_t start = pos_ - 1;
        while (pos_ < in_.size() && IsPlainText(in_[pos_])) ++pos_;
        Emit(in_.substr(start, pos_ - start));
    }

    void TextByte(unsigned char c) {
        if (SkippedAsFallback()) return;
        if (!InText()) {
            if (State().destination == Destination::ColorTable && c == ';') EndColor();
            return;
        }
        if (c == '\t') {
            Emit("\t");
        } else if (c < 0x20) {
            return;
        } else if (c < 0x80) {
            FlushSurrogate();
            char ch = static_cast<char>(c);
            Emit(std::string_view(&ch, 1));
        } else {
            FlushSurrogate();
            Emit(codePages_.Decode(CodePage(), c));
        }
    }

    void ControlWord() {
        if (pos_ >= in_.size()) return;
        const char c = in_[pos_];
        if (!IsLetter(c)) {
            ++pos_;
            ControlSymbol(c);
            return;
        }
        const size_t start = pos_;
        while (pos_ < in_.size() && IsLetter(in_[pos_])) ++pos_;
        std::string_view name = in_.substr(start, pos_ - start);
        bool hasParam = false;
        bool negative = false;
        int64_t value = 0;
        if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_ + 1]))) {
            negative = true;
            ++pos_;
        }
        int digits = 0;
        while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_]))) {
            if (digits++ < kMaxDigits) value = value * 10 + (in_[pos_] - '0');
            hasParam = true;
            ++pos_;
        }
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
        value = std::clamp<int64_t>(negative ? -value : value, INT32_MIN, INT32_MAX);
        if (name.size() > kMaxWordLength) name = {};
        Apply(name, hasParam, static_cast<int32_t>(value));
    }

    void ControlSymbol(char c) {
        switch (c) {
            case '\'': {
                int byte = 0;
                int digits = 0;
                while (digits < 2 && pos_ < in_.size() && IsHex(in_[pos_])) {
                    byte = byte * 16 + HexValue(in_[pos_++]);
                    ++digits;
                }
                if (digits == 0) return;  // a cut escape: nothing to read
                if (SkippedAsFallback() || !InText()) return;
                FlushSurrogate();
                if (const char* bullet = InSymbolFont() ? SymbolFontBullet(byte) : nullptr) {
                    Emit(bullet);
                } else if (byte < 0x80) {
                    TextByteAsIs(static_cast<char>(byte));
                } else {
                    Emit(codePages_.Decode(CodePage(), static_cast<unsigned char>(byte)));
                }
                return;
            }
            case '*':
                State().destination = Destination::Skip;
                return;
            case '\\': case '{': case '}':
                if (SkippedAsFallback()) return;
                TextByteAsIs(c);
                return;
            case '~':
                if (!SkippedAsFallback() && InText()) Emit("\u00A0");
                return;
            case '_':
                if (!SkippedAsFallback() && InText()) Emit("\u2011");
                return;
            case '\r': case '\n':
                if (!SkippedAsFallback() && InText()) Paragraph();
                return;
            case '\t':
                if (!SkippedAsFallback() && InText()) Emit("\t");
                return;
            default:  // \- (optional hyphen), \: and others carry no text
                SkippedAsFallback();
                return;
        }
    }

    void TextByteAsIs(char c) {
        if (!InText()) return;
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return;
        FlushSurrogate();
        Emit(std::string_view(&c, 1));
    }

    void Apply(std::string_view name, bool hasParam, int32_t value) {
        const auto& words = Words();
        const auto it = words.find(name);
        const WordInfo info = it == words.end() ? WordInfo{Word::Unknown} : it->second;
        const bool on = !hasParam || value != 0;
        GroupState& s = State();
        if (info.word == Word::Unicode) {
            // The fallback characters of the previous \u are not skipped past this one.
            fallbackLeft_ = 0;
            if (s.destination == Destination::Text) Unicode(value);
            fallbackLeft_ = s.fallback;
            return;
        }
        if (SkippedAsFallback()) return;
        switch (info.word) {
            case Word::Skip: s.destination = Destination::Skip; return;
            case Word::FontTable: s.destination = Destination::FontTable; return;
            case Word::ColorTable:
                s.destination = Destination::ColorTable;
                colorStarted_ = false;
                return;
            case Word::Bin: SkipBinary(hasParam ? value : 0); return;
            case Word::FallbackCount: s.fallback = std::clamp<int32_t>(value, 0, kMaxFallback); return;
            case Word::AnsiCodePage: if (value > 0) documentCodePage_ = value; return;
            case Word::Ansi: documentCodePage_ = 1252; return;
            case Word::Mac: documentCodePage_ = 10000; return;
            case Word::Pc: documentCodePage_ = 437; return;
            case Word::Pca: documentCodePage_ = 850; return;
            case Word::DefaultFont:
                defaultFont_ = value;
                return;
            default: break;
        }
        if (s.destination == Destination::FontTable) {
            if (info.word == Word::Font) tableFont_ = value;
            else if (info.word == Word::Charset) {
                fontCodePage_[tableFont_] = CharsetCodePage(value);
                if (value == 2) symbolFonts_.insert(tableFont_);
            }
            else if (info.word == Word::CodePage && value > 0) fontCodePage_[tableFont_] = value;
            return;
        }
        if (s.destination == Destination::ColorTable) {
            const int channel = std::clamp<int32_t>(value, 0, 255);
            if (info.word == Word::Red) red_ = channel, colorStarted_ = true;
            else if (info.word == Word::Green) green_ = channel, colorStarted_ = true;
            else if (info.word == Word::Blue) blue_ = channel, colorStarted_ = true;
            return;
        }
        // Formatting is kept in every destination (a skipped group ends with its
        // state); text and breaks only in the document's text.
        switch (info.word) {
            case Word::Pard:
                s.align = RichAlign::Left;
                s.rtlParagraph = false;
                s.inTable = false;
                return;
            case Word::Plain: {
                const bool rtl = s.format.rtl;
                s.format = RichFormat{};
                s.format.rtl = rtl;
                return;
            }
            case Word::Bold: s.format.bold = on; return;
            case Word::Italic: s.format.italic = on; return;
            case Word::Underline: s.format.underline = on; return;
            case Word::UnderlineNone: s.format.underline = false; return;
            case Word::FontSize: s.format.halfPoints = value > 0 ? std::min<int32_t>(value, 3276) : 24; return;
            case Word::Color:
                s.format.color = value > 0 && static_cast<size_t>(value) < colors_.size() ? colors_[value] : -1;
                return;
            case Word::Font: s.font = value; return;
            case Word::Left: s.align = RichAlign::Left; return;
            case Word::Right: s.align = RichAlign::Right; return;
            case Word::Center: s.align = RichAlign::Center; return;
            case Word::Justify: s.align = RichAlign::Justify; return;
            case Word::RtlPar: s.rtlParagraph = true; return;
            case Word::LtrPar: s.rtlParagraph = false; return;
            case Word::RtlChar: s.format.rtl = true; return;
            case Word::LtrChar: s.format.rtl = false; return;
            case Word::InTable: s.inTable = true; return;
            case Word::RowDefaults: case Word::LtrRow: rtlRow_ = false; return;
            case Word::RtlRow: rtlRow_ = true; return;
            default: break;
        }
        if (s.destination != Destination::Text) return;
        switch (info.word) {
            case Word::Par: Paragraph(); return;
            case Word::Line: Emit("\n"); return;
            case Word::Tab: case Word::NestCell: Emit("\t"); return;
            case Word::NestRow: Emit("\n"); return;
            case Word::Cell: Cell(); return;
            case Word::Row: Row(); return;
            case Word::Symbol: FlushSurrogate(); Emit(info.symbol); return;
            default: return;
        }
    }

    void Unicode(int32_t value) {
        if (value > 0xFFFF || value < -0x10000) {
            Emit("\uFFFD");  // no UTF-16 code unit
            return;
        }
        const uint32_t unit = static_cast<uint32_t>(value < 0 ? value + 65536 : value) & 0xFFFF;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            FlushSurrogate();
            highSurrogate_ = unit;
            return;
        }
        std::string utf8;
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            if (highSurrogate_ == 0) {
                utf8 = "\uFFFD";
            } else {
                AppendUtf8(utf8, 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00));
                highSurrogate_ = 0;
            }
        } else {
            FlushSurrogate();
            if (unit == 0 || (unit < 0x20 && unit != '\t')) return;
            const char* bullet = (unit & 0xFF00) == 0xF000 && InSymbolFont() ? SymbolFontBullet(unit) : nullptr;
            if (bullet) {
                utf8 = bullet;
            } else {
                AppendUtf8(utf8, unit);
            }
        }
        Emit(utf8);
    }

    void FlushSurrogate() {
        if (highSurrogate_ == 0) return;
        highSurrogate_ = 0;
        Emit("\uFFFD");
    }

    void SkipBinary(int32_t count) {
        const size_t n = count > 0 ? static_cast<size_t>(count) : 0;
        pos_ += std::min(n, in_.size() - pos_);
    }

    void EndColor() {
        colors_.push_back(colorStarted_ ? (red_ << 16) | (green_ << 8) | blue_ : -1);
        red_ = green_ = blue_ = 0;
        colorStarted_ = false;
    }

    bool InSymbolFont() {
        if (symbolFonts_.empty()) return false;
        return symbolFonts_.count(State().font >= 0 ? State().font : defaultFont_) > 0;
    }

    int CodePage() {
        const int font = State().font >= 0 ? State().font : defaultFont_;
        const auto it = fontCodePage_.find(font);
        return it != fontCodePage_.end() && it->second != 0 ? it->second : documentCodePage_;
    }

    void Emit(std::string_view text) {
        if (text.empty()) return;
        if (highSurrogate_ != 0) {
            // A high surrogate whose low half never came.
            highSurrogate_ = 0;
            Emit("\uFFFD");
        }
        auto& runs = paragraph_.runs;
        const RichFormat& f = State().format;
        if (runs.empty() || newRun_ || !(runs.back().format == f)) {
            runs.push_back({std::string(), f});
            newRun_ = false;
        }
        runs.back().text.append(text);
    }

    // \par: the end of a paragraph, or a line break inside a table cell.
    void Paragraph() {
        if (State().inTable || !paragraph_.cells.empty()) {
            Emit("\n");
            return;
        }
        EndParagraph(false);
    }

    void Cell() {
        FlushSurrogate();
        paragraph_.cells.push_back(cellStart_);
        cellStart_ = paragraph_.runs.size();
        newRun_ = true;
    }

    void Row() {
        if (paragraph_.cells.empty() || paragraph_.runs.size() > cellStart_) Cell();
        EndParagraph(false);
    }

    void EndParagraph(bool atEnd) {
        FlushSurrogate();
        if (!paragraph_.cells.empty() && paragraph_.runs.size() > cellStart_) Cell();
        if (atEnd && paragraph_.runs.empty() && paragraph_.cells.empty()) return;
        paragraph_.align = State().align;
        paragraph_.rtl = State().rtlParagraph;
        if (paragraph_.IsRow()) paragraph_.rtlRow = rtlRow_;
        doc_.paragraphs.push_back(std::move(paragraph_));
        paragraph_ = RichParagraph{};
        cellStart_ = 0;
        newRun_ = false;
    }

    std::string_view in_;
    size_t pos_ = 0;
    std::vector<GroupState> stack_;
    size_t overflow_ = 0;
    int fallbackLeft_ = 0;
    uint32_t highSurrogate_ = 0;

    int documentCodePage_ = 1252;
    int defaultFont_ = -1;
    int tableFont_ = -1;
    std::map<int, int> fontCodePage_;
    std::set<int> symbolFonts_;
    bool rtlRow_ = false;  // \rtlrow of the row being defined
    CodePageTables codePages_;

    std::vector<int32_t> colors_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colorStarted_ = false;

    RichDocument doc_;
    RichParagraph paragraph_;
    size_t cellStart_ = 0;
    bool newRun_ = false;
};

// The direction of a plain text line: that of its first letter with a direction.
bool StartsRightToLeft(std::string_view utf8) {
    for (size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = utf8[i];
        if (IsLetter(static_cast<char>(c))) return false;
        // U+0590..U+08FF (Hebrew, Arabic, Syriac, Thaana, ...) begin with lead bytes D6..E0 A3.
        if (c >= 0xD6 && c <= 0xDF) return true;
        if (c == 0xE0 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) <= 0xA3) return true;
        if (c == 0xEF && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) >= 0xAD &&
            static_cast<unsigned char>(utf8[i + 1]) <= 0xBB)
            return true;  // presentation forms
    }
    return false;
}

}  // namespace

bool IsRtf(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n')) ++i;
    return bytes.substr(i, 5) == "{\\rtf";
}

RichDocument ReadRtf(std::string_view bytes) { return Reader(bytes).Run(); }

RichDocument ReadDocument(std::string_view bytes) {
    if (IsRtf(bytes)) return ReadRtf(bytes);
    RichDocument doc;
    TextContent text = DecodeText(bytes);
    doc.paragraphs.reserve(text.lines.size());
    for (std::string& line : text.lines) {
        RichParagraph p;
        p.rtl = StartsRightToLeft(line);
        p.align = p.rtl ? RichAlign::Right : RichAlign::Left;
        if (!line.empty()) p.runs.push_back({std::move(line), RichFormat{}});
        doc.paragraphs.push_back(std::move(p));
    }
    return doc;
}

}  // namespace orv

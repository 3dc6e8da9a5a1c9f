#include "results/core/TestDocuments.h"

#include <array>
#include <charconv>

#include "base/core/RemotePath.h"
#include "base/core/SafeName.h"
#include "results/core/ResultLine.h"

namespace orv::results {

const std::vector<std::string>& TestDocumentTable() {
    static const std::vector<std::string> table = {
        "Hb Electro,1",        "Pro.Elect,2",       "Double Marker,3",  "Quadruple test,3",  "AFP (MoM),3",
        "HCV Qualitative,5",   "HBV Qualitative,6", "HCV Genotyping,7", "HSV Qualitative,8", "HCV Quantitative,9",
        "HBV Quantitative,10", "CMV Quali,11",      "CMV Quanti,12",    "EBV Quali,13",      "EBV Quanti,14",
        "HSV 1 PCR Quali,15",  "TB PCR Quali,16",   "JAK2 Mutation,17", "HPV Genotyping,18", "HSV 2 PCR Quali,19",
        "Imm.elec.serum,20",
    };
    return table;
}

std::string TestNameOfCell(std::string_view cell) {
    const std::string_view trimmed = TrimBlanks(cell);
    const size_t eq = trimmed.find('=');
    if (eq == std::string_view::npos) return {};
    return std::string(trimmed.substr(0, eq));
}

namespace {
// Byte offset of the character with 0-based index `index` (or the end).
size_t CharOffset(std::string_view utf8, size_t index) {
    size_t seen = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) continue;
        if (seen++ == index) return i;
    }
    return utf8.size();
}
}  // namespace

std::string DocumentKey(std::string_view referenceCode) {
    const std::string_view code = TrimBlanks(referenceCode);
    if (CharCount(code) < 6) return std::string(code);
    const size_t from = CharOffset(code, 5);
    const size_t to = CharOffset(code, 10);
    return std::string(code.substr(from, to - from));
}

int DocumentKind(std::string_view testName) {
    for (const std::string& line : TestDocumentTable()) {
        const size_t comma = line.find(',');
        if (std::string_view(line).substr(0, comma) != testName) continue;
        const std::string_view code = std::string_view(line).substr(comma + 1, 2);
        int kind = kNoDocument;
        std::from_chars(code.data(), code.data() + code.size(), kind);
        return kind;
    }
    return kNoDocument;
}

namespace {
enum class Folder { Laboratory, Screening, Pcr };

struct KindRule {
    Folder folder;
    const char* code;  // the part naming the test in the file name
};

// Kinds 1-20 in order.
constexpr std::array<KindRule, 20> kRules = {{
    {Folder::Laboratory, "H"}, {Folder::Laboratory, "P"}, {Folder::Screening, ""}, {Folder::Screening, "AFP"},
    {Folder::Pcr, "HCVQL"},    {Folder::Pcr, "HBVQL"},    {Folder::Pcr, "HCVG"},   {Folder::Pcr, "HSVQL"},
    {Folder::Pcr, "HCVQN"},    {Folder::Pcr, "HBVQN"},    {Folder::Pcr, "CMVQL"},  {Folder::Pcr, "CMVQN"},
    {Folder::Pcr, "EBVQL"},    {Folder::Pcr, "EBVQN"},    {Folder::Pcr, "HSV1"},   {Folder::Pcr, "TBQL"},
    {Folder::Pcr, "JAK2"},     {Folder::Pcr, "HPVG"},     {Folder::Pcr, "HSV2"},   {Folder::Laboratory, "I"},
}};
}  // namespace

DocumentPlace DocumentFor(int kind, std::string_view key, std::string_view originCode, int year, int month,
                          std::string_view folderCode, std::string_view root) {
    for (char ch : std::string(key) + std::string(originCode))
        if (static_cast<unsigned char>(ch) < 0x20) return {};
    if (kind < 1 || kind > static_cast<int>(kRules.size())) return {};
    const KindRule& rule = kRules[static_cast<size_t>(kind - 1)];
    const std::string yearText = std::to_string(year);
    const std::string yy = yearText.size() >= 3 ? yearText.substr(2, 2) : std::string();
    const std::string m = std::to_string(month);

    DocumentPlace place;
    switch (rule.folder) {
        case Folder::Laboratory:
            place.fileName = std::string(key) + "_" + std::string(originCode) + rule.code + ".pdf";
            place.source = remote::Path({remote::kResults, folderCode, place.fileName});
            break;
        case Folder::Screening:
            place.fileName = kind == 3 ? yy + "-" + m + "-" + std::string(key) + ".pdf"
                                       : m + "-" + rule.code + "-" + std::string(key) + ".pdf";
            place.source = remote::Path({remote::kScreening, place.fileName});
            break;
        case Folder::Pcr:
            place.fileName = m + "-" + rule.code + "-" + std::string(key) + ".pptx";
            place.source = remote::Path({remote::kPcr, place.fileName});
            break;
    }
    // The key and the origin code come from the server's file: a name that could
    // leave the workspace folder is no document of ours.
    if (!IsSafeFileName(place.fileName)) return {};
    place.dest = std::string(root) + place.fileName;
    return place;
}

}  // namespace orv::results

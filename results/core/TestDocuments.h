#pragma once
// Tests whose answer is a separate document (an electrophoresis chart or a
// screening report in PDF, a PCR report in PowerPoint): which document belongs
// to a grid cell's test and its patient, and where it lives on the server and
// in the workspace.
#include <string>
#include <string_view>
#include <vector>

namespace orv::results {

inline constexpr int kNoDocument = 50;

// The test table as its lines "test name,kind", searched in order.
const std::vector<std::string>& TestDocumentTable();

// The text before the first "=" of the trimmed cell; empty without one.
std::string TestNameOfCell(std::string_view cell);
// Characters 6 to 10 of the trimmed reference code when it has 6 or more, else all of it.
std::string DocumentKey(std::string_view referenceCode);
// The kind of the first table line naming `testName` exactly, or kNoDocument.
int DocumentKind(std::string_view testName);

struct DocumentPlace {
    std::string fileName;
    std::string source;  // remote path, sent as written
    std::string dest;    // root + fileName
};

// For kinds 1-20; an empty place for any other kind, and when the key or the
// origin code would make a file name reaching outside the workspace folder. `year` and `month` are the
// chosen day's solar year and month.
DocumentPlace DocumentFor(int kind, std::string_view key, std::string_view originCode, int year, int month,
                          std::string_view folderCode, std::string_view root);

}  // namespace orv::results

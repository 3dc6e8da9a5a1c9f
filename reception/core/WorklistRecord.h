#pragma once
// One patient of the day's worklist, as one line of "today.txt":
//
//   receipt;first name;family name;age;age unit;father's name;sex[test;test;...test;
//
// Fields 1-6 end with ";", field 7 with "[", and every test name with ";". There
// is no escaping, so the entry fields refuse ";" and "[" as they are typed.
#include <string>
#include <string_view>
#include <vector>

namespace orv::reception {

inline constexpr int kNone = -1;  // no selection in the age-unit or sex list

struct WorklistRecord {
    std::string receipt;
    std::string firstName;
    std::string familyName;
    std::string age;
    int ageUnit = 0;  // 0 "Year", 1 "Month", 2 "Day", -1 none
    std::string father;
    int sex = 0;  // 0 not given, 1 "زن", 2 "مرد", -1 none
    std::vector<std::string> tests;

    bool operator==(const WorklistRecord&) const = default;
};

// Splits a stored line. A missing divider makes the field the rest of the line;
// an age unit or sex that is not a decimal integer reads as -1 (none) and the
// rest of the record still loads.
WorklistRecord LoadRecord(std::string_view line);

// The line for a record (the inverse of LoadRecord for fields without ";" or "[");
// each test name as TestNameForRecord gives it.
std::string StoreRecord(const WorklistRecord& record);

// A test name as a record holds it: the divider ";" becomes "," (the catalogue
// has "TEL-AML 1(12;21)Qual"), so the name comes back as one test.
std::string TestNameForRecord(std::string_view name);

// A new patient: the receipt number and every other field empty, age unit 0, sex 0, no tests.
std::string NewPatientRecord(std::string_view receipt);

// The requested tests after the "[": every name that ends with ";", and a last
// name without one; names of any length, empty names skipped.
std::vector<std::string> SplitTests(std::string_view tests);

// The receipt number of a stored line: its text before the first ";".
std::string_view RecordReceipt(std::string_view line);

// The first `count` fields of a stored line, each the text before the next ";".
std::vector<std::string_view> LeadingFields(std::string_view line, int count);

// True when a typed text may go into a patient field (no ";" and no "[").
bool IsFieldText(std::string_view text);

// A decimal integer with an optional sign, or `fallback`.
int ParseIndex(std::string_view text, int fallback = kNone);

}  // namespace orv::reception

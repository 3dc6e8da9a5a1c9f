#pragma once
// The quality control run before a worklist is exported: every patient in list
// order, the checks in a fixed order, stopping at the first failure.
#include <optional>
#include <string>
#include <vector>

namespace orv::reception {

// The entry field that gets the focus after a failed check.
enum class QcField { Receipt, FirstName, FamilyName, Age, Tests, Father, Sex };

struct QcFailure {
    int patient = 0;        // index in the list, from 0
    std::string message;    // UTF-8, for the "Attention" box
    QcField field = QcField::Receipt;
};

// The first failing patient, or nothing when every patient passes (an empty list passes).
std::optional<QcFailure> CheckWorklist(const std::vector<std::string>& records);

// The same check for one stored line.
std::optional<QcFailure> CheckRecord(const std::string& record);

// The first patient holding a character that code page 1256 has no form for
// (the central laboratory reads the list in it), with the patient, the field
// and the character named in the message; nothing when every character fits.
std::optional<QcFailure> CheckCodePage(const std::vector<std::string>& records);

}  // namespace orv::reception

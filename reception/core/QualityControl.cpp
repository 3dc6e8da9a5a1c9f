#include "reception/core/QualityControl.h"

#include "base/core/Trim.h"
#include "reception/core/WorklistRecord.h"

namespace orv::reception {

namespace {

struct Check {
    const char* message;
    QcField field;
};

// Fields 1 to 5 of the record, in this order: receipt, first name, family name,
// age and age unit (an empty unit counts as a missing age).
constexpr Check kFieldChecks[] = {
    {"شمار قبض پذیرش نا معتبر میباشد", QcField::Receipt},
    {"نام کوچک بیمار نا معتبر میباشد", QcField::FirstName},
    {"نام خانوادگی بیمار نا معتبر میباشد", QcField::FamilyName},
    {"سن بیمار نا معتبر میباشد", QcField::Age},
    {"سن بیمار نا معتبر میباشد", QcField::Age},
};
constexpr Check kNoTests = {"بیمار فاقد تست درخواستی میباشد", QcField::Tests};

}  // namespace

std::optional<QcFailure> CheckRecord(const std::string& record) {
    const std::vector<std::string_view> fields = LeadingFields(record, 5);
    for (size_t i = 0; i < fields.size(); ++i)
        if (Trim(fields[i]).empty()) return QcFailure{0, kFieldChecks[i].message, kFieldChecks[i].field};
    if (LoadRecord(record).tests.empty()) return QcFailure{0, kNoTests.message, kNoTests.field};
    return std::nullopt;
}

std::optional<QcFailure> CheckWorklist(const std::vector<std::string>& records) {
    for (size_t k = 0; k < records.size(); ++k) {
        if (auto failure = CheckRecord(records[k])) {
            failure->patient = static_cast<int>(k);
            return failure;
        }
    }
    return std::nullopt;
}

}  // namespace orv::reception

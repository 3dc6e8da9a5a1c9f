#include "reception/core/QualityControl.h"

#include "base/core/Trim.h"
#include "reception/core/FieldText.h"
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

namespace {

struct Field {
    std::string_view text;
    QcField field;
    const char* name;
};

// The fields of a stored line as they stand in it, the tests last.
std::vector<Field> RawFields(std::string_view line) {
    static constexpr QcField kLeading[] = {QcField::Receipt,    QcField::FirstName, QcField::FamilyName,
                                           QcField::Age,        QcField::Age,       QcField::Father};
    static constexpr const char* kNames[] = {"شماره قبض", "نام", "نام خانوادگی", "سن", "واحد سن", "نام پدر"};
    std::vector<Field> fields;
    const std::vector<std::string_view> leading = LeadingFields(line, 6);
    size_t used = 0;
    for (size_t i = 0; i < leading.size(); ++i) {
        fields.push_back({leading[i], kLeading[i], kNames[i]});
        used += leading[i].size() + 1;
    }
    const std::string_view rest = used < line.size() ? line.substr(used) : std::string_view();
    const size_t bracket = rest.find('[');
    fields.push_back({rest.substr(0, bracket), QcField::Sex, "جنسیت"});
    if (bracket != std::string_view::npos) fields.push_back({rest.substr(bracket + 1), QcField::Tests, nullptr});
    return fields;
}

}  // namespace

std::optional<QcFailure> CheckCodePage(const std::vector<std::string>& records) {
    for (size_t k = 0; k < records.size(); ++k) {
        if (UnfitCharacter(records[k]).empty()) continue;
        for (const Field& f : RawFields(records[k])) {
            const std::string unfit = UnfitCharacter(f.text);
            if (unfit.empty()) continue;
            std::string where = f.name ? f.name : "";
            if (!f.name)
                for (const std::string& test : SplitTests(f.text))
                    if (!UnfitCharacter(test).empty()) {
                        where = "آزمایش «" + test + "»";
                        break;
                    }
            const std::string message = "بیمار ردیف " + std::to_string(k + 1) + " (شماره قبض " +
                                        std::string(RecordReceipt(records[k])) + ")، " + where + ": نویسه " +
                                        CharacterName(unfit) +
                                        " در کدپیج 1256 که آزمایشگاه تاروینا میخواند جایی ندارد. لیست ارسال نشد؛ "
                                        "لطفا آن را اصلاح کنید";
            return QcFailure{static_cast<int>(k), message, f.field};
        }
    }
    return std::nullopt;
}

}  // namespace orv::reception

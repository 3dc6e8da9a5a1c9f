#include <gtest/gtest.h>

#include "reception/core/QualityControl.h"

namespace orv::reception {
namespace {

struct Case {
    const char* record;
    const char* message;  // nullptr: passes
    QcField field;
};

TEST(QualityControl, ChecksTheFieldsInOrderThenTheTests) {
    const Case cases[] = {
        {";;;;;;0[", "شمار قبض پذیرش نا معتبر میباشد", QcField::Receipt},
        {"  ;a;b;1;0;;0[Hb;", "شمار قبض پذیرش نا معتبر میباشد", QcField::Receipt},
        {"1; ;;;;;0[", "نام کوچک بیمار نا معتبر میباشد", QcField::FirstName},
        {"1;a;;1;0;;0[Hb;", "نام خانوادگی بیمار نا معتبر میباشد", QcField::FamilyName},
        {"1;a;b; ;0;;0[Hb;", "سن بیمار نا معتبر میباشد", QcField::Age},
        {"1;a;b;3;;;0[Hb;", "سن بیمار نا معتبر میباشد", QcField::Age},
        {"1;a;b;3;0;;0[", "بیمار فاقد تست درخواستی میباشد", QcField::Tests},
        {"1;a;b;3;0;;0[;", "بیمار فاقد تست درخواستی میباشد", QcField::Tests},
        // The father's name and the sex are not checked.
        {"1;a;b;3;0; ;0[Hb;", nullptr, QcField::Receipt},
        {"1;a;b;3;-1;;-1[k", nullptr, QcField::Receipt},
    };
    for (const Case& c : cases) {
        const auto failure = CheckRecord(c.record);
        if (!c.message) {
            EXPECT_FALSE(failure) << c.record;
            continue;
        }
        ASSERT_TRUE(failure) << c.record;
        EXPECT_EQ(failure->message, c.message) << c.record;
        EXPECT_EQ(failure->field, c.field) << c.record;
    }
}

TEST(QualityControl, StopsAtTheFirstFailingPatient) {
    EXPECT_FALSE(CheckWorklist({}));
    const std::vector<std::string> list = {"1;a;b;3;0;;1[Hb;", "2;c;d;4;0;;2[", "3;;;;0;;0["};
    const auto failure = CheckWorklist(list);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->patient, 1);
    EXPECT_EQ(failure->message, "بیمار فاقد تست درخواستی میباشد");
    EXPECT_EQ(failure->field, QcField::Tests);
    EXPECT_FALSE(CheckWorklist({"1;a;b;3;0;;1[Hb;", "2;c;d;4;1;;2[Zn;"}));
}

}  // namespace
}  // namespace orv::reception

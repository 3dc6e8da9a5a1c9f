#include <gtest/gtest.h>

#include "reception/core/WorklistRecord.h"

namespace orv::reception {
namespace {

TEST(WorklistRecord, LoadsEveryFieldAndTheTests) {
    const WorklistRecord r = LoadRecord("1234;الف;ب;35;0;ج;2[Hb;Zn;");
    EXPECT_EQ(r.receipt, "1234");
    EXPECT_EQ(r.firstName, "الف");
    EXPECT_EQ(r.familyName, "ب");
    EXPECT_EQ(r.age, "35");
    EXPECT_EQ(r.ageUnit, 0);
    EXPECT_EQ(r.father, "ج");
    EXPECT_EQ(r.sex, 2);
    EXPECT_EQ(r.tests, (std::vector<std::string>{"Hb", "Zn"}));
    EXPECT_EQ(StoreRecord(r), "1234;الف;ب;35;0;ج;2[Hb;Zn;");
}

TEST(WorklistRecord, NewPatientAndRecordWithoutTests) {
    EXPECT_EQ(NewPatientRecord("77"), "77;;;;0;;0[");
    const WorklistRecord r = LoadRecord(NewPatientRecord("77"));
    EXPECT_EQ(r.receipt, "77");
    EXPECT_EQ(r.ageUnit, 0);
    EXPECT_EQ(r.sex, 0);
    EXPECT_TRUE(r.tests.empty());
    EXPECT_EQ(StoreRecord(r), "77;;;;0;;0[");
}

// The test list's reading stops at the end of the text whatever it holds.
TEST(WorklistRecord, ReadsEveryTestNameOfAnyLength) {
    EXPECT_EQ(SplitTests("Hb;k;"), (std::vector<std::string>{"Hb", "k"}));
    EXPECT_EQ(SplitTests("k;"), (std::vector<std::string>{"k"}));
    EXPECT_EQ(SplitTests("Hb;Zn"), (std::vector<std::string>{"Hb", "Zn"}));
    EXPECT_EQ(SplitTests("x"), (std::vector<std::string>{"x"}));
    EXPECT_EQ(SplitTests(";;Hb;;"), (std::vector<std::string>{"Hb"}));
    EXPECT_TRUE(SplitTests("").empty());
    EXPECT_EQ(LoadRecord("5;a;b;1;0;c;1[FBS;k").tests, (std::vector<std::string>{"FBS", "k"}));
}

// The catalogue's name with the divider is stored with "," and comes back as one test.
TEST(WorklistRecord, TestNameWithDividerComesBackAsOne) {
    WorklistRecord r = LoadRecord("9;a;b;1;0;;1[");
    r.tests = {"TEL-AML 1(12;21)Qual", "Hb"};
    EXPECT_EQ(StoreRecord(r), "9;a;b;1;0;;1[TEL-AML 1(12,21)Qual;Hb;");
    EXPECT_EQ(LoadRecord(StoreRecord(r)).tests, (std::vector<std::string>{"TEL-AML 1(12,21)Qual", "Hb"}));
}

TEST(WorklistRecord, NonIntegerAgeUnitOrSexReadsAsNoneAndTheRestLoads) {
    const WorklistRecord r = LoadRecord("12;Ali;Rezai;40;x;Hasan;?[CBC;FBS;");
    EXPECT_EQ(r.ageUnit, kNone);
    EXPECT_EQ(r.sex, kNone);
    EXPECT_EQ(r.father, "Hasan");
    EXPECT_EQ(r.tests, (std::vector<std::string>{"CBC", "FBS"}));
    EXPECT_EQ(LoadRecord("1;a;b;2;;c;[").ageUnit, kNone);
    EXPECT_EQ(LoadRecord("1;a;b;2;99999999999;c;1[").ageUnit, kNone);
    EXPECT_EQ(LoadRecord("1;a;b;2;-1;c;+2[").sex, 2);
    EXPECT_EQ(LoadRecord("1;a;b;2;-1;c;+2[").ageUnit, -1);
}

TEST(WorklistRecord, ShortLinesLoadWhatIsThere) {
    const WorklistRecord r = LoadRecord("abc");
    EXPECT_EQ(r.receipt, "abc");
    EXPECT_EQ(r.firstName, "");
    EXPECT_EQ(r.sex, kNone);
    EXPECT_TRUE(r.tests.empty());
    EXPECT_EQ(LoadRecord("").receipt, "");
    // A "[" before field 7 belongs to its field.
    EXPECT_EQ(LoadRecord("1[2;a;b;c;0;d;1[Hb;").receipt, "1[2");
}

TEST(WorklistRecord, ReceiptAndLeadingFields) {
    EXPECT_EQ(RecordReceipt("100;a;b"), "100");
    EXPECT_EQ(RecordReceipt("100"), "100");
    const auto fields = LeadingFields("1; a ;b;;0;f;1[", 5);
    ASSERT_EQ(fields.size(), 5u);
    EXPECT_EQ(fields[1], " a ");
    EXPECT_EQ(fields[3], "");
    EXPECT_EQ(fields[4], "0");
    EXPECT_TRUE(IsFieldText("محمد رضا"));
    EXPECT_FALSE(IsFieldText("a;b"));
    EXPECT_FALSE(IsFieldText("a[b"));
}

}  // namespace
}  // namespace orv::reception

#include <gtest/gtest.h>

#include "reception/core/TestCatalogue.h"

namespace orv::reception {
namespace {

std::vector<std::string> NamesAt(const TestCatalogue& c, const std::vector<int>& at) {
    std::vector<std::string> names;
    for (int i : at) names.push_back(c.Names()[static_cast<size_t>(i)]);
    return names;
}

TEST(TestCatalogue, SortedWithoutRegardToCaseDuplicatesKept) {
    const TestCatalogue c({"zn", "Hb", "hbA1C", "ALT", "Hb", "k", "Ca"});
    EXPECT_EQ(c.Names(), (std::vector<std::string>{"ALT", "Ca", "Hb", "Hb", "hbA1C", "k", "zn"}));
    EXPECT_EQ(c.IndexOf("Hb"), 2);
    EXPECT_EQ(c.IndexOf("HB"), -1);
}

TEST(TestCatalogue, RelatedTestsInAnyMixOfCases) {
    const TestCatalogue c = TestCatalogue::BuiltIn();
    const auto related = NamesAt(c, c.Related("hb"));
    EXPECT_NE(std::find(related.begin(), related.end(), "Hb"), related.end());
    EXPECT_NE(std::find(related.begin(), related.end(), "HbA1C"), related.end());
    for (const std::string& n : related) EXPECT_NE(FoldCase(n).find("hb"), std::string::npos) << n;
    EXPECT_EQ(NamesAt(c, c.Related("HB")), related);
    EXPECT_TRUE(c.Related("").empty());
    EXPECT_TRUE(c.Related("no such test at all").empty());
    // In list order.
    const auto at = c.Related("vit");
    EXPECT_TRUE(std::is_sorted(at.begin(), at.end()));
    EXPECT_GE(at.size(), 5u);
    // A name the list holds twice is offered once.
    EXPECT_EQ(NamesAt(c, c.Related("fbs")), std::vector<std::string>{"FBS"});
    EXPECT_EQ(NamesAt(TestCatalogue({"Hb", "HbA1C", "Hb"}), TestCatalogue({"Hb", "HbA1C", "Hb"}).Related("hb")),
              (std::vector<std::string>{"Hb", "HbA1C"}));
}

TEST(TestCatalogue, CustomCodes) {
    const std::vector<std::string> codes = {"", "x1", "Y2", "x1"};
    EXPECT_EQ(FindCode(codes, "X1"), 1);
    EXPECT_EQ(FindCode(codes, "y2"), 2);
    EXPECT_EQ(FindCode(codes, "x"), -1);
    EXPECT_EQ(FindCode(codes, ""), -1);  // an empty text selects no test
    std::vector<std::string> shortList = {"a"};
    AssignCode(shortList, 5, "q7", 10);
    ASSERT_EQ(shortList.size(), 10u);
    EXPECT_EQ(shortList[0], "a");
    EXPECT_EQ(shortList[4], "");
    EXPECT_EQ(shortList[5], "q7");
    std::vector<std::string> full(3, "");
    AssignCode(full, 1, "b", 3);
    EXPECT_EQ(full, (std::vector<std::string>{"", "b", ""}));
    EXPECT_TRUE(HoldsTest({"Hb", "Zn"}, "HB"));
    EXPECT_FALSE(HoldsTest({"Hb", "Zn"}, "HbA1C"));
}

}  // namespace
}  // namespace orv::reception

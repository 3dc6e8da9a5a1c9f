#include <gtest/gtest.h>

#include "results/core/ResultPaths.h"
#include "results/core/ResultSearch.h"

using namespace orv::results;

namespace {
ResultTable Day() {
    return ResultTable({
        "1   A1   312   30   رضا احمدی   FBS=95   ",
        "2   A2   120   41   مریم رضایی   ",
        "3   A3   12   5   علی رضا   ",
        "4   A4   99   5   Sara   ",
    });
}
}  // namespace

TEST(ResultSearch, WholeNumbersSearchTheOriginCode) {
    EXPECT_TRUE(IsDecimalInteger("12"));
    EXPECT_TRUE(IsDecimalInteger("-7"));
    EXPECT_TRUE(IsDecimalInteger("+7"));
    EXPECT_TRUE(IsDecimalInteger("007"));
    for (const char* text : {"", "-", "+", "+-1", "1 2", " 12", "12a", "۱۲", "99999999999", "1.5"})
        EXPECT_FALSE(IsDecimalInteger(text)) << text;
    EXPECT_EQ(SearchColumn(true), 2);
    EXPECT_EQ(SearchColumn(false), 4);
}

TEST(ResultSearch, FromTopFindsTheFirstContainingRow) {
    const ResultTable day = Day();
    EXPECT_EQ(FindFromTop(day, 2, "12"), 1);   // 312
    EXPECT_EQ(FindFromTop(day, 2, "120"), 2);
    EXPECT_EQ(FindFromTop(day, 4, "رضا"), 1);
    EXPECT_EQ(FindFromTop(day, 4, "sara"), 0);  // case matters
    EXPECT_EQ(FindFromTop(day, 4, ""), 0);
    EXPECT_EQ(FindFromTop(ResultTable(), 4, "x"), 0);
}

TEST(ResultSearch, FindNextWalksTheMatchesAndWraps) {
    const ResultTable day = Day();
    int current = FindFromTop(day, 4, "رضا");
    ASSERT_EQ(current, 1);
    std::vector<int> walk;
    for (int i = 0; i < 4; ++i) {
        const FindNextResult next = FindNext(day, 4, "رضا", current);
        walk.push_back(next.row);
        current = next.row;
    }
    EXPECT_EQ(walk, (std::vector<int>{2, 3, 1, 2}));
    EXPECT_TRUE(FindNext(day, 4, "رضا", 3).wrapped);
    EXPECT_FALSE(FindNext(day, 4, "رضا", 1).wrapped);
    // Nothing anywhere: the wrap finds nothing either.
    const FindNextResult none = FindNext(day, 4, "zzz", 2);
    EXPECT_EQ(none.row, 0);
    EXPECT_TRUE(none.wrapped);
    // From the heading row the first match is the next one.
    EXPECT_EQ(FindNext(day, 2, "12", 0).row, 1);
}

TEST(ResultPaths, CompactDateAndFileNames) {
    EXPECT_EQ(CompactDate("1401/06/30"), "14010630");
    EXPECT_EQ(CompactDate("1401/06"), "140106");
    EXPECT_EQ(CompactDate("14"), "14");
    EXPECT_EQ(CompactDate(""), "");
    EXPECT_EQ(RemoteResultPath("12", "14010630"), "/Text Result/12/14010630.txt");
    EXPECT_EQ(LocalResultPath("/home/u/TarvinaLabData/", "14010630"), "/home/u/TarvinaLabData/14010630.txt");
}

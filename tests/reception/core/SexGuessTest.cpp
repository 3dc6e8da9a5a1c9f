#include <gtest/gtest.h>

#include <set>

#include "reception/core/BuiltInLists.h"
#include "reception/core/SexGuess.h"

namespace orv::reception {
namespace {

struct Case {
    int sex;
    const char* firstName;
    int expected;
    const char* lookedUp;
};

TEST(SexGuess, NewbornFirstWordAndTheMaleList) {
    const MaleNames& names = MaleNames::BuiltIn();
    const Case cases[] = {
        {0, "محمد رضا", 2, "محمد"},
        {0, "نوزاد مریم", 1, "مریم"},
        {0, "نوزاد پسر", 2, "پسر"},
        {0, "نوزاد دختر", 1, "دختر"},
        {0, "  زهرا  ", 1, "زهرا"},
        {0, "مریم سادات", 1, "مریم"},
        // A blank at position 2 or earlier: the whole name is looked up.
        {0, "م حمد", 1, "م حمد"},
        {0, "ع علی", 1, "ع علی"},
        // A sex already chosen stays.
        {1, "محمد", 1, "محمد"},
        {2, "مریم", 2, "مریم"},
        // An empty name guesses nothing.
        {0, "   ", 0, ""},
    };
    for (const Case& c : cases) {
        const SexGuess guess = GuessSex(c.sex, c.firstName, names);
        EXPECT_EQ(guess.sex, c.expected) << c.firstName;
        EXPECT_EQ(guess.name, c.lookedUp) << c.firstName;
    }
}

// The list spells yeh and kaf as code page 1256 stores them; a Persian keyboard types other letters.
TEST(SexGuess, LetterVariantsFoldOnBothSides) {
    const MaleNames& names = MaleNames::BuiltIn();
    EXPECT_EQ(GuessSex(0, "علی", names).sex, 2);               // U+06CC
    EXPECT_EQ(GuessSex(0, "علي", names).sex, 2);               // U+064A
    EXPECT_EQ(GuessSex(0, "مهدى", names).sex, 2);              // alef maksura
    EXPECT_EQ(GuessSex(0, "\u0643\u0627\u0648\u0647", names).sex, 2);  // Arabic kaf
    EXPECT_EQ(GuessSex(0, "کاوه", names).sex, 2);              // keheh
    const MaleNames arabic({"\u0643\u0631\u064A\u0645"});  // كريم spelt with Arabic kaf
    EXPECT_TRUE(arabic.Contains("کریم"));
    EXPECT_EQ(FoldLetters("یکى"), "\u064A\u06A9\u064A");
    EXPECT_FALSE(arabic.Contains(""));
}

TEST(SexGuess, NameCutToItsLengthLimits) {
    const std::string longName(300, 'a');
    EXPECT_EQ(LookupName(longName).size(), 255u);
    const std::string newborn = "نوزاد " + std::string(80, 'b');
    EXPECT_EQ(LookupName(newborn), std::string(50, 'b'));
}

TEST(BuiltInLists, MaleNamesAndCatalogue) {
    const auto& names = BuiltInMaleNames();
    ASSERT_GE(names.size(), 500u);
    EXPECT_EQ(names[0], "پسر");
    EXPECT_EQ(names[1], "امير");
    EXPECT_EQ(names[2], "محمد");
    EXPECT_EQ(names[3], "علي");
    for (const std::string& n : names) EXPECT_EQ(n.find("\u06CC"), std::string::npos) << n;  // spelt as stored
    const auto& tests = BuiltInTests();
    EXPECT_GE(tests.size(), 600u);
    const std::set<std::string> all(tests.begin(), tests.end());
    for (const char* t : {"(VMA-HVA-5HIAA)", "12  h Micro.Alb 1", "Hb", "HbA1C", "Zn", "Zolpidem",
                          "TEL-AML 1(12;21)Qual", "k"})
        EXPECT_TRUE(all.count(t)) << t;
    EXPECT_LT(all.size(), tests.size());  // some names repeat
}

}  // namespace
}  // namespace orv::reception

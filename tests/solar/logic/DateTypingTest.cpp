#include <gtest/gtest.h>

#include "solar/logic/DateTyping.h"

using namespace orv::solar;

namespace {

EditState Typed(const std::u16string& keys, bool autoDelete = false, EditState s = {}) {
    for (char16_t k : keys) s = TypeKey(s, k, autoDelete).state;
    return s;
}

EditState At(const std::u16string& text, int caret, int selLength = 0) { return {text, caret, selLength}; }

const Today kToday{1403, 7, 7};

}  // namespace

TEST(Typing, EightDigitsGiveADateWithDividers) {
    EXPECT_EQ(Typed(u"14010630"), At(u"1401/06/30", 10));
    EXPECT_EQ(Typed(u"1401"), At(u"1401/", 5));
    EXPECT_EQ(Typed(u"140106"), At(u"1401/06/", 8));
}

TEST(Typing, OtherCharactersAndAFullTextAreDropped) {
    EXPECT_EQ(Typed(u"14a01x0"), At(u"1401/0", 6));
    const TypingResult full = TypeKey(At(u"1401/06/30", 10), u'5', false);
    EXPECT_EQ(full.state.text, u"1401/06/30");
    EXPECT_FALSE(full.passOn);
    EXPECT_TRUE(TypeKey(At(u"1401/06/30", 10), u'x', false).passOn);
    EXPECT_EQ(TypeKey(At(u"1401/0", 6), u'/', false).state, At(u"1401/0/", 7));
    EXPECT_EQ(TypeKey(At(u"1401/", 5), u'/', false).state, At(u"1401/", 5));
}

TEST(Typing, DividerAndDigitAtTheFourthAndSeventhCharacter) {
    EXPECT_EQ(Typed(u"5", false, At(u"1401", 4)), At(u"1401/5", 6));
    EXPECT_EQ(Typed(u"3", false, At(u"1401/06", 7)), At(u"1401/06/3", 9));
    // A seventh character that is already the divider takes the digit alone.
    EXPECT_EQ(Typed(u"3", false, At(u"1401/6/", 7)), At(u"1401/6/3", 8));
    // Caret at the start of an eight-character text takes no digit.
    EXPECT_EQ(Typed(u"9", false, At(u"1401/06/", 0)), At(u"1401/06/", 0));
    // A selection is replaced.
    EXPECT_EQ(Typed(u"7", false, At(u"1401/06/30", 8, 2)), At(u"1401/06/7", 9));
}

TEST(Typing, Backspace) {
    EXPECT_EQ(Typed(u"\b", true, At(u"1401/0", 6)), At(u"1401", 4));
    EXPECT_EQ(Typed(u"\b", false, At(u"1401/0", 6)), At(u"1401/", 5));
    EXPECT_EQ(Typed(u"\b", true, At(u"1401/06/3", 9)), At(u"1401/06", 7));
    // The divider before the caret stays.
    EXPECT_EQ(Typed(u"\b", false, At(u"1401/", 5)), At(u"1401/", 4));
    EXPECT_EQ(Typed(u"\b", false, At(u"", 0)), At(u"", 0));
    // A selection goes, and with it a divider just before it.
    EXPECT_EQ(Typed(u"\b", true, At(u"1401/06/30", 5, 5)), At(u"1401", 4));
    EXPECT_EQ(Typed(u"\b", false, At(u"1401/06/30", 5, 5)), At(u"1401/", 5));
}

TEST(Stepping, UpAndDownStepThePartUnderTheCaret) {
    EXPECT_EQ(StepKeyPress(At(u"1401/06/30", 9), StepKey::Up, dkSolar, kToday).state, At(u"1401/06/31", 8, 2));
    EXPECT_EQ(StepKeyPress(At(u"1401/06/31", 9), StepKey::Up, dkSolar, kToday).state, At(u"1401/06/31", 8, 2));
    EXPECT_EQ(StepKeyPress(At(u"1401/07/30", 9), StepKey::Up, dkSolar, kToday).state, At(u"1401/07/30", 8, 2));
    EXPECT_EQ(StepKeyPress(At(u"1401/12/10", 6), StepKey::Up, dkSolar, kToday).state, At(u"1401/12/10", 5, 2));
    EXPECT_EQ(StepKeyPress(At(u"1401/01/10", 6), StepKey::Down, dkSolar, kToday).state, At(u"1401/01/10", 5, 2));
    EXPECT_EQ(StepKeyPress(At(u"1401/06/30", 2), StepKey::Up, dkSolar, kToday).state, At(u"1402/06/30", 0, 4));
    EXPECT_EQ(StepKeyPress(At(u"1341/06/30", 2), StepKey::Down, dkSolar, kToday).state, At(u"1340/06/30", 0, 4));
    EXPECT_EQ(StepKeyPress(At(u"1340/06/30", 2), StepKey::Down, dkSolar, kToday).state, At(u"1340/06/30", 0, 4));
    // The year keeps four digits (found by fuzz_date_typing: 9999 went on to 10000 and the keys stopped).
    EXPECT_EQ(StepKeyPress(At(u"9999/05/31", 2), StepKey::Up, dkSolar, kToday).state, At(u"9999/05/31", 0, 4));
    EXPECT_EQ(StepKeyPress(At(u"1401/06/01", 10), StepKey::Down, dkSolar, kToday).state, At(u"1401/06/01", 8, 2));
}

TEST(Stepping, BlankPartsTakeToday) {
    EXPECT_EQ(StepKeyPress(At(u"1401/06/  ", 9), StepKey::Up, dkSolar, kToday).state.text, u"1401/06/07");
    EXPECT_EQ(StepKeyPress(At(u"1401/06/  ", 9), StepKey::Up, dkSolar, {1403, 7, 10}).state.text, u"1401/06/10");
    EXPECT_EQ(StepKeyPress(At(u"1401/  /05", 6), StepKey::Down, dkSolar, kToday).state.text, u"1401/07/05");
    EXPECT_EQ(StepKeyPress(At(u"    /06/05", 1), StepKey::Up, dkSolar, kToday).state.text, u"1403/06/05");
}

TEST(Stepping, LeftRightAndDelete) {
    EXPECT_EQ(StepKeyPress(At(u"1401/06/30", 2), StepKey::Right, dkSolar, kToday).state, At(u"1401/06/30", 5, 2));
    EXPECT_EQ(StepKeyPress(At(u"1401/06/30", 5, 2), StepKey::Right, dkSolar, kToday).state, At(u"1401/06/30", 8, 2));
    EXPECT_EQ(StepKeyPress(At(u"1401/06/30", 8, 2), StepKey::Left, dkSolar, kToday).state, At(u"1401/06/30", 5, 2));
    EXPECT_EQ(StepKeyPress(At(u"1401/06/30", 5, 2), StepKey::Left, dkSolar, kToday).state, At(u"1401/06/30", 0, 4));
    EXPECT_FALSE(StepKeyPress(At(u"1401/06/30", 2), StepKey::Left, dkSolar, kToday).consumed);

    EXPECT_EQ(StepKeyPress(At(u"1401/06/30", 0, 10), StepKey::Delete, dkSolar, kToday).state, At(u"    /  /  ", 0, 4));
    EXPECT_EQ(StepKeyPress(At(u"1401/06/30", 0, 4), StepKey::Delete, dkSolar, kToday).state, At(u"    /06/30", 0, 4));
    EXPECT_EQ(StepKeyPress(At(u"1401/06/30", 5, 2), StepKey::Delete, dkSolar, kToday).state, At(u"1401/  /30", 5, 2));
    EXPECT_EQ(StepKeyPress(At(u"1401/06/30", 8, 2), StepKey::Delete, dkSolar, kToday).state, At(u"1401/06/  ", 8, 2));
    EXPECT_FALSE(StepKeyPress(At(u"1401/06/30", 3), StepKey::Delete, dkSolar, kToday).consumed);
}

TEST(Stepping, TextsOfOtherLengthsAreLeftAlone) {
    const StepResult r = StepKeyPress(At(u"1401/6/30", 8), StepKey::Up, dkSolar, kToday);
    EXPECT_FALSE(r.consumed);
    EXPECT_EQ(r.state, At(u"1401/6/30", 8));
}

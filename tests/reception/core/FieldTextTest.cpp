// What a worklist field may hold (digits, code page 1256, line breaks), the
// export's code-page check and where the reception window opens.
#include <gtest/gtest.h>

#include "reception/core/FieldText.h"
#include "reception/core/QualityControl.h"
#include "reception/core/WindowPlace.h"
#include "reception/core/WorklistRecord.h"

namespace orv::reception {
namespace {

TEST(FieldText, DigitsCodePageAndControls) {
    struct Case {
        const char* typed;
        const char* ascii;  // AsciiDigits
        const char* unfit;  // UnfitCharacter
        bool control;
    };
    const Case cases[] = {
        {"۱۲", "12", "", false},                   // Persian digits
        {"٣٤x", "34x", "", false},                 // Arabic-Indic digits
        {"१२", "12", "१", false},                 // Devanagari digits: ASCII once typed
        {"علی کاظمی", "علی کاظمی", "", false},    // Persian yeh and kaf: best fits
        {"كريم‌زاده", "كريم‌زاده", "", false},    // Arabic kaf and yeh, ZWNJ
        {"خانه‌ۀ", "خانه‌ۀ", "ۀ", false},         // heh with yeh above
        {"حمزه\u0654", "حمزه\u0654", "\u0654", false},  // combining hamza
        {"Jörg", "Jörg", "ö", false},
        {"Müller", "Müller", "", false},           // ü is in the code page
        {"a\r\nb", "a\r\nb", "", true},
        {"a\tb", "a\tb", "", true},
        {"a\u2028b", "a\u2028b", "\u2028", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AsciiDigits(c.typed), c.ascii) << c.typed;
        EXPECT_EQ(UnfitCharacter(c.typed), c.unfit) << c.typed;
        EXPECT_EQ(HoldsControl(c.typed), c.control) << c.typed;
    }
    EXPECT_EQ(CharacterName("ۀ"), "«ۀ» (U+06C0)");
}

TEST(FieldText, ExportNamesThePatientAndTheFieldThatDoNotFit) {
    struct Case {
        std::vector<std::string> records;
        int patient;  // -1: every character fits
        QcField field;
        const char* named;  // in the message
    };
    const Case cases[] = {
        {{"1;علی;کاظمی;3;0;;1[Hb;", "2;a;b;4;0;c;2[Zn;"}, -1, QcField::Receipt, ""},
        {{"1;a;b;3;0;;1[Hb;", "12;a;خانه‌ۀ;4;0;;1[Zn;"}, 1, QcField::FamilyName, "نام خانوادگی"},
        {{"7;Jörg;b;3;0;;1[Hb;"}, 0, QcField::FirstName, "«ö» (U+00F6)"},
        {{"7;a;b;3;0;حمزه\u0654;1[Hb;"}, 0, QcField::Father, "نام پدر"},
        {{"7;a;b;3;0;;1[Hb;β-HCG;"}, 0, QcField::Tests, "آزمایش «β-HCG»"},
    };
    for (const Case& c : cases) {
        const auto failure = CheckCodePage(c.records);
        if (c.patient < 0) {
            EXPECT_FALSE(failure);
            continue;
        }
        ASSERT_TRUE(failure) << c.records.back();
        EXPECT_EQ(failure->patient, c.patient);
        EXPECT_EQ(failure->field, c.field);
        EXPECT_NE(failure->message.find(c.named), std::string::npos) << failure->message;
        EXPECT_NE(failure->message.find("ردیف " + std::to_string(c.patient + 1)), std::string::npos);
    }
}

TEST(WindowPlace, InsideTheScreenAtTheLastPlace) {
    const Box wide{0, 0, 1280, 800}, second{1280, 0, 1920, 1080};
    struct Case {
        Box mainFrame, mainScreen;
        std::optional<Box> lastClosed;
        Box expected;
    };
    const Case cases[] = {
        // Beside the main window when there is room.
        {{100, 100, 400, 300}, wide, {}, {500, 100, 760, 520}},
        // At 1280 x 800 the main window's right edge leaves no room: moved in.
        {{230, 140, 823, 540}, wide, {}, {520, 140, 760, 520}},
        // The main window maximised: wholly inside, not 75 pixels of it.
        {{0, 0, 1280, 800}, wide, {}, {520, 0, 760, 520}},
        {{0, 500, 400, 300}, wide, {}, {400, 280, 760, 520}},
        // The main window on the second screen: the window opens there.
        {{1400, 50, 823, 540}, second, {}, {2223, 50, 760, 520}},
        {{2300, 50, 823, 540}, second, {}, {2440, 50, 760, 520}},
        // Where it was last closed, on either screen; fitted in when partly off.
        {{100, 100, 400, 300}, wide, Box{30, 40, 0, 0}, {30, 40, 760, 520}},
        {{100, 100, 400, 300}, wide, Box{1500, 500, 0, 0}, {1500, 500, 760, 520}},
        {{100, 100, 400, 300}, wide, Box{-100, 700, 0, 0}, {0, 280, 760, 520}},
        // A place no screen shows any more (the second screen gone): beside the main window.
        {{100, 100, 400, 300}, wide, Box{5000, 5000, 0, 0}, {500, 100, 760, 520}},
    };
    for (const Case& c : cases) {
        const Box got = PlaceWindow(760, 520, c.mainFrame, c.mainScreen, {wide, second}, c.lastClosed);
        EXPECT_EQ(got, c.expected) << c.mainFrame.x << "," << got.x << "," << got.y;
    }
    // Larger than the screen: its top-left corner on it.
    EXPECT_EQ(FitInto({500, 500, 2000, 900}, wide), (Box{0, 0, 2000, 900}));
}

}  // namespace
}  // namespace orv::reception

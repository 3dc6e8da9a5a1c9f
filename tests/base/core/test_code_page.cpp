// Code page conversions, pinned alike for ICU (Linux) and the Windows API: the
// best fits code page 1256 takes for Persian letters and digits, what it holds
// exactly, and what it cannot hold.
#include <gtest/gtest.h>

#include "base/core/CodePage.h"

namespace {

TEST(CodePage, Cp1256BestFitsAndExactForms) {
    struct Case {
        const char* what;
        std::u16string text;
        std::string bytes;  // empty: no form, not even a best fit
    } cases[] = {
        {"Persian yeh takes Arabic yeh's byte", u"\u06CC", "\xED"},
        {"Arabic yeh", u"\u064A", "\xED"},
        {"Persian kaf (keheh)", u"\u06A9", "\x98"},
        {"Arabic kaf", u"\u0643", "\xDF"},
        {"Persian digits", u"\u06F0\u06F1\u06F2\u06F3\u06F4\u06F5\u06F6\u06F7\u06F8\u06F9", "0123456789"},
        {"Arabic-Indic digits", u"\u0660\u0664\u0669", "049"},
        {"pe, tcheh, jeh, gaf, ZWNJ", u"\u067E\u0686\u0698\u06AF\u200C", "\x81\x8D\x8E\x90\x9D"},
        {"a check mark", u"\u2713", ""},
        {"a Han character", u"\u4E2D", ""},
    };
    for (const Case& c : cases) {
        std::string out;
        EXPECT_EQ(orv::EncodeCodePage(orv::kCodePage1256, c.text, out), !c.bytes.empty()) << c.what;
        EXPECT_EQ(out, c.bytes) << c.what;
    }
    std::string out;
    EXPECT_TRUE(orv::EncodeCodePage(orv::kCodePage1256, u"a\u4E2Db", out, true));
    EXPECT_EQ(out, "a?b");
}

TEST(CodePage, DecodingAndDigits) {
    std::u16string text;
    ASSERT_TRUE(orv::DecodeCodePage(orv::kCodePage1256, "\x81\x98\xED\xDF\x9D", text));
    EXPECT_EQ(text, u"\u067E\u06A9\u064A\u0643\u200C");
    ASSERT_TRUE(orv::DecodeCodePage(1252, "\x80", text));
    EXPECT_EQ(text, u"\u20AC");
    ASSERT_TRUE(orv::DecodeCodePage(orv::kCodePageUtf16BE, std::string("\x06\x33\x00\x61", 4), text));
    EXPECT_EQ(text, u"\u0633a");
    ASSERT_TRUE(orv::DecodeCodePage(orv::kCodePageUtf16LE, std::string("\x00\xD8\x41\x00\x33", 5), text));
    EXPECT_EQ(text, u"\uFFFDA\uFFFD");  // a lone surrogate, a byte short
    EXPECT_FALSE(orv::DecodeCodePage(99999, "a", text));
    EXPECT_EQ(orv::Utf16ToUtf8(orv::Utf8ToUtf16("\xD8\xB3\xFF!")), "\xD8\xB3\xEF\xBF\xBD!");  // U+FFFD

    const std::pair<char32_t, int> digits[] = {{U'7', 7},     {U'\u06F4', 4},  {U'\u0669', 9}, {U'\u0967', 1},
                                               {U'\uFF10', 0}, {U'\U0001D7D1', 3}, {U'\u00B2', -1}, {U'\u065F', -1},
                                               {U'a', -1},    {U'\u0633', -1}};
    for (const auto& [cp, value] : digits) EXPECT_EQ(orv::DecimalDigitValue(cp), value) << std::hex << unsigned(cp);
}

}  // namespace

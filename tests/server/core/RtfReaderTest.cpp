// The rich-text reader on hand-written documents of each construct, on damaged
// input, and on the local central laboratory's documents.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "base/core/AtomicFile.h"
#include "server/core/RtfReader.h"
#include "tests/support/CentralLab.h"

namespace {

using orv::ReadRtf;
using orv::RichAlign;

std::string Text(const std::string& rtf) { return ReadRtf(rtf).PlainText(); }

const orv::RichRun* RunWith(const orv::RichDocument& doc, const std::string& text) {
    for (const auto& p : doc.paragraphs)
        for (const auto& r : p.runs)
            if (r.text.find(text) != std::string::npos) return &r;
    static const orv::RichRun none{"(no such run)", {}};
    ADD_FAILURE() << "no run holds " << text;
    return &none;
}

TEST(RtfReader, SkipsTablesInfoPicturesAndIgnorableDestinations) {
    const std::string rtf =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Tahoma{\\*\\falt Tah};}}"
        "{\\colortbl ;\\red255\\green0\\blue0;}{\\stylesheet{\\s1 Heading 1;}}"
        "{\\info{\\title The title}{\\author Somebody}}{\\*\\generator Msftedit;}"
        "{\\*\\unknowndestination hidden text}{\\pict\\pngblip 89504e470d0a}"
        "{\\header page header}Body {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt shown link}} end.\\par}";
    EXPECT_EQ(Text(rtf), "Body shown link end.");
}

TEST(RtfReader, CodePagesFromTheDocumentAndItsFonts) {
    // \'hh bytes of code page 1256 ("سلام"), from \ansicpg...
    EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg1256 \\'d3\\'e1\\'c7\\'e3}"), "سلام");
    // ...and from a font whose character set is Arabic (178) in a Latin document.
    EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset178 Tahoma;}}"
                   "\\f0 caf\\'e9 {\\f1 \\'d3\\'e1\\'c7\\'e3}}"),
              "café سلام");
    // Persian letters of the code page: پ چ ژ گ ک.
    EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg1256 \\'81\\'8d\\'8e\\'90\\'98}"), "پچژگک");
    // A code page byte written raw, not escaped.
    EXPECT_EQ(Text(std::string("{\\rtf1\\ansi\\ansicpg1256 ") + "\xd3\xe1\xc7\xe3" + "}"), "سلام");
    // Another code page through ICU: Cyrillic 1251.
    EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg1251 \\'cc\\'e8\\'f0}"), "Мир");
}

TEST(RtfReader, CodePagesAreSharedByReadersAndUnknownOnesReadAsLatin) {
    // Many documents naming code pages nobody knows: each reads as 1252, and
    // the known ones read right before, between and after them.
    for (int page = 70000; page < 70200; page += 2) {
        ASSERT_EQ(Text("{\\rtf1\\ansi\\ansicpg" + std::to_string(page) + " caf\\'e9}"), "café") << page;
        ASSERT_EQ(Text("{\\rtf1\\ansi\\ansicpg1251 \\'cc\\'e8\\'f0}"), "Мир");
    }
    // Readers on several threads at once, each in its own code pages.
    std::vector<std::thread> readers;
    std::atomic<int> wrong{0};
    for (int t = 0; t < 4; ++t)
        readers.emplace_back([t, &wrong] {
            for (int i = 0; i < 200; ++i) {
                if (Text("{\\rtf1\\ansi\\ansicpg1256 \\'d3\\'e1\\'c7\\'e3}") != "سلام") ++wrong;
                if (Text("{\\rtf1\\ansi\\ansicpg" + std::to_string(1250 + t) + " \\'e9}").empty()) ++wrong;
                if (Text("{\\rtf1\\ansi\\ansicpg" + std::to_string(90000 + t * 1000 + i) + " \\'e9}") != "é") ++wrong;
            }
        });
    for (auto& r : readers) r.join();
    EXPECT_EQ(wrong, 0);
}

TEST(RtfReader, UnicodeEscapesSkipTheirFallbacks) {
    EXPECT_EQ(Text("{\\rtf1 \\u1740?\\u1705?}"), "یک");
    // \uc2: two fallback characters, an escape counting as one.
    EXPECT_EQ(Text("{\\rtf1\\uc2 \\u1605\\'e3\\'e3 after}"), "م after");
    // \uc0: no fallback.
    EXPECT_EQ(Text("{\\rtf1\\uc0 \\u1605 x}"), "مx");
    // Negative values above 32767, and a surrogate pair.
    EXPECT_EQ(Text("{\\rtf1 \\u-1425?}"), "\uFA6F");
    EXPECT_EQ(Text("{\\rtf1 \\u-10179?\\u-8576?}"), "\U0001F680");
    // A lone surrogate becomes the replacement character.
    EXPECT_EQ(Text("{\\rtf1 \\u-10179?x}"), "\uFFFDx");
    // \uc is scoped to its group; the fallback ends at a group's brace.
    EXPECT_EQ(Text("{\\rtf1 {\\uc3 \\u1605}abc}"), "مabc");
    // An absurd \ucN skips no more than a few characters, the text after stays.
    EXPECT_EQ(Text("{\\rtf1\\uc2147483647 \\u1605 ?????????????????? text that stays}"), "م?? text that stays");
}

TEST(RtfReader, ParagraphsLinesTabsAndSymbols) {
    const orv::RichDocument doc = ReadRtf("{\\rtf1 one\\par two\\line half\\tab tab\\par\\par four\\~x\\emdash y}");
    ASSERT_EQ(doc.paragraphs.size(), 4u);
    EXPECT_EQ(doc.paragraphs[0].Text(), "one");
    EXPECT_EQ(doc.paragraphs[1].Text(), "two\nhalf\ttab");
    EXPECT_EQ(doc.paragraphs[2].Text(), "");
    EXPECT_EQ(doc.paragraphs[3].Text(), "four\u00A0x\u2014y");
    // Line ends in the file are not text; escaped braces and backslashes are.
    EXPECT_EQ(Text("{\\rtf1 a\r\nb \\{c\\} \\\\d}"), "ab {c} \\d");
}

TEST(RtfReader, CharacterFormatsAndTheirGroups) {
    const orv::RichDocument doc = ReadRtf(
        "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}"
        "plain {\\b bold}{\\i italic}{\\ul under}\\ul0 {\\fs36 big}{\\cf1 red}{\\cf2\\b\\i navy} "
        "\\b on\\b0 off \\ul u\\ulnone n {\\cf9 nocolor}}");
    EXPECT_EQ(RunWith(doc, "plain ")->format, orv::RichFormat{});
    EXPECT_TRUE(RunWith(doc, "bold")->format.bold);
    EXPECT_TRUE(RunWith(doc, "italic")->format.italic);
    EXPECT_TRUE(RunWith(doc, "under")->format.underline);
    EXPECT_EQ(RunWith(doc, "big")->format.halfPoints, 36);
    EXPECT_EQ(RunWith(doc, "red")->format.color, 0xFF0000);
    const auto* navy = RunWith(doc, "navy");
    EXPECT_EQ(navy->format.color, 0x000080);
    EXPECT_TRUE(navy->format.bold && navy->format.italic);
    EXPECT_TRUE(RunWith(doc, "on")->format.bold);
    EXPECT_FALSE(RunWith(doc, "off ")->format.bold);
    EXPECT_TRUE(RunWith(doc, "u")->format.underline);
    EXPECT_FALSE(RunWith(doc, "n ")->format.underline);
    EXPECT_EQ(RunWith(doc, "nocolor")->format.color, -1);
}

TEST(RtfReader, AlignmentAndDirection) {
    const orv::RichDocument doc = ReadRtf(
        "{\\rtf1\\pard\\qr\\rtlpar {\\rtlch \\u1587?}\\par\\qc centre\\par\\pard justified\\qj\\par"
        "\\pard left\\par\\ltrpar\\qr right\\par}");
    ASSERT_EQ(doc.paragraphs.size(), 5u);
    EXPECT_EQ(doc.paragraphs[0].align, RichAlign::Right);
    EXPECT_TRUE(doc.paragraphs[0].rtl);
    EXPECT_TRUE(doc.paragraphs[0].runs[0].format.rtl);
    EXPECT_EQ(doc.paragraphs[1].align, RichAlign::Center);
    EXPECT_TRUE(doc.paragraphs[1].rtl);
    // Paragraph properties hold at the paragraph's end, and \pard resets them.
    EXPECT_EQ(doc.paragraphs[2].align, RichAlign::Justify);
    EXPECT_FALSE(doc.paragraphs[2].rtl);
    EXPECT_EQ(doc.paragraphs[3].align, RichAlign::Left);
    EXPECT_EQ(doc.paragraphs[4].align, RichAlign::Right);
    EXPECT_FALSE(doc.paragraphs[4].rtl);
}

TEST(RtfReader, TablesAreRowsOfCells) {
    const orv::RichDocument doc = ReadRtf(
        "{\\rtf1 Before\\par"
        "\\trowd\\cellx1000\\cellx2000\\cellx3000\\pard\\intbl {\\b Test}\\cell Unit\\cell Range\\cell\\row"
        "\\trowd\\cellx1000\\cellx2000\\cellx3000\\pard\\intbl FBS\\cell\\cell 70\\par 100\\cell\\row"
        "\\pard After\\par}");
    ASSERT_EQ(doc.paragraphs.size(), 4u);
    EXPECT_FALSE(doc.paragraphs[0].IsRow());
    ASSERT_TRUE(doc.paragraphs[1].IsRow());
    EXPECT_EQ(doc.paragraphs[1].cells.size(), 3u);
    EXPECT_EQ(doc.paragraphs[1].Text(), "Test\tUnit\tRange");
    EXPECT_TRUE(doc.paragraphs[1].runs[0].format.bold);
    // An empty cell, and a paragraph break inside a cell.
    EXPECT_EQ(doc.paragraphs[2].CellText(1), "");
    EXPECT_EQ(doc.paragraphs[2].Text(), "FBS\t\t70\n100");
    EXPECT_EQ(doc.paragraphs[3].Text(), "After");
    EXPECT_EQ(doc.PlainText(), "Before\nTest\tUnit\tRange\nFBS\t\t70\n100\nAfter");
}

TEST(RtfReader, RowDirectionComesFromTheRowDefinition) {
    const orv::RichDocument doc = ReadRtf(
        "{\\rtf1\\trowd\\rtlrow\\cellx1000\\cellx2000\\pard\\intbl a\\cell b\\cell\\row"
        "\\trowd\\cellx1000\\pard\\intbl c\\cell\\row"
        "\\trowd\\rtlrow\\ltrrow\\cellx1000\\pard\\intbl d\\cell\\row}");
    ASSERT_EQ(doc.paragraphs.size(), 3u);
    EXPECT_TRUE(doc.paragraphs[0].rtlRow);
    EXPECT_FALSE(doc.paragraphs[1].rtlRow);  // \trowd starts a left-to-right row
    EXPECT_FALSE(doc.paragraphs[2].rtlRow);
}

// List numbers and bullets as the writing program wrote them: the new list text
// (\listtext) and the old one (\pntext), a bullet of a symbol font as its
// Unicode character; the numbering definitions themselves stay unread.
TEST(RtfReader, ListItemsKeepTheirNumbersAndBullets) {
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1256{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}{\\f2\\fcharset2 Wingdings;}}"
        "{\\*\\listtable{\\list{\\listlevel{\\leveltext\\'02\\'00.;}}}}"
        "{\\listtext\\pard\\plain\\f0 1.\\tab}\\pard\\ls1 First\\par"
        "{\\listtext\\pard\\plain\\f0 2.\\tab}Second\\par"
        "{\\pntext\\f0 3.\\tab}{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}Third\\par"
        "{\\listtext\\pard\\plain\\f1 \\'b7\\tab}Dot\\par"
        "{\\listtext\\pard\\plain\\f1 \\u-3913?\\tab}Dot\\par"
        "{\\listtext\\pard\\plain\\f2 \\'a7\\tab}Square\\par"
        "{\\listtext\\pard\\plain\\f0\\rtlch \\u1777?-\\tab}\\rtlpar\\qr \\'c7\\'e6\\'e1\\par}";
    EXPECT_EQ(Text(rtf),
              "1.\tFirst\n2.\tSecond\n3.\tThird\n\u2022\tDot\n\u2022\tDot\n\u25AA\tSquare\n"
              "\u06F1-\t\u0627\u0648\u0644");
}

TEST(RtfReader, DamagedInputKeepsItsReadableText) {
    // No closing brace; an extra closing brace in the middle.
    EXPECT_EQ(Text("{\\rtf1 cut short"), "cut short");
    EXPECT_EQ(Text("{\\rtf1 one} two}"), "one two");
    // Escapes cut at the end, or with no hex digit.
    EXPECT_EQ(Text("{\\rtf1\\ansicpg1256 a\\'"), "a");
    EXPECT_EQ(Text("{\\rtf1\\ansicpg1256 a\\'d"), "a");
    EXPECT_EQ(Text("{\\rtf1 a\\'zz b}"), "azz b");
    EXPECT_EQ(Text("{\\rtf1 a\\"), "a");
    // Numbers far beyond any range, a control word of 100 letters.
    EXPECT_EQ(Text("{\\rtf1\\fs99999999999999999999 big\\cf-99999999999 y\\u99999999999999?x}"), "bigy\uFFFDx");
    EXPECT_EQ(Text("{\\rtf1 \\" + std::string(100, 'a') + " word}"), "word");
    // \bin data is not text, and a \bin longer than the file ends it.
    EXPECT_EQ(Text("{\\rtf1 a{\\bin4 }}{b} c}"), "a c");
    EXPECT_EQ(Text("{\\rtf1 a\\bin999999 xyz"), "a");
}

TEST(RtfReader, DeepNestingAndLongInputStayFast) {
    std::string deep = "{\\rtf1 start";
    deep += std::string(200000, '{') + "deep" + std::string(200000, '}') + " end}";
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(Text(deep), "startdeep end");
    // A run of \u with \uc far beyond the text.
    std::string many = "{\\rtf1\\uc9";
    for (int i = 0; i < 100000; ++i) many += "\\u1605";
    many += " tail}";
    EXPECT_EQ(Text(many).size(), 100000u * 2);
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(5));
}

TEST(RtfReader, PlainTextDocuments) {
    EXPECT_TRUE(orv::IsRtf("  \r\n{\\rtf1 x}"));
    EXPECT_FALSE(orv::IsRtf("{rtf"));
    // Code page 1256 text: one paragraph per line, Persian lines right to left.
    const orv::RichDocument doc = orv::ReadDocument("FBS   \xde\xc8\xcf   120000\r\n\xd3\xe1\xc7\xe3 FBS\r\n");
    ASSERT_EQ(doc.paragraphs.size(), 2u);
    EXPECT_EQ(doc.paragraphs[0].Text(), "FBS   قبد   120000");
    EXPECT_FALSE(doc.paragraphs[0].rtl);
    EXPECT_EQ(doc.paragraphs[1].Text(), "سلام FBS");
    EXPECT_TRUE(doc.paragraphs[1].rtl);
    EXPECT_EQ(doc.paragraphs[1].align, RichAlign::Right);
    // Braces and backslashes of a text file are its text.
    EXPECT_EQ(orv::ReadDocument("\xEF\xBB\xBF" "a {b} \\c").PlainText(), "a {b} \\c");
}

// The documents the local central laboratory publishes.
class LabDocuments : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        lab_ = new orv::test::CentralLab;
        ASSERT_TRUE(lab_->Start()) << lab_->Error();
    }
    static void TearDownTestSuite() {
        delete lab_;
        lab_ = nullptr;
    }
    static orv::RichDocument Read(const std::string& relative) {
        std::string bytes;
        EXPECT_TRUE(orv::ReadWholeFile(lab_->ServerFile(relative), bytes)) << relative;
        return orv::ReadDocument(bytes);
    }
    static orv::test::CentralLab* lab_;
};
orv::test::CentralLab* LabDocuments::lab_ = nullptr;

TEST_F(LabDocuments, NormalValuesHoldATableOfTestsUnitsAndRanges) {
    const orv::RichDocument doc = Read("Help Files/LastNormalValue.rtf");
    ASSERT_GE(doc.paragraphs.size(), 10u);
    EXPECT_EQ(doc.paragraphs[0].Text(), "مقادير طبيعي آزمايش ها - آزمايشگاه مرجع تاروینا");
    EXPECT_TRUE(doc.paragraphs[0].rtl);
    EXPECT_EQ(doc.paragraphs[0].align, RichAlign::Center);
    EXPECT_TRUE(doc.paragraphs[0].runs[0].format.bold);
    EXPECT_EQ(doc.paragraphs[0].runs[0].format.color, 0x000080);
    const std::string text = doc.PlainText();
    // The rows written with \'hh escapes and those written with \u escapes read alike.
    EXPECT_NE(text.find("Test\tUnit\tNormal range\tنام آزمايش\n"), std::string::npos) << text;
    EXPECT_NE(text.find("FBS\tmg/dL\t70 - 100\tقند خون ناشتا\n"), std::string::npos);
    EXPECT_NE(text.find("TSH\tmIU/L\t0.4 - 4.0\tهورمون محرک تيروئيد\n"), std::string::npos);
    EXPECT_NE(text.find("نمونه ها بايد در دماي ۴ درجه نگهداري شوند."), std::string::npos);
    EXPECT_EQ(text.find("Tarvina Central Laboratory\n"), std::string::npos);  // the \info title
    EXPECT_EQ(text.find("Msftedit"), std::string::npos);
    EXPECT_EQ(text.find("Times New Roman"), std::string::npos);
}

TEST_F(LabDocuments, PaymentRulesRecommendationAndPrices) {
    const std::string rules = Read("Text Result/PaymentLaw.rtf").PlainText();
    EXPECT_EQ(rules.substr(0, rules.find('\n')), "قوانين پرداخت");
    EXPECT_NE(rules.find("۳- در صورت گذشتن بيش از ۹۰ روز از موعد، دسترسي برنامه محدود مي گردد."), std::string::npos);
    const std::string recommendation = Read("Help Files/LastRecommendation.rtf").PlainText();
    EXPECT_NE(recommendation.find("Recommendation 18: keep samples at 4 degrees."), std::string::npos);
    EXPECT_EQ(recommendation.find("0100090000"), std::string::npos);  // the picture
    const std::string prices = Read("Help Files/LastPriceOfTests.txt").PlainText();
    EXPECT_NE(prices.find("FBS   قند خون ناشتا   1,200,000"), std::string::npos) << prices;
}

}  // namespace

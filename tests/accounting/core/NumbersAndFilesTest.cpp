// Bill numbers, the payment page address, message names and the update's file name.
#include <gtest/gtest.h>

#include <set>

#include "accounting/core/AccountFiles.h"
#include "accounting/core/BillNumbers.h"

using namespace orv::accounting;

TEST(BillNumbers, ReadsDecimalsStrictly) {
    const NumberFormat en{".", ","};
    EXPECT_DOUBLE_EQ(*ParseDecimal("  22.00 ", en), 22.0);
    EXPECT_DOUBLE_EQ(*ParseDecimal("-1.5", en), -1.5);
    EXPECT_DOUBLE_EQ(*ParseDecimal("1e3", en), 1000.0);
    EXPECT_DOUBLE_EQ(*ParseDecimal("+7", en), 7.0);
    for (const char* bad : {"", " ", "abc", "1.2.3", "inf", "nan", "1,5", "12x", ".", "1e", "++1", "0x10"})
        EXPECT_FALSE(ParseDecimal(bad, en).has_value()) << bad;
    EXPECT_DOUBLE_EQ(*ParseDecimal("1,5", NumberFormat{",", "."}), 1.5);
    EXPECT_FALSE(ParseDecimal("1,5,6", NumberFormat{",", "."}).has_value());
}

TEST(BillNumbers, ReadsWholeNumbers) {
    EXPECT_EQ(*ParseInteger(" 90 "), 90);
    EXPECT_EQ(*ParseInteger("-3"), -3);
    for (const char* bad : {"", "abc", "9.5", "99999999999", "+-1", "1 2"}) EXPECT_FALSE(ParseInteger(bad)) << bad;
}

TEST(BillNumbers, RoundsHalvesToEven) {
    EXPECT_EQ(*ToAmount(2.5), 2);
    EXPECT_EQ(*ToAmount(3.5), 4);
    EXPECT_EQ(*ToAmount(-2.5), -2);
    EXPECT_EQ(*ToAmount(2500000000.4), 2500000000LL);
    EXPECT_FALSE(ToAmount(1e19).has_value());
}

TEST(BillNumbers, AmountFormat) {
    const NumberFormat en{".", ","};
    EXPECT_EQ(FormatAmount(0, en), "");
    EXPECT_EQ(FormatAmount(999, en), "999");
    EXPECT_EQ(FormatAmount(1000, en), "1,000");
    EXPECT_EQ(FormatAmount(143355000, en), "143,355,000");
    EXPECT_EQ(FormatAmount(-1234567, en), "-1,234,567");
    EXPECT_EQ(FormatAmount(INT64_MIN, en), "-9,223,372,036,854,775,808");
    EXPECT_EQ(FormatAmount(2500000000LL, NumberFormat{",", "."}), "2.500.000.000");
}

TEST(BillNumbers, ShortDecimalTextToFifteenDigits) {
    const NumberFormat en{".", ","};
    EXPECT_EQ(ShortNumber(2.43 * 100, en), "243");
    EXPECT_EQ(ShortNumber(2.43, en), "2.43");
    EXPECT_EQ(ShortNumber(4, en), "4");
    EXPECT_EQ(ShortNumber(0, en), "0");
    EXPECT_EQ(ShortNumber(-0.0, en), "0");
    EXPECT_EQ(ShortNumber(3.47, NumberFormat{",", "."}), "3,47");
}

TEST(PaymentAddress, KeysInOrderAndEveryValueEncoded) {
    EXPECT_EQ(PaymentAddress("pay.example.org", 81, "X", 143355000, "1401-05x1401h05x120x347x2x16"),
              "http://pay.example.org:81/page1.aspx?Lablbl=X&Amount=143355000&ResNum=1401-05x1401h05x120x347x2x16");
    EXPECT_EQ(PaymentAddress("127.0.0.1", 81, "A&B=C#D E", 2500000000LL, "2^1401-05x2y1401h05x12x0x4x3"),
              "http://127.0.0.1:81/page1.aspx?Lablbl=A%26B%3DC%23D%20E&Amount=2500000000"
              "&ResNum=2%5E1401-05x2y1401h05x12x0x4x3");
    EXPECT_EQ(PercentEncode("آز"), "%D8%A2%D8%B2");
    EXPECT_EQ(PaymentMarkerPath("1401-05x1401h05x120x347x2x16"), "/pay/may/1401-05x1401h05x120x347x2x16");
}

TEST(Messages, NameAndRemotePath) {
    const std::string name = MessageName("120", "1401", "06", "30", 7);
    EXPECT_EQ(name, "120-1401-06-30-7");
    EXPECT_EQ(MessagePath("120", name), "/Text Result/120/comments/120-1401-06-30-7.txt");
}

TEST(Messages, TakenNumbersArePassedOver) {
    const std::set<int> taken{7, 8, 999};
    auto isTaken = [&](int n) { return taken.count(n) > 0; };
    EXPECT_EQ(FreeMessageNumber(5, isTaken), 5);
    EXPECT_EQ(FreeMessageNumber(7, isTaken), 9);
    EXPECT_EQ(FreeMessageNumber(999, isTaken), 0);
    EXPECT_FALSE(FreeMessageNumber(3, [](int) { return true; }).has_value());
}

TEST(ProgramUpdate, FileNameFromThePublishedVersion) {
    EXPECT_EQ(UpdateFileName("22.5").value_or(""), "OrvanetVer 22.5.exe");
    EXPECT_EQ(UpdateFileName("").value_or(""), "OrvanetVer .exe");
    for (const char* bad : {"../../x", "a/b", "a\\b", "1\x01", "22..5"}) EXPECT_FALSE(UpdateFileName(bad)) << bad;
}

TEST(MonthBill, RemotePaths) {
    EXPECT_EQ(BillPath("120"), "/Text Result/120/bill.txt");
    EXPECT_EQ(MonthBillPath("120", "1401-03"), "/Text Result/120/1401-03.qrp");
}

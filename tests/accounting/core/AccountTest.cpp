// The account refresh's reading of the bill, its overdue check and the debt
// calculation with both discounts and the payment record.
#include <gtest/gtest.h>

#include "accounting/core/Account.h"
#include "tests/accounting/core/BillLines.h"

using orv::accounting::Account;
using orv::accounting::CalculateAccount;
using orv::accounting::NumberFormat;
using orv::test::BillLines;
using orv::test::BillRecordLine;

namespace {

const NumberFormat kEn{".", ","};

Account Calc(const std::vector<std::string>& lines, const std::string& today, const NumberFormat& f = kEn) {
    return CalculateAccount(lines, today, "120", f);
}

Account OneUnpaid(const std::string& period, const std::string& amount, const std::string& today,
                  const std::string& sampleFactor = "1", const std::string& limit = "90") {
    return Calc(BillLines({BillRecordLine("0", period, amount)}, sampleFactor, limit), today);
}

}  // namespace

TEST(BillReading, LinesOneToFive) {
    const Account a = Calc(BillLines({}, "0.5", "75", " 22.5 ", "17"), "1401/09/01");
    ASSERT_TRUE(a.ok) << a.error;
    EXPECT_EQ(a.name, "آزمايشگاه نمونه");
    EXPECT_EQ(a.version, "22.5");
    EXPECT_DOUBLE_EQ(a.versionNumber, 22.5);
    EXPECT_EQ(a.counter, 17);
    EXPECT_DOUBLE_EQ(a.sampleFactor, 0.5);
    EXPECT_TRUE(a.block);
    EXPECT_EQ(a.overdueLimitDays, 75);
}

TEST(BillReading, DefaultsForLinesThreeAndFive) {
    const Account a = Calc(BillLines({}, "1", "abc", "22.00", "many"), "1401/09/01");
    ASSERT_TRUE(a.ok);
    EXPECT_EQ(a.counter, 10);
    EXPECT_FALSE(a.block);
    EXPECT_EQ(a.overdueLimitDays, 120);
}

TEST(BillReading, LineTwoOrFourNotANumberNamesTheLineAndValue) {
    const Account two = Calc(BillLines({}, "1", "90", "v22"), "1401/09/01");
    EXPECT_FALSE(two.ok);
    EXPECT_NE(two.error.find("line 2"), std::string::npos);
    EXPECT_NE(two.error.find("v22"), std::string::npos);
    const Account four = Calc(BillLines({}, "x1"), "1401/09/01");
    EXPECT_FALSE(four.ok);
    EXPECT_NE(four.error.find("line 4"), std::string::npos);
    EXPECT_NE(four.error.find("x1"), std::string::npos);
    EXPECT_FALSE(Calc({"only a name"}, "1401/09/01").ok);
}

TEST(BillReading, DecimalsWithDotAndWithTheLocaleSeparator) {
    const NumberFormat fa{",", "."};
    EXPECT_DOUBLE_EQ(Calc(BillLines({}, "0,5"), "1401/09/01", fa).sampleFactor, 0.5);
    EXPECT_DOUBLE_EQ(Calc(BillLines({}, "0.5"), "1401/09/01", fa).sampleFactor, 0.5);
    EXPECT_FALSE(Calc(BillLines({}, "0,5"), "1401/09/01", kEn).ok);
}

TEST(OverdueCheck, LinesOneToFiveOnlyGiveNoCountAndNoDebt) {
    const Account a = Calc(BillLines({}), "1401/09/01");
    EXPECT_FALSE(a.hasUnpaid);
    EXPECT_FALSE(a.warning);
    EXPECT_TRUE(a.gateOpen);
    EXPECT_TRUE(a.debt.noUnpaidMonth);
    EXPECT_EQ(a.debt.payableMonthText, " هیچ بدهی وجود ندارد ");
    EXPECT_EQ(a.debt.monthAmountText, " ");
    EXPECT_EQ(a.debt.totalText, " کل بدهی  :          0  ریال ");
    EXPECT_EQ(a.debt.paymentDiscountText, "");
}

TEST(OverdueCheck, OverdueMonthWarnsAndClosesTheGateOnlyWithTheLock) {
    const Account locked = OneUnpaid("1401-05", "150000000", "1401/09/01");
    EXPECT_TRUE(locked.hasUnpaid);
    EXPECT_EQ(locked.firstUnpaidMonth, "1401/05");
    EXPECT_EQ(locked.overdueDays, 92);  // 91 days from 1401/06/01, plus 1
    EXPECT_EQ(locked.gauge, 92);
    EXPECT_TRUE(locked.warning);
    EXPECT_FALSE(locked.gateOpen);

    const Account unlocked = OneUnpaid("1401-05", "150000000", "1401/09/01", "1", "abc");
    EXPECT_FALSE(unlocked.warning);  // the limit is 120
    EXPECT_TRUE(unlocked.gateOpen);

    const Account warnedOnly = OneUnpaid("1401-01", "150000000", "1401/09/01", "1", "abc");
    EXPECT_TRUE(warnedOnly.warning);
    EXPECT_TRUE(warnedOnly.gateOpen);
    EXPECT_EQ(warnedOnly.gauge, 120);
    EXPECT_GT(warnedOnly.overdueDays, 120);
}

TEST(OverdueCheck, NothingIsOverdueBeforeTheDueDate) {
    struct Case {
        const char* period;
        const char* today;
        const char* limit;
        int days;
        bool warning;
        bool gateOpen;
    } cases[] = {
        {"1401-09", "1401/09/10", "90", 0, false, true},  // 21 days before 1401/10/01
        {"1401-08", "1401/08/20", "10", 0, false, true},  // a small limit and the lock: still open
        {"1401-08", "1401/08/30", "0", 0, false, true},   // the day before the due date
        {"1401-08", "1401/09/01", "1", 1, true, false},   // from the due date on, as ever
        {"1401-08", "1401/09/10", "10", 10, true, false},
    };
    for (const Case& c : cases) {
        const Account a = OneUnpaid(c.period, "1000", c.today, "1", c.limit);
        EXPECT_EQ(a.overdueDays, c.days) << c.period << " " << c.today;
        EXPECT_EQ(a.gauge, c.days) << c.period << " " << c.today;
        EXPECT_EQ(a.warning, c.warning) << c.period << " " << c.today;
        EXPECT_EQ(a.gateOpen, c.gateOpen) << c.period << " " << c.today;
    }
}

// The fixed columns are characters of the decoded line: a letter of more than
// one byte in the column the reading skips moves nothing.
TEST(BillReading, ColumnsAreCharactersNotBytes) {
    for (const char* column2 : {"ب", "\u00A0", "،", " "}) {
        for (const char* period : {"1401-05", "2^1401-05"}) {
            std::string line = BillRecordLine("0", period, "150000000");
            line.replace(1, 1, column2);
            const Account a = Calc(BillLines({line}), "1401/07/17");
            EXPECT_TRUE(a.hasUnpaid) << column2 << " " << period;
            EXPECT_EQ(a.firstUnpaidMonth, "1401/05") << column2 << " " << period;
            EXPECT_EQ(a.overdueDays, 48) << column2 << " " << period;
            ASSERT_TRUE(a.debt.ok) << a.debt.error;
            EXPECT_EQ(a.debt.label, period) << column2;
            EXPECT_EQ(a.debt.monthAmount, 150000000) << column2 << " " << period;
            EXPECT_EQ(a.debt.unpaidLines, std::vector<std::string>{std::string(period) + "    150,000,000  ریـال"});
        }
    }
}

TEST(OverdueCheck, SettledRecordsSkippedAndOnlyTheFirstUnpaidCounts) {
    const Account a = Calc(BillLines({BillRecordLine("1", "1401-01", "5000"), "", BillRecordLine("0", "1401-07", "7000"),
                                      BillRecordLine("0", "1401-02", "9000")}),
                           "1401/09/01");
    EXPECT_EQ(a.firstUnpaidMonth, "1401/07");
    EXPECT_EQ(a.overdueDays, 31);
}

TEST(OverdueCheck, InstalmentRecordReadsItsPeriodAfterTheNumber) {
    const Account a = Calc(BillLines({BillRecordLine("0", "2^1401-05", "20000000")}), "1401/09/01");
    EXPECT_EQ(a.firstUnpaidMonth, "1401/05");
    EXPECT_EQ(a.debt.instalment, "2");
    EXPECT_EQ(a.debt.monthAmount, 20000000);
    EXPECT_EQ(a.debt.paymentRecord.substr(0, 20), "2^1401-05x2y1401h05x");
    EXPECT_EQ(a.debt.payableMonthText, " ماه قابل پرداخت  : پرداخت 2 از مرداد ماه  1401");
}

TEST(GoodPaymentDiscount, FollowsTheDaysFromTheDueDate) {
    struct Case {
        const char* today;
        int d;
        double s;
        const char* hundredS;
    } cases[] = {
        {"1401/06/01", 0, 4, "400"},     // on the due date
        {"1401/06/02", 1, 4, "400"},     // d = 1 still gives 4
        {"1401/07/17", 47, 2.43, "243"}, // 4 - 47/30 = 2.4333
        {"1401/09/02", 92, 0, "0"},      // d reached L = 92 although 4 - 92/30 > 0
        {"1401/05/20", 0, 4, "400"},     // 12 days before the due date: the whole discount
    };
    for (const Case& c : cases) {
        const Account a = OneUnpaid("1401-05", "150000000", c.today);
        ASSERT_TRUE(a.debt.ok) << c.today;
        EXPECT_EQ(a.debt.d, c.d) << c.today;
        EXPECT_DOUBLE_EQ(a.debt.s, c.s) << c.today;
        EXPECT_EQ(a.debt.L, 92) << c.today;
        EXPECT_EQ(a.debt.paymentRecord, std::string("1401-05x1401h05x120x") + c.hundredS + "x2x" + std::to_string(c.d))
            << c.today;
    }
    EXPECT_EQ(OneUnpaid("1401-05", "150000000", "1401/06/01").debt.paymentDiscountText,
              "تخفیف خوش حسابی برابر با  4 درصد پس از سپری شدن 0 روز پس از موعد پرداخت  ");
}

TEST(GoodPaymentDiscount, WindowLengthFollowsTheMonths) {
    EXPECT_EQ(OneUnpaid("1401-07", "1", "1401/08/01").debt.L, 90);            // 30 + 30 + 30
    EXPECT_EQ(OneUnpaid("1401-11", "1", "1401/12/01").debt.L, 30 + 29 + 31);  // 1401 is not a leap year
    EXPECT_EQ(OneUnpaid("1401-11", "1", "1401/12/01").debt.windowEnd, "1402/02/01");
}

TEST(VolumeDiscount, ThresholdsScaledByTheFactor) {
    struct Case {
        const char* amount;
        const char* sampleFactor;
        int v;
    } cases[] = {{"169999999", "1", 2}, {"170000000", "1", 3}, {"99999999", "1", 0}, {"100000000", "1", 1},
                 {"140000000", "1", 2}, {"200000000", "1", 4}, {"100000000", "0.5", 4},
                 // Exactly at a limit of a factor that binary fractions do not hold.
                 {"187000000", "1.1", 3}, {"220000000", "1.1", 4}, {"110000000", "1.1", 1}, {"154000000", "1.1", 2},
                 {"186999999", "1.1", 2}, {"219999999", "1.1", 3}, {"109999999", "1.1", 0},
                 {"51000000", "0.3", 3}, {"60000000", "3e-1", 4}, {"0", "0", 4}, {"-5", "0", 0}};
    for (const Case& c : cases)
        EXPECT_EQ(OneUnpaid("1401-05", c.amount, "1401/06/01", c.sampleFactor).debt.v, c.v) << c.amount << " " << c.sampleFactor;
}

TEST(DebtCalculation, AmountAfterBothDiscountsAndItsLabels) {
    const Account a = OneUnpaid("1401-05", "150000000", "1401/07/17");
    ASSERT_TRUE(a.debt.ok);
    EXPECT_EQ(a.debt.monthAmount, 150000000);
    EXPECT_EQ(a.debt.m, 143355000);
    EXPECT_EQ(a.debt.monthAmountText, " کل مبلغ  :   150,000,000  ریال ");
    EXPECT_EQ(a.debt.volumeDiscountText, " تخفیف حجم نمونه  :  2  درصد");
    EXPECT_EQ(a.debt.afterDiscountsText, "مبلغ پس از تخفیف  :  143,355,000  ریال");
    EXPECT_EQ(a.debt.payableMonthText, " ماه قابل پرداخت  : پرداخت 1 از مرداد ماه  1401");
    EXPECT_EQ(a.debt.paymentRecord, "1401-05x1401h05x120x243x2x47");
    EXPECT_EQ(a.debt.windowEnd, "1401/08/01");
}

TEST(DebtCalculation, TwoUnpaidMonthsListedAndSummedOnlyTheFirstDiscounted) {
    const Account a = Calc(BillLines({BillRecordLine("1", "1401-03", "90000000"), BillRecordLine("0", "1401-04", "120000000"),
                                      BillRecordLine("0", "1401-05", "30000000.6")}),
                           "1401/05/10");
    ASSERT_TRUE(a.debt.ok);
    ASSERT_EQ(a.debt.unpaidLines.size(), 2u);
    EXPECT_EQ(a.debt.unpaidLines[0], "1401-04    120,000,000  ریـال");
    EXPECT_EQ(a.debt.unpaidLines[1], "1401-05    30,000,001  ریـال");
    EXPECT_EQ(a.debt.total, 150000001);
    EXPECT_EQ(a.debt.totalText, " کل بدهی  :          150,000,001  ریال ");
    EXPECT_EQ(a.debt.firstUnpaidMonth, "1401/04");
    EXPECT_EQ(a.debt.monthAmount, 120000000);
}

TEST(DebtCalculation, OnlySettledMonthsGiveTheNoDebtTexts) {
    const Account a = Calc(BillLines({BillRecordLine("1", "1401-03", "90000000")}), "1401/05/10");
    EXPECT_TRUE(a.debt.noUnpaidMonth);
    EXPECT_TRUE(a.debt.paymentRecord.empty());
    EXPECT_EQ(a.debt.totalText, " کل بدهی  :          0  ریال ");
}

TEST(DebtCalculation, ZeroTotalShowsAnEmptyNumber) {
    const Account a = Calc(BillLines({BillRecordLine("0", "1401-03", "0")}), "1401/05/10");
    EXPECT_FALSE(a.debt.noUnpaidMonth);
    EXPECT_EQ(a.debt.totalText, " کل بدهی  :            ریال ");
    EXPECT_EQ(a.debt.unpaidLines[0], "1401-03      ریـال");
}

TEST(DebtCalculation, AmountsAboveThirtyTwoBitsStayExact) {
    const Account a = OneUnpaid("1401-05", "2500000000", "1401/06/01");
    ASSERT_TRUE(a.debt.ok);
    EXPECT_EQ(a.debt.monthAmount, 2500000000LL);
    EXPECT_EQ(a.debt.v, 4);
    EXPECT_EQ(a.debt.m, 2300000000LL);  // 4 % and 4 % off
    EXPECT_EQ(a.debt.afterDiscountsText, "مبلغ پس از تخفیف  :  2,300,000,000  ریال");
}

TEST(DebtCalculation, UnreadableAmountStopsWithAnError) {
    const Account a = Calc(BillLines({BillRecordLine("0", "1401-05", "12x")}), "1401/06/01");
    EXPECT_TRUE(a.ok);
    EXPECT_FALSE(a.debt.ok);
    EXPECT_NE(a.debt.error.find("line 6"), std::string::npos);
    const Account huge = Calc(BillLines({BillRecordLine("0", "1401-05", "1e30")}), "1401/06/01");
    EXPECT_FALSE(huge.debt.ok);
}

TEST(DebtCalculation, LocaleSeparatorsInTheTexts) {
    const Account a = CalculateAccount(BillLines({BillRecordLine("0", "1401-05", "150000000")}), "1401/07/17", "120",
                                       NumberFormat{"/", "."});
    EXPECT_EQ(a.debt.monthAmountText, " کل مبلغ  :   150.000.000  ریال ");
    EXPECT_NE(a.debt.paymentDiscountText.find(" 2/43 "), std::string::npos);
}

TEST(MonthChooser, NameYearAndKey) {
    const auto c = orv::accounting::ChooseMonth("1401/03/15");
    EXPECT_EQ(c.text, "خرداد ماه  1401  ");
    EXPECT_EQ(c.key, "1401-03");
    EXPECT_EQ(orv::accounting::ChooseMonth("1401/11/01").key, "1401-11");
}

// orvanet-tool bill: the keys in their order, the values the program shows,
// and exit status 2 with one line on stderr for a malformed file or argument.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "base/core/TextFile.h"
#include "tests/accounting/core/BillLines.h"
#include "tests/support/ToolRun.h"

namespace {

const std::filesystem::path kDir = std::filesystem::temp_directory_path() / "orv_bill_tool";

orv::test::ToolRun Tool(const std::string& args) { return orv::test::RunTool(ORV_TOOL, "bill " + args); }

std::string Bill(const std::string& name, const std::vector<std::string>& lines) {
    const std::string path = (kDir / name).string();
    std::filesystem::create_directories(kDir);
    EXPECT_TRUE(orv::WriteTextFile(path, lines));
    return "'" + path + "'";
}

std::vector<std::pair<std::string, std::string>> Pairs(const std::string& out) {
    std::vector<std::pair<std::string, std::string>> pairs;
    std::stringstream stream(out);
    for (std::string line; std::getline(stream, line);) {
        const size_t tab = line.find('\t');
        pairs.emplace_back(line.substr(0, tab), tab == std::string::npos ? "" : line.substr(tab + 1));
    }
    return pairs;
}

std::vector<std::string> Keys(const std::string& out) {
    std::vector<std::string> keys;
    for (const auto& [k, v] : Pairs(out)) keys.push_back(k);
    return keys;
}

std::string Value(const std::string& out, const std::string& key) {
    for (const auto& [k, v] : Pairs(out))
        if (k == key) return v;
    return "(missing)";
}

using orv::test::BillLines;
using orv::test::BillRecordLine;

}  // namespace

TEST(BillCommand, PayableMonthInTheGivenOrder) {
    const std::string file =
        Bill("payable.txt", BillLines({BillRecordLine("1", "1401-03", "90000000"), BillRecordLine("0", "1401-05", "150000000"),
                                       BillRecordLine("0", "2^1401-05", "20000000")}));
    const orv::test::ToolRun run = Tool(file + " --today 1401/07/17 --code 120");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Keys(run.out),
              (std::vector<std::string>{"warning", "gate", "overdue_days", "gauge", "nodata", "memo3", "memo3", "Label35",
                                        "Label10", "Label8", "Label26", "Label29", "Label27", "pardata", "kol", "m",
                                        "days", "discount", "volume", "parmah"}));
    EXPECT_EQ(Value(run.out, "warning"), "no");
    EXPECT_EQ(Value(run.out, "gate"), "open");
    EXPECT_EQ(Value(run.out, "overdue_days"), "48");
    EXPECT_EQ(Value(run.out, "nodata"), "false");
    EXPECT_EQ(Value(run.out, "Label35"), " کل بدهی  :          170,000,000  ریال ");
    EXPECT_EQ(Value(run.out, "pardata"), "1401-05x1401h05x120x243x2x47");
    EXPECT_EQ(Value(run.out, "kol"), "150000000");
    EXPECT_EQ(Value(run.out, "m"), "143355000");
    EXPECT_EQ(Value(run.out, "days"), "47");
    EXPECT_EQ(Value(run.out, "discount"), "2.43");
    EXPECT_EQ(Value(run.out, "volume"), "2");
    EXPECT_EQ(Value(run.out, "parmah"), "1401/05");
    EXPECT_TRUE(run.err.empty());
}

// A month billed at exactly a limit of the factor 1.1, a Persian letter in the
// column the reading skips, paid 12 days before its due date: the same keys.
TEST(BillCommand, ExactLimitCharacterColumnsAndEarlyPayment) {
    std::string record = BillRecordLine("0", "1401-05", "187000000");
    record.replace(1, 1, "ب");
    const orv::test::ToolRun run =
        Tool(Bill("early.txt", BillLines({record}, "1.1", "10")) + " --today 1401/05/20 --code 120");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Keys(run.out), (std::vector<std::string>{"warning", "gate", "overdue_days", "gauge", "nodata", "memo3",
                                                       "Label35", "Label10", "Label8", "Label26", "Label29", "Label27",
                                                       "pardata", "kol", "m", "days", "discount", "volume", "parmah"}));
    EXPECT_EQ(Value(run.out, "warning"), "no");
    EXPECT_EQ(Value(run.out, "gate"), "open");
    EXPECT_EQ(Value(run.out, "overdue_days"), "0");
    EXPECT_EQ(Value(run.out, "gauge"), "0");
    EXPECT_EQ(Value(run.out, "days"), "0");
    EXPECT_EQ(Value(run.out, "discount"), "4");
    EXPECT_EQ(Value(run.out, "volume"), "3");
    EXPECT_EQ(Value(run.out, "m"), "173910000");  // 187,000,000 less 7 %
    EXPECT_EQ(Value(run.out, "pardata"), "1401-05x1401h05x120x400x3x0");
}

TEST(BillCommand, NothingUnpaid) {
    const orv::test::ToolRun run = Tool(Bill("settled.txt", BillLines({BillRecordLine("1", "1401-03", "90000000")})) +
                             " --code 7 --today 1401/07/17");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Keys(run.out), (std::vector<std::string>{"warning", "gate", "nodata", "Label35", "Label10", "Label8",
                                                       "Label26", "Label29", "Label27"}));
    EXPECT_EQ(Value(run.out, "nodata"), "true");
    EXPECT_EQ(Value(run.out, "Label10"), " هیچ بدهی وجود ندارد ");
}

TEST(BillCommand, OverdueClosesTheGate) {
    const orv::test::ToolRun run = Tool(Bill("overdue.txt", BillLines({BillRecordLine("0", "1401-05", "2500000000")})) +
                             " --today 1401/09/01 --code 120");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Value(run.out, "warning"), "yes");
    EXPECT_EQ(Value(run.out, "gate"), "closed");
    EXPECT_EQ(Value(run.out, "overdue_days"), "92");
    EXPECT_EQ(Value(run.out, "kol"), "2500000000");
}

TEST(BillCommand, MalformedFileOrArgumentsExitTwoWithOneLine) {
    const std::string good = Bill("good.txt", BillLines({}));
    const std::vector<std::string> bad{
        Bill("line4.txt", BillLines({}, "abc")) + " --today 1401/07/17 --code 1",
        Bill("amount.txt", BillLines({BillRecordLine("0", "1401-05", "1x")})) + " --today 1401/07/17 --code 1",
        "'" + (kDir / "missing.txt").string() + "' --today 1401/07/17 --code 1",
        good + " --today 1401/13/01 --code 1",
        good + " --today 14010717 --code 1",
        good + " --today 1401/07/17 --code x1",
        good + " --today 1401/07/17",
        good + " --today 1401/07/17 --code 1 --code 2",
        good + " --today 1401/07/17 --code 1 extra",
    };
    for (const std::string& args : bad) {
        const orv::test::ToolRun run = Tool(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_TRUE(run.out.empty()) << args;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << args << ": " << run.err;
    }
}

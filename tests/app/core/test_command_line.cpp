// orvanet's arguments: its own two options, Qt's window-system options passed
// on, and anything else refused.
#include <gtest/gtest.h>

#include "app/core/CommandLine.h"

namespace {

using orv::CommandLineAction;

TEST(CommandLine, ProgramArguments) {
    struct Case {
        std::vector<std::string> args;
        CommandLineAction action;
        std::string wrong;
    };
    const Case cases[] = {
        {{}, CommandLineAction::Run, ""},
        {{"--help"}, CommandLineAction::Help, ""},
        {{"-h"}, CommandLineAction::Help, ""},
        {{"--version"}, CommandLineAction::Version, ""},
        {{"-platform", "offscreen", "--version"}, CommandLineAction::Version, ""},
        {{"-platform", "offscreen", "-reverse", "--style=fusion"}, CommandLineAction::Run, ""},
        {{"--bogus", "--help"}, CommandLineAction::Help, ""},
        {{"--bogus"}, CommandLineAction::Wrong, "--bogus"},
        {{"results.txt"}, CommandLineAction::Wrong, "results.txt"},
        {{"-style"}, CommandLineAction::Wrong, "-style"},  // its value is missing
        {{"-platform", "offscreen", "x", "y"}, CommandLineAction::Wrong, "x"},
    };
    for (const Case& c : cases) {
        const orv::CommandLine line = orv::ParseProgramArguments(c.args);
        EXPECT_EQ(line.action, c.action) << testing::PrintToString(c.args);
        EXPECT_EQ(line.wrong, c.wrong) << testing::PrintToString(c.args);
    }
    EXPECT_EQ(orv::ToolOption({"--help"}), CommandLineAction::Help);
    EXPECT_EQ(orv::ToolOption({"--version"}), CommandLineAction::Version);
    EXPECT_EQ(orv::ToolOption({"date", "--help"}), CommandLineAction::Run);  // the subcommand's argument
}

}  // namespace

#pragma once
// The command lines of orvanet and orvanet-tool: --help and --version answer on
// standard output before any window system is asked for.
#include <string>
#include <vector>

namespace orv {

enum class CommandLineAction { Run, Help, Version, Wrong };

struct CommandLine {
    CommandLineAction action = CommandLineAction::Run;
    std::string wrong;  // the argument not understood
};

// orvanet's arguments after the program's name. Its own options are --help (-h)
// and --version; Qt's window-system options (-platform NAME, -style NAME,
// -reverse, ...) are left for Qt. Anything else is wrong.
CommandLine ParseProgramArguments(const std::vector<std::string>& args);

// What the first argument asks of orvanet-tool: --help and --version alone,
// otherwise its subcommand runs (Run).
CommandLineAction ToolOption(const std::vector<std::string>& args);

// "NAME VERSION" and the copyright line.
std::string VersionText(const std::string& program);
std::string ProgramHelp();
std::string ProgramUsage();  // the one line said with a wrong argument

}  // namespace orv

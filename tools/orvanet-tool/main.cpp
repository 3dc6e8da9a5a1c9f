// orvanet-tool: command-line companion of Orvanet. UTF-8 output, one result per line.
#include <iostream>

#include "app/core/CommandLine.h"

#include "tools/orvanet-tool/ToolCommand.h"

namespace orv::tool {
std::map<std::string, CommandInfo>& Commands() {
    static std::map<std::string, CommandInfo> commands;
    return commands;
}
}  // namespace orv::tool

namespace {
void Usage(std::ostream& out, const char* heading = "usage:") {
    out << heading << "\n";
    for (const auto& [name, info] : orv::tool::Commands()) out << "  orvanet-tool " << info.usage << "\n";
}
}  // namespace

int main(int argc, char** argv) {
    auto& commands = orv::tool::Commands();
    switch (orv::ToolOption(std::vector<std::string>(argv + 1, argv + argc))) {
        case orv::CommandLineAction::Help:
            std::cout << "Usage: orvanet-tool COMMAND [ARGUMENT]...\n"
                         "Orvanet's command-line companion: solar dates, result and bill files, the worklist\n"
                         "and the central laboratory's server, without a window. UTF-8 output, one result per\n"
                         "line; exit status 0 when done, 2 for a malformed argument.\n\n";
            Usage(std::cout, "Commands:");
            std::cout << "\n  orvanet-tool --help     show this help and exit\n"
                         "  orvanet-tool --version  show the version and exit\n";
            return 0;
        case orv::CommandLineAction::Version:
            std::cout << orv::VersionText("orvanet-tool");
            return 0;
        default:
            break;
    }
    if (argc < 2 || !commands.count(argv[1])) {
        Usage(std::cerr);
        return 2;
    }
    return commands[argv[1]].run(std::vector<std::string>(argv + 2, argv + argc));
}

// orvanet-tool: command-line companion of Orvanet. UTF-8 output, one result per line.
#include <iostream>

#include "tools/orvanet-tool/ToolCommand.h"

namespace orv::tool {
std::map<std::string, CommandInfo>& Commands() {
    static std::map<std::string, CommandInfo> commands;
    return commands;
}
}  // namespace orv::tool

int main(int argc, char** argv) {
    auto& commands = orv::tool::Commands();
    if (argc < 2 || !commands.count(argv[1])) {
        std::cerr << "usage:\n";
        for (const auto& [name, info] : commands) std::cerr << "  orvanet-tool " << info.usage << "\n";
        return 2;
    }
    return commands[argv[1]].run(std::vector<std::string>(argv + 2, argv + argc));
}

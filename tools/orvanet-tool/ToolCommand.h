#pragma once
// orvanet-tool's subcommands register themselves here, one source file each.
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace orv::tool {

// Arguments after the subcommand's name. Returns the exit status:
// 0 done, 2 a malformed argument (with one line on stderr).
using Command = std::function<int(const std::vector<std::string>& args)>;

struct CommandInfo {
    Command run;
    std::string usage;
};

std::map<std::string, CommandInfo>& Commands();

// One or more of 0-9 and nothing else (a folder code, say).
inline bool AllDigits(const std::string& text) {
    if (text.empty()) return false;
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

struct Register {
    Register(const std::string& name, std::string usage, Command run) {
        Commands()[name] = {std::move(run), std::move(usage)};
    }
};

}  // namespace orv::tool

#include "app/core/CommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace orv {
namespace {

// Qt's own options of a widget program (QGuiApplication and QApplication), with
// one dash or two; the first ones take a value.
constexpr std::array<std::string_view, 13> kQtValueOptions = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "display", "geometry", "style",
    "stylesheet", "qwindowgeometry", "qwindowtitle", "qwindowicon", "session", "title"};
constexpr std::array<std::string_view, 5> kQtFlagOptions = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

std::string_view QtOptionName(std::string_view arg) {
    if (arg.size() < 2 || arg[0] != '-') return {};
    arg.remove_prefix(arg[1] == '-' ? 2 : 1);
    return arg.substr(0, arg.find('='));
}

template <size_t N>
bool Among(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

CommandLine ParseProgramArguments(const std::vector<std::string>& args) {
    CommandLine line;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") return {CommandLineAction::Help, {}};
        if (arg == "--version") return {CommandLineAction::Version, {}};
        const std::string_view qt = QtOptionName(arg);
        if (Among(kQtFlagOptions, qt)) continue;
        if (Among(kQtValueOptions, qt)) {
            if (arg.find('=') == std::string::npos && ++i == args.size()) return {CommandLineAction::Wrong, arg};
            continue;
        }
        if (line.action == CommandLineAction::Run) line = {CommandLineAction::Wrong, arg};
    }
    return line;
}

CommandLineAction ToolOption(const std::vector<std::string>& args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) return CommandLineAction::Help;
    if (args.size() == 1 && args[0] == "--version") return CommandLineAction::Version;
    return CommandLineAction::Run;
}

std::string VersionText(const std::string& program) {
    return program + " " ORVANET_VERSION "\nCopyright (c) the Orvanet developers. MIT license.\n";
}

std::string ProgramUsage() { return "usage: orvanet [--help] [--version] [Qt options]\n"; }

std::string ProgramHelp() {
    return "Usage: orvanet [OPTION]...\n"
           "The referring laboratory's desktop client of the Tarvina central laboratory: signs in with the\n"
           "laboratory's access code, downloads the daily result files, keeps a local archive, searches,\n"
           "prints and saves results, reads the bill, pays, sends messages and types in the reception\n"
           "worklist.\n"
           "\n"
           "Options:\n"
           "  -h, --help     show this help and exit\n"
           "      --version  show the version and exit\n"
           "  Qt's window-system options (-platform NAME, -style NAME, -reverse) are taken as well.\n"
           "\n"
           "Files:\n"
           "  ~/TarvinaLabData/  the workspace: results, bills, worklist and orvanet.ini, the server's\n"
           "                     settings; readable by the user alone. The FTP password moves from\n"
           "                     orvanet.ini into the desktop's secret store when one runs.\n"
           "\n"
           "Environment:\n"
           "  ORVANET_WORKSPACE  another folder for the workspace\n";
}

}  // namespace orv

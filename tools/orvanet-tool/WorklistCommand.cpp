// orvanet-tool worklist show FILE: one line per patient of a worklist file
// ("today.txt"), its seven fields and then its tests, tab-separated, in UTF-8.
// orvanet-tool worklist check FILE: the quality control run before an export:
// "ok", or the 1-based patient number, a tab and the message; exit status 0
// when the list passes, 1 when a patient fails.
#include <iostream>

#include "reception/core/QualityControl.h"
#include "reception/core/WorklistFiles.h"
#include "reception/core/WorklistRecord.h"
#include "tools/orvanet-tool/ToolCommand.h"

namespace {

void Show(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        const orv::reception::WorklistRecord r = orv::reception::LoadRecord(line);
        std::cout << r.receipt << '\t' << r.firstName << '\t' << r.familyName << '\t' << r.age << '\t' << r.ageUnit
                  << '\t' << r.father << '\t' << r.sex;
        for (const std::string& test : r.tests) std::cout << '\t' << test;
        std::cout << '\n';
    }
}

int Check(const std::vector<std::string>& lines) {
    const auto failure = orv::reception::CheckWorklist(lines);
    if (!failure) {
        std::cout << "ok\n";
        return 0;
    }
    std::cout << failure->patient + 1 << '\t' << failure->message << '\n';
    return 1;
}

int Run(const std::vector<std::string>& args) {
    if (args.size() != 2 || (args[0] != "show" && args[0] != "check")) {
        std::cerr << "orvanet-tool worklist: expected \"show FILE\" or \"check FILE\"\n";
        return 2;
    }
    const orv::reception::ListFile list = orv::reception::ReadList(args[1]);
    if (!list.ok) {
        std::cerr << "orvanet-tool worklist: " << list.error << "\n";
        return 2;
    }
    if (args[0] == "show") {
        Show(list.lines);
        return 0;
    }
    return Check(list.lines);
}

const orv::tool::Register kRegister("worklist", "worklist show FILE | worklist check FILE", Run);

}  // namespace

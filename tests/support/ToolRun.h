#pragma once
// Runs a command-line program with arguments (as a shell would read them) and
// keeps its exit status, its standard output and its standard error.
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace orv::test {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline ToolRun RunTool(const std::string& program, const std::string& args) {
    char errName[] = "/tmp/orv_tool_err_XXXXXX";
    const int fd = mkstemp(errName);
    if (fd >= 0) close(fd);
    ToolRun run;
    const std::string command = program + " " + args + " 2>'" + errName + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream err(errName, std::ios::binary);
    std::stringstream text;
    text << err.rdbuf();
    run.err = text.str();
    std::remove(errName);
    return run;
}

}  // namespace orv::test

// zenit-tool sim: plays the game headless and unpaced, then prints one JSON
// summary line (see README).
#include <cstdio>

#include "sim_run.h"
#include "tool.h"

namespace {

int RunSimCommand(const std::vector<std::string>& args) {
    std::string error;
    std::optional<SimOptions> options = ParseSimOptions(args, &error);
    if (!options) {
        std::fprintf(stderr, "sim: %s\nusage: zenit-tool sim %s\n", error.c_str(), kSimOptionsUsage);
        return 2;
    }
    SimResult result;
    int code = RunSim(*options, result);
    if (code == 2) return code;
    std::printf("%s\n", SummaryJson(result).c_str());
    return code;
}

const ToolCommandRegistrar kRegister({"sim", std::string("sim ") + kSimOptionsUsage +
                                                 "  play headless and unpaced; JSON summary on stdout",
                                      RunSimCommand});

}  // namespace

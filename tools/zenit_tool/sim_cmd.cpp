// zenit-tool sim: plays the game headless and unpaced, then prints one JSON
// summary line (see README).
#include <cstdio>

#include "sim_run.h"
#include "tool.h"

namespace {

int RunSimCommand(const std::vector<std::string>& args) {
    std::optional<SimOptions> options = ParseSimOptionsOrExplain(args, "sim");
    if (!options) return 2;
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

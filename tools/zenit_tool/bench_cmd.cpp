// zenit-tool bench: a headless run like `sim`, timing each frame's phases
// with the real clock: the objects' step, the draw of the queues, and the
// presentation (mapping into the display surface and the flip).
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <vector>

#include "sim_run.h"
#include "tool.h"

namespace {

struct Series {
    std::vector<double> us;
    std::string Json() const {
        double mean = us.empty() ? 0 : std::accumulate(us.begin(), us.end(), 0.0) / static_cast<double>(us.size());
        double p99 = 0;
        if (!us.empty()) {
            std::vector<double> sorted = us;
            std::size_t k = (sorted.size() * 99 + 99) / 100 - 1;  // nearest rank
            std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(k), sorted.end());
            p99 = sorted[k];
        }
        char buf[96];
        std::snprintf(buf, sizeof buf, "{\"mean\":%.2f,\"p99\":%.2f,\"count\":%zu}", mean, p99, us.size());
        return buf;
    }
};

int RunBenchCommand(const std::vector<std::string>& args) {
    std::optional<SimOptions> options = ParseSimOptionsOrExplain(args, "bench");
    if (!options) return 2;
    Series step, draw, present;
    SimResult result;
    int code = RunSim(*options, result, [&](const FramePhaseTimes& t) {
        step.us.push_back(t.step_us);
        if (t.presented) {
            draw.us.push_back(t.draw_us);
            present.us.push_back(t.present_us);
        }
    });
    if (code == 2) return code;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    double fps = result.wall_seconds > 0 ? static_cast<double>(result.frames) / result.wall_seconds : 0;
    std::printf(
        "{\"stage_no\":%d,\"frames\":%lld,\"seconds\":%.3f,\"fps\":%.1f,\"step_us\":%s,\"draw_us\":%s,"
        "\"present_us\":%s,\"peak_rss_kb\":%ld%s}\n",
        result.stage_no, static_cast<long long>(result.frames), result.wall_seconds, fps, step.Json().c_str(),
        draw.Json().c_str(), present.Json().c_str(), usage.ru_maxrss, TallyFields(result).c_str());
    return code;
}

const ToolCommandRegistrar kRegister({"bench", std::string("bench ") + kSimOptionsUsage +
                                                   "  like sim; frame rate, phase times and peak memory as JSON",
                                      RunBenchCommand});

}  // namespace

// zenit-tool replay FILE: plays a replay back headless (as sim --input does,
// with the options of its "# sim" line and the frames it holds), prints the
// summary, and checks it against what the replay recorded: the score and
// frames at the end of every stage, and the whole summary when it has an
// "# expect" line (the golden runs in tests/data/runs). Exit code 0 when all
// of it matches, 1 when something differs, 2 when the file cannot be used.
//
// With ZENIT_UPDATE_GOLDEN=1 in the environment the file's stage and expect
// lines are rewritten from this play-back instead (see README: only after a
// deliberate change of play).
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "sim_run.h"
#include "tool.h"

namespace {

std::vector<std::string> SplitWords(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

// What differs between two stage-end lists, one line each ("" when nothing).
std::string StageDifferences(const std::vector<ReplayInfo::StageEnd>& recorded,
                             const std::vector<ReplayInfo::StageEnd>& played) {
    std::string out;
    for (std::size_t i = 0; i < recorded.size(); ++i) {
        const ReplayInfo::StageEnd& r = recorded[i];
        char line[160];
        if (i >= played.size()) {
            std::snprintf(line, sizeof line, "stage %d: recorded score %d after %lld frames; the play-back never ended it\n",
                          r.stage, r.score, static_cast<long long>(r.frames));
            out += line;
        } else if (!(played[i] == r)) {
            const ReplayInfo::StageEnd& p = played[i];
            std::snprintf(line, sizeof line, "stage %d: recorded score %d after %lld frames, played stage %d: %d after %lld\n",
                          r.stage, r.score, static_cast<long long>(r.frames), p.stage, p.score,
                          static_cast<long long>(p.frames));
            out += line;
        }
    }
    return out;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool UpdateRequested() {
    const char* update = std::getenv("ZENIT_UPDATE_GOLDEN");
    return update && std::string(update) == "1";
}

int RunReplayCommand(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: zenit-tool replay FILE\n");
        return 2;
    }
    const std::string& path = args[0];
    std::optional<PadInput> input = LoadPadInput(path);
    if (!input) return 2;
    if (!input->replay) {
        std::fprintf(stderr, "replay: %s is not a replay (its first line is not '%s')\n", path.c_str(),
                     std::string(kReplayMagic).c_str());
        return 2;
    }
    const ReplayInfo& info = *input->replay;

    std::string why;
    std::optional<SimOptions> options = ParseSimOptions(SplitWords(info.sim_options), &why);
    if (options && (options->bot || !options->input.empty() || !options->record.empty())) {
        options.reset();
        why = "a replay is played, not recorded again";
    }
    if (!options) {
        std::fprintf(stderr, "replay %s: '# sim %s': %s\n", path.c_str(), info.sim_options.c_str(), why.c_str());
        return 2;
    }
    options->input = path;
    if (options->frames < 0) options->frames = input->script.Length();

    SimResult result;
    int code = RunSim(*options, result);
    if (code == 2) return code;
    const std::string summary = SummaryJson(result);
    std::printf("%s\n", summary.c_str());

    if (UpdateRequested()) {
        ReplayInfo updated = info;
        updated.stages = result.stage_ends;
        updated.expect = summary;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << RewriteReplayInfo(ReadText(path), updated);
        if (!out.flush()) {
            std::fprintf(stderr, "replay: cannot rewrite %s\n", path.c_str());
            return 1;
        }
        std::fprintf(stderr, "replay: %s rewritten from this play-back\n", path.c_str());
        return code;
    }

    bool same = true;
    if (std::string diff = StageDifferences(info.stages, result.stage_ends); !diff.empty()) {
        std::fprintf(stderr, "replay: %s", diff.c_str());
        same = false;
    }
    if (!info.expect.empty() && info.expect != summary) {
        std::fprintf(stderr, "replay: the summary differs from the expected one:\nexpected %s\n     got %s\n",
                     info.expect.c_str(), summary.c_str());
        same = false;
    }
    if (code != 0) return code;
    return same ? 0 : 1;
}

const ToolCommandRegistrar kRegister({"replay",
                                      "replay FILE  play a replay back; exit 0 when its recorded scores (and expected "
                                      "summary) are reproduced",
                                      RunReplayCommand});

}  // namespace

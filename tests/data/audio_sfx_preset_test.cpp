// Sound-effect presets, read as the build reads them (zenit-gen-audio --sfx):
// numbers that cannot be what they stand for are faults with line and column.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/child_process.h"

namespace fs = std::filesystem;

TEST(AudioSfxPreset, OutOfRangeWholeNumbersAreFaults) {
    const fs::path dir = fs::temp_directory_path() / ("zenit_sfx_test_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    struct Case {
        std::string line;  // line 2 of the preset
        std::string says;
    };
    const Case cases[] = {
        {"seed 99999999999999999999", ":2:6: the seed must be a whole number from 0 to 4294967295"},
        {"seed 1.5", ":2:6: the seed must be a whole number"},
        {"layer\n  wave sine\n  freq 440\n  repeat 1e12 0.1", ":5:10: the repeat count must be a whole number from 1 to 10000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        std::ofstream(dir / "fx.sfx") << "length 0.1\n" << c.line << "\nlayer\n  wave sine\n  freq 440\n";
        ChildResult r = RunChild({ZENIT_BINARY_DIR "/gen/zenit-gen-audio", "--sfx", (dir / "fx.sfx").string(),
                                  (dir / "fx.wav").string()});
        EXPECT_EQ(r.exit_code, 1) << r.err;
        EXPECT_NE(r.err.find("fx.sfx" + c.says), std::string::npos) << r.err;
    }
    fs::remove_all(dir);
}

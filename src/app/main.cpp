// The game. It takes no command line: settings come from zenit.ini and the
// settings dialog.
#include <exception>
#include <string>

#include "app/program.h"
#include "app/replay.h"
#include "core/message_box.h"

int main() {
    try {
        ProgramOptions options;
        options.replay_dir = DefaultReplayDirectory();  // every run leaves a replay
        return Main(options);
    } catch (const std::exception& e) {
        // Nothing is expected to throw; if something does, say what and end cleanly.
        FatalError(std::string("zenit: ") + e.what());
    }
}

// Runs a program of the build as a separate process, the way a user would:
// with its own environment, its output kept, and a time limit.
//
//   ChildProcess child;
//   child.Start({ZENIT_BINARY_DIR "/zenit-tool", "export", dir}, {"DISPLAY", "SDL_AUDIODRIVER=dummy"});
//   ChildResult r = child.Wait(10.0);   // r.exit_code, r.err, r.seconds
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct ChildResult {
    int exit_code = -1;      // -1 when it did not exit normally
    int signal = 0;          // the signal that ended it, if one did
    bool timed_out = false;  // killed at the time limit
    std::string out, err;    // what it wrote to stdout and stderr
    double seconds = 0;      // from Start to its end
};

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();  // kills the child if it still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts argv[0] with this process's environment changed by `env`:
    // "NAME=value" sets NAME, a bare "NAME" removes it. stdin is /dev/null.
    bool Start(const std::vector<std::string>& argv, const std::vector<std::string>& env = {});
    pid_t Pid() const { return pid_; }
    bool Running();
    // What it has written to stdout so far.
    std::string OutputSoFar() const;
    // Waits up to `timeout_seconds` for the end, then kills it.
    ChildResult Wait(double timeout_seconds);

private:
    pid_t pid_ = -1;
    std::string out_file_, err_file_;
    double start_ = 0;
    ChildResult result_;
    bool reaped_ = false;
    void Reaped(int status);
};

// Start and Wait in one.
ChildResult RunChild(const std::vector<std::string>& argv, const std::vector<std::string>& env = {},
                     double timeout_seconds = 30.0);

#include "common/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

extern char** environ;

namespace {

double Now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

std::string TempFile(const char* what) {
    std::string name = "/tmp/zenit-child-" + std::string(what) + "-XXXXXX";
    int fd = mkstemp(name.data());
    if (fd >= 0) close(fd);
    return name;
}

std::string Slurp(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

ChildProcess::~ChildProcess() {
    if (pid_ > 0 && !reaped_) {
        kill(pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    for (const std::string& f : {out_file_, err_file_})
        if (!f.empty()) unlink(f.c_str());
}

bool ChildProcess::Start(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
    if (argv.empty() || pid_ > 0) return false;
    std::vector<std::string> vars;
    for (char** e = environ; *e; ++e) vars.emplace_back(*e);
    for (const std::string& change : env) {
        const std::string name = change.substr(0, change.find('='));
        std::erase_if(vars, [&](const std::string& v) { return v.compare(0, name.size() + 1, name + "=") == 0; });
        if (change.find('=') != std::string::npos) vars.push_back(change);
    }
    std::vector<char*> envp, args;
    for (std::string& v : vars) envp.push_back(v.data());
    envp.push_back(nullptr);
    std::vector<std::string> argv_copy = argv;
    for (std::string& a : argv_copy) args.push_back(a.data());
    args.push_back(nullptr);

    out_file_ = TempFile("out");
    err_file_ = TempFile("err");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out_file_.c_str(), O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_addopen(&actions, 2, err_file_.c_str(), O_WRONLY | O_TRUNC, 0);
    start_ = Now();
    const int rc = posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        pid_ = -1;
        return false;
    }
    return true;
}

void ChildProcess::Reaped(int status) {
    reaped_ = true;
    result_.seconds = Now() - start_;
    if (WIFEXITED(status)) result_.exit_code = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result_.signal = WTERMSIG(status);
}

bool ChildProcess::Running() {
    if (pid_ <= 0 || reaped_) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        Reaped(status);
        return false;
    }
    return true;
}

std::string ChildProcess::OutputSoFar() const { return out_file_.empty() ? std::string() : Slurp(out_file_); }

ChildResult ChildProcess::Wait(double timeout_seconds) {
    if (pid_ <= 0) return result_;
    const double deadline = Now() + timeout_seconds;
    while (Running()) {
        if (Now() >= deadline) {
            kill(pid_, SIGKILL);
            int status = 0;
            waitpid(pid_, &status, 0);
            Reaped(status);
            result_.timed_out = true;
            break;
        }
        usleep(2000);
    }
    result_.out = Slurp(out_file_);
    result_.err = Slurp(err_file_);
    return result_;
}

ChildResult RunChild(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                     double timeout_seconds) {
    ChildProcess child;
    if (!child.Start(argv, env)) {
        ChildResult failed;
        failed.err = "cannot start " + (argv.empty() ? std::string("(nothing)") : argv[0]);
        return failed;
    }
    return child.Wait(timeout_seconds);
}

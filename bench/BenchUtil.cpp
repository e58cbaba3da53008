#include "BenchUtil.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace bench {

namespace {
double seconds(const timeval& tv) { return static_cast<double>(tv.tv_sec) + static_cast<double>(tv.tv_usec) / 1e6; }
} // namespace

double nowS()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double selfCpuS()
{
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return seconds(ru.ru_utime) + seconds(ru.ru_stime);
}

bool onPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "";
    size_t from = 0;
    while (from <= dirs.size()) {
        const size_t to = std::min(dirs.find(':', from), dirs.size());
        const std::string file = dirs.substr(from, to - from) + "/" + name;
        if (to > from && access(file.c_str(), X_OK) == 0)
            return true;
        from = to + 1;
    }
    return false;
}

Cost runTogether(const std::vector<std::vector<std::string>>& commands)
{
    const double start = nowS();
    std::vector<pid_t> pids;
    for (const auto& cmd : commands) {
        std::vector<char*> argv;
        for (const auto& a : cmd)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", 1, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", 1, 0);
        pid_t pid = 0;
        if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0)
            pids.push_back(pid);
        posix_spawn_file_actions_destroy(&actions);
    }
    Cost cost;
    for (pid_t pid : pids) {
        int status = 0;
        rusage ru{};
        wait4(pid, &status, 0, &ru);
        cost.cpuS += seconds(ru.ru_utime) + seconds(ru.ru_stime);
        cost.maxRssMb = std::max(cost.maxRssMb, static_cast<double>(ru.ru_maxrss) / 1024.0);
    }
    cost.wallS = nowS() - start;
    return cost;
}

Cost runCopies(const std::vector<std::string>& command, int n)
{
    return runTogether(std::vector<std::vector<std::string>>(static_cast<size_t>(n), command));
}

} // namespace bench

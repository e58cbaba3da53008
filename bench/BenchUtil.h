// Shared helpers of the benchmark programs: timing, CPU use of this process
// and of child processes, and running the reference tools.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct Cost {
    double wallS = 0;
    double cpuS = 0; // user + system
    // The largest peak resident size among the processes. The kernel counts
    // a child's size at spawn, while it still shares the parent's memory, so
    // spawn from a small parent for a true figure.
    double maxRssMb = 0;
};

double nowS();
// CPU seconds used so far by this process.
double selfCpuS();
// Whether an executable of that name is on PATH.
bool onPath(const std::string& name);
// Runs the commands (argv lists) at once and waits for all; their summed CPU
// time and the wall time until the last one ended.
Cost runTogether(const std::vector<std::vector<std::string>>& commands);
// The same command n times at once.
Cost runCopies(const std::vector<std::string>& command, int n);

} // namespace bench

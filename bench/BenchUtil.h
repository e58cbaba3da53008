// Shared helpers of the benchmark programs: timing, CPU use of this process
// and of child processes, and running the reference tools.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct Cost {
    double wallS = 0;
    double cpuS = 0; // user + system
};

double nowS();
// CPU seconds used so far by this process.
double selfCpuS();
// Runs the commands (argv lists) at once and waits for all; their summed CPU
// time and the wall time until the last one ended.
Cost runTogether(const std::vector<std::vector<std::string>>& commands);
// The same command n times at once.
Cost runCopies(const std::vector<std::string>& command, int n);

} // namespace bench

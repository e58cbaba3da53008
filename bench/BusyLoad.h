// A competing load for the real-time benchmarks: N processes that spin at
// normal priority from construction to destruction, as a busy desktop does.
#pragma once

#include <sys/types.h>

#include <vector>

namespace bench {

class BusyLoad {
public:
    explicit BusyLoad(int processes);
    ~BusyLoad();
    BusyLoad(const BusyLoad&) = delete;
    BusyLoad& operator=(const BusyLoad&) = delete;
    int size() const { return static_cast<int>(children_.size()); }

private:
    std::vector<pid_t> children_;
};

} // namespace bench

#include "BusyLoad.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace bench {

BusyLoad::BusyLoad(int processes)
{
    for (int i = 0; i < processes; ++i) {
        const pid_t pid = fork();
        if (pid == 0) {
            volatile unsigned long spin = 0;
            for (;;)
                spin = spin + 1;
        }
        if (pid > 0)
            children_.push_back(pid);
    }
}

BusyLoad::~BusyLoad()
{
    for (pid_t pid : children_)
        kill(pid, SIGKILL);
    for (pid_t pid : children_)
        waitpid(pid, nullptr, 0);
}

} // namespace bench

// Clips being written in the background. Each is written from its own reader
// of the file, so the instance it came from may play on, close or go; the
// library waits for them all before it is released.
#pragma once

#include "ClipWriter.h"
#include "kvplay.h"

#include <condition_variable>
#include <cstdint>
#include <list>
#include <mutex>
#include <thread>

namespace kvplay {

class ClipJobs {
public:
    ClipJobs() = default;
    ~ClipJobs();
    ClipJobs(const ClipJobs&) = delete;
    ClipJobs& operator=(const ClipJobs&) = delete;

    // Writes spec on a new library thread and reports to done there.
    // fileStartUs turns the clip's relative times into absolute ones.
    void start(ClipSpec spec, int64_t fileStartUs, KvPlayClipDoneFn done, void* user);
    // Returns once every clip started so far is written and reported.
    void waitAll();

private:
    struct Job {
        std::thread thread;
        bool finished = false; // guarded by mutex_
    };
    void reapFinished(); // with mutex_ held

    std::mutex mutex_;
    std::condition_variable idle_;
    std::list<Job> jobs_; // guarded by mutex_
};

} // namespace kvplay

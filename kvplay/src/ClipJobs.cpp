#include "ClipJobs.h"

#include "ThreadTag.h"

namespace kvplay {

ClipJobs::~ClipJobs() { waitAll(); }

void ClipJobs::start(ClipSpec spec, int64_t fileStartUs, KvPlayClipDoneFn done, void* user)
{
    std::lock_guard lock(mutex_);
    reapFinished();
    Job& job = jobs_.emplace_back();
    job.thread = std::thread([this, &job, spec = std::move(spec), fileStartUs, done, user] {
        {
            const ThreadTag tag;
            const ClipResult result = writeClip(spec);
            KvPlayClipOutcome outcome{};
            outcome.rc = result.rc;
            if (result.rc == KV_OK) {
                outcome.packets = result.packets;
                outcome.start_time = static_cast<uint64_t>(fileStartUs + result.startUs);
                outcome.end_time = static_cast<uint64_t>(fileStartUs + result.endUs);
            }
            done(&outcome, user);
        }
        std::lock_guard finishing(mutex_);
        job.finished = true;
        idle_.notify_all();
    });
}

void ClipJobs::waitAll()
{
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] {
        for (const Job& job : jobs_)
            if (!job.finished)
                return false;
        return true;
    });
    reapFinished();
}

void ClipJobs::reapFinished()
{
    for (auto it = jobs_.begin(); it != jobs_.end();) {
        if (!it->finished) {
            ++it;
            continue;
        }
        it->thread.join();
        it = jobs_.erase(it);
    }
}

} // namespace kvplay

// Background pass over a raw stream, or over a container whose timestamps
// may reset: demuxes (parses, never decodes) the whole file on its own
// thread, fills a KeyframeIndex and then gives the source its exact duration.
#pragma once

#include "KeyframeIndex.h"
#include "MediaSource.h"

#include <atomic>
#include <memory>
#include <thread>

namespace kvplay {

class IndexBuilder {
public:
    // Starts at once; source must outlive the builder.
    explicit IndexBuilder(MediaSource& source);
    ~IndexBuilder();
    IndexBuilder(const IndexBuilder&) = delete;
    IndexBuilder& operator=(const IndexBuilder&) = delete;

    std::shared_ptr<KeyframeIndex> index() const { return index_; }

private:
    void run();
    // True when the whole file was read.
    bool scan(int64_t& frames);
    // The same for a timed file, on the continuous timeline; endUs is where
    // its last packet ends, resets how many times its timestamps reset.
    bool scanTimed(int64_t& endUs, int& resets);
    static int interruptCb(void* opaque);

    MediaSource& source_;
    std::shared_ptr<KeyframeIndex> index_;
    std::atomic<bool> abort_{false};
    std::thread thread_;
};

} // namespace kvplay

// A call that may block, run on a thread of its own as a library thread runs
// it, so that a test can see whether it is held and what it returns once let go.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

namespace kvtest {

class BlockingCall {
public:
    explicit BlockingCall(std::function<bool()> call);
    ~BlockingCall();
    BlockingCall(const BlockingCall&) = delete;
    BlockingCall& operator=(const BlockingCall&) = delete;

    // Whether the call has not returned after being given a moment to. A call
    // that is really held always answers true; one that is not almost always
    // answers false.
    bool held() const;
    // Waits until the call returns; its result.
    bool result();

private:
    std::atomic<bool> done_{false};
    bool result_ = false;
    std::thread thread_;
};

} // namespace kvtest

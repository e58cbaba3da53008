#include "BlockingCall.h"

#include <chrono>

namespace kvtest {

BlockingCall::BlockingCall(std::function<bool()> call)
    : thread_([this, call = std::move(call)] {
          result_ = call();
          done_.store(true);
      })
{
}

BlockingCall::~BlockingCall()
{
    if (thread_.joinable())
        thread_.join();
}

bool BlockingCall::held() const
{
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    return !done_.load();
}

bool BlockingCall::result()
{
    if (thread_.joinable())
        thread_.join();
    return result_;
}

} // namespace kvtest

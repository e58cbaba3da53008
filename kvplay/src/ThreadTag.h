// Marks the current thread as a library thread for its lifetime, so the API
// can refuse calls made from inside a callback.
#pragma once

namespace kvplay {

class ThreadTag {
public:
    ThreadTag() { current() = true; }
    ~ThreadTag() { current() = false; }
    ThreadTag(const ThreadTag&) = delete;
    ThreadTag& operator=(const ThreadTag&) = delete;

    static bool isLibraryThread() { return current(); }

private:
    static bool& current()
    {
        thread_local bool tagged = false;
        return tagged;
    }
};

} // namespace kvplay

// How many video streams may decode in hardware at once, across every
// instance, and how many do. A stream holds a slot while its decoder runs in
// hardware; destroying or releasing the slot gives it back.
#pragma once

#include <mutex>

namespace kvplay {

class HardwareSlots {
public:
    class Slot {
    public:
        Slot() = default;
        Slot(Slot&& other) noexcept;
        Slot& operator=(Slot&& other) noexcept;
        Slot(const Slot&) = delete;
        Slot& operator=(const Slot&) = delete;
        ~Slot();

        explicit operator bool() const { return owner_ != nullptr; }
        void release();

    private:
        friend class HardwareSlots;
        explicit Slot(HardwareSlots* owner) : owner_(owner) {}

        HardwareSlots* owner_ = nullptr;
    };

    explicit HardwareSlots(int limit);
    HardwareSlots(const HardwareSlots&) = delete;
    HardwareSlots& operator=(const HardwareSlots&) = delete;

    // Lowering the limit takes no slot back: streams already in hardware keep
    // theirs until they close; only new streams see the new limit.
    void setLimit(int limit);
    int limit() const;
    int inUse() const;
    // An empty slot once the limit is reached, so always with a limit of 0.
    Slot acquire();

private:
    void giveBack();

    mutable std::mutex mutex_;
    int limit_;     // guarded by mutex_
    int inUse_ = 0; // guarded by mutex_
};

} // namespace kvplay

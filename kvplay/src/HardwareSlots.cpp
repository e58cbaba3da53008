#include "HardwareSlots.h"

#include <utility>

namespace kvplay {

HardwareSlots::Slot::Slot(Slot&& other) noexcept : owner_(std::exchange(other.owner_, nullptr)) {}

HardwareSlots::Slot& HardwareSlots::Slot::operator=(Slot&& other) noexcept
{
    if (this != &other) {
        release();
        owner_ = std::exchange(other.owner_, nullptr);
    }
    return *this;
}

HardwareSlots::Slot::~Slot() { release(); }

void HardwareSlots::Slot::release()
{
    if (HardwareSlots* owner = std::exchange(owner_, nullptr))
        owner->giveBack();
}

HardwareSlots::HardwareSlots(int limit) : limit_(limit < 0 ? 0 : limit) {}

void HardwareSlots::setLimit(int limit)
{
    std::lock_guard lock(mutex_);
    limit_ = limit < 0 ? 0 : limit;
}

int HardwareSlots::limit() const
{
    std::lock_guard lock(mutex_);
    return limit_;
}

int HardwareSlots::inUse() const
{
    std::lock_guard lock(mutex_);
    return inUse_;
}

HardwareSlots::Slot HardwareSlots::acquire()
{
    std::lock_guard lock(mutex_);
    if (inUse_ >= limit_)
        return Slot();
    ++inUse_;
    return Slot(this);
}

void HardwareSlots::giveBack()
{
    std::lock_guard lock(mutex_);
    --inUse_;
}

} // namespace kvplay

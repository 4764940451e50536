#pragma once

// What the platforms' fault guards share: the table of guarded threads and a run's claim on it, the body run
// with its exceptions caught, and the last report kept. Each platform provides guardBody and systemFaultText.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace detail {

// The slot of a table of guarded threads that `self` owns, or null; a handler may call it.
template <class Slot, std::size_t N, class Id>
Slot* ownedSlot(Slot (&slots)[N], Id self) {
    for (Slot& slot : slots)
        if (slot.owner.load(std::memory_order_acquire) == self) return &slot;
    return nullptr;
}

// Claims a free slot for `self`, or null when every slot is taken.
template <class Slot, std::size_t N, class Id>
Slot* claimSlot(Slot (&slots)[N], Id self) {
    for (Slot& slot : slots) {
        Id free = 0;
        if (slot.owner.compare_exchange_strong(free, self)) return &slot;
    }
    return nullptr;
}

// This thread's slot while a guarded run lasts. A nested run shares the slot of the run around
// it and gives that run's jump target back at its end; the outermost run frees the slot.
template <class Slot>
class SlotClaim {
public:
    template <std::size_t N, class Id>
    SlotClaim(Slot (&slots)[N], Id self) : slot_(ownedSlot(slots, self)) {
        if (slot_)
            outerJump_ = slot_->jump;
        else
            owner_ = (slot_ = claimSlot(slots, self)) != nullptr;
    }
    ~SlotClaim() {
        if (!slot_) return;
        slot_->jump = outerJump_;
        if (!owner_) return;
        slot_->handling = 0;
        slot_->owner.store(0, std::memory_order_release);
    }
    SlotClaim(const SlotClaim&) = delete;
    SlotClaim& operator=(const SlotClaim&) = delete;

    // Null when every slot is taken: exceptions are still caught, faults are not.
    Slot* slot() const { return slot_; }
    // Whether this run claimed the slot, and so sets the thread up for faults.
    bool owns() const { return owner_; }

private:
    Slot* slot_ = nullptr;
    decltype(Slot::jump) outerJump_ = nullptr;
    bool owner_ = false;
};

// Runs `body`; a standard exception leaving it gives its text, any other the report
// `describeForeign` writes at the catch. True when the body returned.
bool runCatching(const std::function<void()>& body, std::string& text,
                 const std::function<std::string()>& describeForeign);

// Runs `body` under the platform's guard; false with the error's text or the crash report.
bool guardBody(const std::function<void()>& body, std::string& text);

// The system's text for a fault code outside the fixed table, or empty.
std::string systemFaultText(std::uint32_t code);

// Keeps `report` as the process's last crash report.
void keepCrashReport(const std::string& report);

}  // namespace detail

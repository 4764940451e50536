#pragma once

// What the platforms' fault guards share: the table of guarded threads, the body run with its
// exceptions caught, and the last report kept. Each platform provides guardBody and
// systemFaultText.
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

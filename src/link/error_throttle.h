#pragma once

#include <chrono>

// Lets an error reach the user only when the last one shown was closed a while ago, so that a
// burst of failures does not become a series of message boxes.
class ErrorThrottle {
public:
    using Clock = std::chrono::steady_clock;

    explicit ErrorThrottle(Clock::duration quiet) : quiet_(quiet) {}

    // Whether an error at `now` is shown.
    bool admit(Clock::time_point now) const { return !shownBefore_ || now - lastClosed_ >= quiet_; }
    // The shown error's box was closed at `now`.
    void closed(Clock::time_point now) {
        shownBefore_ = true;
        lastClosed_ = now;
    }

private:
    Clock::duration quiet_;
    bool shownBefore_ = false;
    Clock::time_point lastClosed_{};
};

#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

// When a progress display is redrawn: at most once per interval, and always at the last step,
// so that a long run costs a few dozen redraws a second and not one per step.
class RedrawPace {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // About 30 a second: smooth to the eye, and a small cost beside the work shown.
    static constexpr std::chrono::milliseconds kInterval{33};

    // Counts the display as drawn now.
    explicit RedrawPace(std::chrono::milliseconds interval = kInterval,
                        Clock now = std::chrono::steady_clock::now)
        : interval_(interval), now_(std::move(now)), drawn_(now_()) {}

    // True when `step` is to be drawn: the last one, or the interval has passed since the last
    // drawing. A step judged due counts as drawn.
    bool due(std::int32_t step, std::int32_t last) {
        const auto now = now_();
        if (step < last && now - drawn_ < interval_) return false;
        drawn_ = now;
        return true;
    }

private:
    std::chrono::milliseconds interval_;
    Clock now_;
    std::chrono::steady_clock::time_point drawn_;
};

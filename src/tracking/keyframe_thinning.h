#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>
#include <vector>

// The thinning loop of the keyframe reduction, for one error measure.
//
// Each step from a retained record `cur` tries the candidates c = cur+2, cur+3, ... : E(c) is the
// largest error of the records between cur and c against the interpolation between them, the
// candidates end at the first E(c) above the threshold, and the step retains the first candidate
// with the lowest E(c) / (c - cur - 1)^2 (cur + 1 when there is none). Evaluated as written that
// costs the square of the span per step, and on long near-linear motion the span is the whole
// sequence. This loop returns the same records but, past a short span, decides most candidates
// without computing E(c) in full:
// - E(c) is never negative, so a score of 0 ends the search for a lower one;
// - a line through `cur` that the records stay close to bounds every E(c) from above, which
//   proves that no candidate ends the span (see the measures' `bound`);
// - the error of any single record is a lower limit of E(c), which rules out most candidates once
//   the lowest score is known; the scan for it therefore runs from the end of the span backwards.
// Sequences this cannot handle safely (values that are not finite or are huge, frames that do not
// increase) run the plain loop, which gives the same result.
namespace detail {

// Measures whose error is at most the threshold t when every component of the record deviates
// by at most `within(t)` from the interpolation, and above it when one deviates by at least
// `beyond(t)`: a span of them is followed in constant time per candidate by the slopes the
// interpolation may take (see `openFunnel`).
template <class Measure, class = void>
struct HasFunnel : std::false_type {};
template <class Measure>
struct HasFunnel<Measure, std::void_t<decltype(&Measure::within)>> : std::true_type {};

// Measures whose error is dear to compute but bounded from both sides by the squared deviation
// (`lowestErrorOf`, `highestErrorOf`): the largest error is found among the few largest deviations.
template <class Measure, class = void>
struct RanksDeviations : std::false_type {};
template <class Measure>
struct RanksDeviations<Measure, std::void_t<decltype(&Measure::lowestErrorOf)>> : std::true_type {};

// The interpolation weights k / d of spans of up to kLongest frames, each computed by the same
// division as the loop makes, so that steps over consecutive frames need no division.
class SpanWeights {
public:
    static constexpr std::size_t kLongest = 66;

    static const SpanWeights& instance() {
        static const SpanWeights weights;
        return weights;
    }

    // row(d)[k] = k / d for 0 < k < d <= kLongest.
    const double* row(std::size_t d) const { return weights_.data() + d * (d - 1) / 2; }

private:
    SpanWeights() {
        for (std::size_t d = 1; d <= kLongest; ++d) {
            for (std::size_t k = 0; k < d; ++k) {
                weights_[d * (d - 1) / 2 + k] = static_cast<double>(k) / static_cast<double>(d);
            }
        }
    }

    std::array<double, kLongest*(kLongest + 1) / 2> weights_{};
};

template <class Measure>
class Thinning {
public:
    using Key = typename Measure::Key;
    static constexpr int kComponents = Measure::kComponents;

    Thinning(const std::vector<Key>& keys, double threshold)
        : keys_(keys), n_(keys.size()), threshold_(threshold), prepared_(n_ * Measure::kPrepared) {
        for (std::size_t i = 0; i < n_; ++i) Measure::prepare(keys_[i], prepared(i));
    }

    static constexpr bool kFunnel = HasFunnel<Measure>::value;

    // Indices of the retained records, in order.
    std::vector<std::size_t> run() {
        std::vector<std::size_t> kept;
        if (n_ == 0) return kept;
        kept.push_back(0);
        std::size_t cur = 0;
        if (n_ >= 3) {
            const bool fast = suitsFastPath();
            if (fast) prepareFunnel();
            while (cur != n_ - 1) {
                const std::size_t best = fast ? fastStep(cur) : plainStep(cur);
                kept.push_back(best);
                cur = best;
                if (best == n_ - 2) break;
            }
        }
        if (cur != n_ - 1) kept.push_back(n_ - 1);
        return kept;
    }

private:
    static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
    static constexpr double kUnitRoundoff = std::numeric_limits<double>::epsilon() / 2;
    static constexpr std::size_t kBlock = 32;
    static constexpr std::size_t kShortSpan = SpanWeights::kLongest - 2;
    static constexpr int kWitnesses = 4;
    // Shorter spans are evaluated in full at once, which costs about as much as the funnel unless
    // errors are dear.
    static constexpr std::size_t kFunnelFrom = RanksDeviations<Measure>::value ? 6 : 24;

    enum class Stop { Never, AboveThreshold, AboveScore, AboveZero };

    struct Evaluation {
        double largest = 0;
        std::size_t at = kNone;
        bool complete = true;
    };

    double* prepared(std::size_t i) { return prepared_.data() + i * Measure::kPrepared; }
    const double* prepared(std::size_t i) const { return prepared_.data() + i * Measure::kPrepared; }

    // Huge values could overflow in the error measures; the bounds below assume they do not.
    bool suitsFastPath() const {
        if (!std::isfinite(threshold_)) return false;
        for (std::size_t i = 0; i < n_; ++i) {
            if (i > 0 && keys_[i].frame <= keys_[i - 1].frame) return false;
            for (int k = 0; k < kComponents; ++k) {
                if (!(std::fabs(Measure::component(keys_[i], k)) <= 1e100)) return false;
            }
        }
        return true;
    }

    // Radii of the funnel: a computed deviation differs from the exact one by far less than
    // `slack`, and so do the slopes the funnel compares once scaled back to deviations.
    void prepareFunnel() {
        if constexpr (kFunnel) {
            double magnitude = 0;
            for (std::size_t i = 0; i < n_; ++i) {
                for (int k = 0; k < kComponents; ++k)
                    magnitude = std::max(magnitude, std::fabs(Measure::component(keys_[i], k)));
            }
            const double slack = 256 * kUnitRoundoff * magnitude;
            within_ = Measure::within(threshold_) - slack;
            beyond_ = Measure::beyond(threshold_) + slack;
        }
    }

    // Frame differences as unsigned 32-bit numbers, as the interpolation weights take them.
    double frameOffset(std::size_t from, std::size_t to) const {
        return static_cast<double>(static_cast<std::uint32_t>(keys_[to].frame) -
                                   static_cast<std::uint32_t>(keys_[from].frame));
    }

    static double squaredSkip(std::size_t cur, std::size_t c) {
        const double skipped = static_cast<double>(c - cur - 1);
        return skipped * skipped;
    }

    // The loop as written, with only the stop once the best score is 0.
    std::size_t plainStep(std::size_t cur) {
        std::size_t best = cur + 1;
        double bestScore = std::numeric_limits<double>::max();
        for (std::size_t c = cur + 2; c < n_; ++c) {
            const double span = frameOffset(cur, c);
            double largest = 0;
            for (std::size_t m = cur + 1; m < c; ++m) {
                const double e =
                    Measure::error(keys_[cur], keys_[c], keys_[m], prepared(m), frameOffset(cur, m) / span);
                if (e > largest) largest = e;
            }
            if (largest > threshold_) break;
            const double score = largest / squaredSkip(cur, c);
            if (score < bestScore) {
                best = c;
                bestScore = score;
                if (bestScore == 0) break;
            }
        }
        return best;
    }

    // ---- the fast step; per-step data is indexed from cur ----

    std::size_t fastStep(std::size_t cur) {
        cur_ = cur;
        ++step_;
        offsetsEnd_ = cur;
        const bool funnel = kFunnel && within_ > 0;
        if (funnel) openFunnel();
        // Short spans: the loop as written, which is cheapest there; where the funnel shows that
        // E(c) is within the threshold, the middle record's error alone may rule a candidate out.
        const std::size_t shortEnd = std::min(n_ - 1, cur + 1 + kShortSpan);
        std::array<double, kShortSpan + 2> shortLargest;
        std::size_t best = cur + 1;
        double bestScore = std::numeric_limits<double>::max();
        const SpanWeights& weights = SpanWeights::instance();
        for (std::size_t c = cur + 2; c <= shortEnd; ++c) {
            const Key& a = keys_[cur];
            const Key& b = keys_[c];
            const double span = frameOffset(cur, c);
            shortLargest[c - cur] = -1;
            if (funnel && c - cur >= kFunnelFrom) {
                if (c - cur == kFunnelFrom) {
                    for (std::size_t m = cur + 1; m < c; ++m) narrow(m);
                } else {
                    narrow(c - 1);
                }
                const Side side = classify(c);
                if (side == Side::Beyond) return best;
                if (side == Side::Within) {
                    const std::size_t middle = cur + (c - cur) / 2;
                    const double e = Measure::error(a, b, keys_[middle], prepared(middle),
                                                    frameOffset(cur, middle) / span);
                    if (e / squaredSkip(cur, c) >= bestScore) continue;
                }
            }
            double largest;
            if (span == static_cast<double>(c - cur)) {
                // Consecutive frames: the weights are k / (c - cur).
                const double* weight = weights.row(c - cur);
                largest = largestOver(a, b, cur, c, [&](std::size_t m) { return weight[m - cur]; });
            } else {
                largest =
                    largestOver(a, b, cur, c, [&](std::size_t m) { return frameOffset(cur, m) / span; });
            }
            if (largest > threshold_) return best;
            shortLargest[c - cur] = largest;
            const double score = largest / squaredSkip(cur, c);
            if (score < bestScore) {
                best = c;
                bestScore = score;
                if (bestScore == 0) return best;
            }
        }
        if (shortEnd == n_ - 1) return best;

        ensureOffsets(shortEnd);
        for (std::size_t c = cur + 2; c <= shortEnd; ++c) {
            if (shortLargest[c - cur] >= 0) remember(c, shortLargest[c - cur]);
        }
        std::size_t end = n_;
        std::size_t zero = kNone;
        findEnd(shortEnd, end, zero);
        if (zero != kNone) return firstZeroBefore(zero);
        ensureOffsets(end - 1);
        return lowestScore(end - 1, shortEnd, best, bestScore);
    }

    // E(c) in two interleaved halves: the largest of a set does not depend on the order, and two
    // running maxima halve the chain of dependent comparisons.
    template <class Weight>
    double largestOver(const Key& a, const Key& b, std::size_t cur, std::size_t c, Weight weight) const {
        if constexpr (RanksDeviations<Measure>::value) {
            double largest = 0;
            std::size_t at = kNone;
            scan(a, b, cur + 1, c, weight, largest, at);
            return largest;
        }
        double even = 0;
        double odd = 0;
        std::size_t m = cur + 1;
        for (; m + 1 < c; m += 2) {
            const double e0 = Measure::error(a, b, keys_[m], prepared(m), weight(m));
            const double e1 = Measure::error(a, b, keys_[m + 1], prepared(m + 1), weight(m + 1));
            even = e0 > even ? e0 : even;
            odd = e1 > odd ? e1 : odd;
        }
        if (m < c) {
            const double e = Measure::error(a, b, keys_[m], prepared(m), weight(m));
            even = e > even ? e : even;
        }
        return odd > even ? odd : even;
    }

    // Raises `largest` to the largest error of the records [from, to), `at` to where it is.
    template <class Weight>
    void scan(const Key& a, const Key& b, std::size_t from, std::size_t to, Weight weight, double& largest,
              std::size_t& at) const {
        if constexpr (RanksDeviations<Measure>::value) {
            double squared = 0;
            for (std::size_t m = from; m < to; ++m) {
                const double d = Measure::deviation(a, b, keys_[m], weight(m));
                squared = std::max(squared, d * d);
            }
            if (squared <= 1) {
                // The record with the largest deviation has an error of at least `floor`; a record
                // whose error cannot reach it, or `largest`, cannot be the largest.
                const double floor = Measure::lowestErrorOf(squared);
                for (std::size_t m = from; m < to; ++m) {
                    const double d = Measure::deviation(a, b, keys_[m], weight(m));
                    if (d == 0) continue;  // 1 - cos 0 is 0
                    const double highest = Measure::highestErrorOf(d * d);
                    if (highest < floor || highest <= largest) continue;
                    const double e = Measure::errorOf(d);
                    if (e > largest) {
                        largest = e;
                        at = m;
                    }
                }
                return;
            }
        }
        for (std::size_t m = from; m < to; ++m) {
            const double e = Measure::error(a, b, keys_[m], prepared(m), weight(m));
            if (e > largest) {
                largest = e;
                at = m;
            }
        }
    }

    void ensureOffsets(std::size_t upTo) {
        if (upTo <= offsetsEnd_) return;
        const std::size_t needed = upTo - cur_ + 1;
        if (needed > offsets_.size()) {
            const std::size_t size = std::max(needed, 2 * offsets_.size());
            offsets_.resize(size);
            largest_.resize(size);
            stamp_.resize(size);
        }
        for (std::size_t m = offsetsEnd_ + 1; m <= upTo; ++m) offsets_[m - cur_] = frameOffset(cur_, m);
        offsetsEnd_ = upTo;
    }

    double offset(std::size_t m) const { return offsets_[m - cur_]; }

    double error(std::size_t m, std::size_t c) const {
        return Measure::error(keys_[cur_], keys_[c], keys_[m], prepared(m), offset(m) / offset(c));
    }

    void remember(std::size_t c, double largest) {
        largest_[c - cur_] = largest;
        stamp_[c - cur_] = step_;
    }
    bool known(std::size_t c) const { return stamp_[c - cur_] == step_; }
    double largestKnown(std::size_t c) const { return largest_[c - cur_]; }

    // E(c) in full, or until `stop` holds for the largest error so far. Blocks are taken from
    // both ends of the span in turn: where rounding dominates, the largest errors sit where the
    // values are largest, which is usually one end.
    Evaluation evaluate(std::size_t c, Stop stop, double score = 0,
                        double atLeast = std::numeric_limits<double>::infinity()) {
        Evaluation result;
        const Key& a = keys_[cur_];
        const Key& b = keys_[c];
        const double span = offset(c);
        const double skipped = squaredSkip(cur_, c);
        const double limit = stop == Stop::AboveThreshold ? threshold_
                             : stop == Stop::AboveZero    ? 0
                                                          : std::numeric_limits<double>::infinity();
        std::size_t low = cur_ + 1;
        std::size_t high = c;
        bool fromHigh = true;
        while (low < high) {
            const std::size_t count = std::min(kBlock, high - low);
            const std::size_t from = fromHigh ? high - count : low;
            if (fromHigh) {
                high -= count;
            } else {
                low += count;
            }
            fromHigh = !fromHigh;
            scan(
                a, b, from, from + count, [&](std::size_t m) { return offset(m) / span; }, result.largest,
                result.at);
            const bool stopNow = result.largest > limit ||
                                 (stop == Stop::AboveScore &&
                                  (result.largest / skipped > score || result.largest / skipped >= atLeast));
            if (stopNow && low < high) {
                result.complete = false;
                break;
            }
        }
        if (result.at != kNone) addWitness(result.at);
        return result;
    }

    // Records whose error was the largest for some candidate: likely the largest for neighbours.
    void addWitness(std::size_t m) {
        for (int i = 0; i < witnessCount_; ++i) {
            if (witnesses_[i] == m) return;
        }
        if (witnessCount_ < kWitnesses) {
            witnesses_[witnessCount_++] = m;
        } else {
            witnesses_[nextWitness_] = m;
            nextWitness_ = (nextWitness_ + 1) % kWitnesses;
        }
    }

    // Whether `exceeds` holds for the error of a witness between cur and c, or of the middle
    // record, which where the values curve has the largest error; each is a lower limit of E(c).
    template <class Exceeds>
    bool witnessed(std::size_t c, Exceeds exceeds) const {
        if (exceeds(error(cur_ + (c - cur_) / 2, c))) return true;
        for (int i = 0; i < witnessCount_; ++i) {
            const std::size_t m = witnesses_[i];
            if (m > cur_ && m < c && exceeds(error(m, c))) return true;
        }
        return false;
    }

    // Line through cur's values with the slope towards `towards`; deviations from it are gathered
    // for every record up to `reach_`.
    void anchor(std::size_t towards) {
        for (int k = 0; k < kComponents; ++k) {
            const double base = Measure::component(keys_[cur_], k);
            slope_[k] = (Measure::component(keys_[towards], k) - base) / offset(towards);
            largestDeviation_[k] = 0;
            magnitude_[k] = std::fabs(base);
        }
        anchor_ = towards;
        for (std::size_t m = cur_ + 1; m <= reach_; ++m) {
            double deviation[kComponents];
            deviate(m, deviation);
            absorb(deviation);
        }
    }

    void deviate(std::size_t m, double* deviation) {
        for (int k = 0; k < kComponents; ++k) {
            const double value = Measure::component(keys_[m], k);
            const double along = offset(m) * slope_[k];
            deviation[k] = std::fabs(value - (Measure::component(keys_[cur_], k) + along));
            magnitude_[k] = std::max(magnitude_[k], std::max(std::fabs(value), std::fabs(along)));
        }
    }

    void absorb(const double* deviation) {
        for (int k = 0; k < kComponents; ++k)
            largestDeviation_[k] = std::max(largestDeviation_[k], deviation[k]);
    }

    // Whether E(c) is certainly not above the threshold. In exact arithmetic a record deviates
    // from the interpolation by at most its own deviation from the line plus that of c.
    bool certified(const double* deviation) const {
        double reach[kComponents];
        for (int k = 0; k < kComponents; ++k) {
            reach[k] =
                (largestDeviation_[k] + deviation[k]) * (1 + 1e-12) + 256 * kUnitRoundoff * magnitude_[k];
        }
        return Measure::bound(reach, magnitude_.data()) <= threshold_;
    }

    // Finds the first candidate after `from` whose E(c) is above the threshold (n when none), or
    // stops at a candidate with E(c) = 0, which holds the lowest possible score.
    void findEnd(std::size_t from, std::size_t& end, std::size_t& zero) {
        if constexpr (kFunnel && kComponents == 1) {
            if (within_ > 0) {
                findEndInFunnel(from, end, zero);
                return;
            }
        }
        // Several components: the funnel decides first, the line through cur where it cannot.
        const bool funnel = kFunnel && within_ > 0;
        if (funnel) narrow(from);
        reach_ = from;
        anchor(from);
        for (std::size_t c = from + 1; c < n_; ++c) {
            ensureOffsets(c);
            double deviation[kComponents];
            deviate(c, deviation);
            const Side side = funnel ? classify(c) : Side::Unknown;
            if (side == Side::Beyond) {
                end = c;
                return;
            }
            const bool evaluated = side == Side::Unknown && !certified(deviation);
            if (evaluated && endsOrZero(c, end, zero)) return;
            if (funnel) narrow(c);
            absorb(deviation);
            reach_ = c;
            // A line through c fits the records better; re-anchoring costs the span so far, and
            // doing it only when the span has doubled keeps the total linear.
            if (evaluated && c - cur_ >= 2 * (anchor_ - cur_)) anchor(c);
        }
    }

    // Decides a candidate that no bound vouched for: whether it ends the span or has E(c) = 0.
    bool endsOrZero(std::size_t c, std::size_t& end, std::size_t& zero) {
        ensureOffsets(c);
        if (witnessed(c, [&](double e) { return e > threshold_; })) {
            end = c;
            return true;
        }
        const Evaluation e = evaluate(c, Stop::AboveThreshold);
        if (e.largest > threshold_) {
            end = c;
            return true;
        }
        remember(c, e.largest);
        if (e.largest == 0) {
            zero = c;
            return true;
        }
        return false;
    }

    // The funnel of one-valued measures. E(c) is at most the threshold when every record between
    // cur and c deviates by at most `within_` from the line from cur to c, and above it when one
    // deviates by at least `beyond_`: each record m narrows the slopes of such lines to an
    // interval, so that a candidate is decided by comparing its slope with two intervals.
    enum class Side { Within, Beyond, Unknown };

    // With several components, each has its own slopes.
    void openFunnel() {
        for (int k = 0; k < kComponents; ++k) {
            funnelBase_[k] = Measure::component(keys_[cur_], k);
            lowWithin_[k] = lowBeyond_[k] = -std::numeric_limits<double>::infinity();
            highWithin_[k] = highBeyond_[k] = std::numeric_limits<double>::infinity();
        }
    }

    void narrow(std::size_t m) {
        const double perFrame = reciprocal(frameOffset(cur_, m));
        for (int k = 0; k < kComponents; ++k) {
            const double rise = Measure::component(keys_[m], k) - funnelBase_[k];
            lowWithin_[k] = std::max(lowWithin_[k], (rise - within_) * perFrame);
            highWithin_[k] = std::min(highWithin_[k], (rise + within_) * perFrame);
            lowBeyond_[k] = std::max(lowBeyond_[k], (rise - beyond_) * perFrame);
            highBeyond_[k] = std::min(highBeyond_[k], (rise + beyond_) * perFrame);
        }
    }

    // 1 / run, from a table for the short runs of consecutive frames.
    double reciprocal(double run) {
        if (run < static_cast<double>(reciprocals_.size()))
            return reciprocals_[static_cast<std::size_t>(run)];
        if (run > static_cast<double>(n_)) return 1 / run;
        const std::size_t from = reciprocals_.size();
        reciprocals_.resize(std::max<std::size_t>(2 * from, static_cast<std::size_t>(run) + 1));
        for (std::size_t k = from; k < reciprocals_.size(); ++k) reciprocals_[k] = 1 / static_cast<double>(k);
        return reciprocals_[static_cast<std::size_t>(run)];
    }

    // Where E(c) lies, given that the funnel holds the records cur+1 .. c-1. The rise to c is
    // compared with the rises the slope limits give over the run to c.
    Side classify(std::size_t c) const {
        const double run = frameOffset(cur_, c);
        bool within = true;
        for (int k = 0; k < kComponents; ++k) {
            const double rise = Measure::component(keys_[c], k) - funnelBase_[k];
            if (rise < lowBeyond_[k] * run || rise > highBeyond_[k] * run) return Side::Beyond;
            within = within && rise >= lowWithin_[k] * run && rise <= highWithin_[k] * run;
        }
        return within ? Side::Within : Side::Unknown;
    }

    // findEnd for one-valued measures; the funnel holds the records up to from - 1.
    void findEndInFunnel(std::size_t from, std::size_t& end, std::size_t& zero) {
        narrow(from);
        for (std::size_t c = from + 1; c < n_; ++c) {
            const Side side = classify(c);
            if (side == Side::Beyond) {
                end = c;
                return;
            }
            if (side == Side::Unknown && endsOrZero(c, end, zero)) return;
            narrow(c);
        }
    }

    // The first candidate in (cur+2, zero) with E(c) = 0, else `zero` (whose E is 0).
    std::size_t firstZeroBefore(std::size_t zero) {
        for (std::size_t c = cur_ + 3; c < zero; ++c) {
            if (known(c)) {
                if (largestKnown(c) == 0) return c;
                continue;
            }
            if (witnessed(c, [](double e) { return e > 0; })) continue;
            const Evaluation e = evaluate(c, Stop::AboveZero);
            if (e.largest == 0) return c;
            if (e.complete) remember(c, e.largest);
        }
        return zero;
    }

    // The first candidate in [cur+2, last] with the lowest score, given the first lowest among
    // the short candidates up to `shortEnd`; every E(c) there is within the threshold, so every
    // score is finite. A later candidate wins only by a strictly lower score than `shortScore`,
    // which rules out most of them on a lower limit of E(c) alone.
    std::size_t lowestScore(std::size_t last, std::size_t shortEnd, std::size_t shortBest,
                            double shortScore) {
        std::size_t best = kNone;
        double bestScore = std::numeric_limits<double>::infinity();
        for (std::size_t c = last; c > shortEnd; --c) {
            const double skipped = squaredSkip(cur_, c);
            if (!known(c)) {
                const bool outscored = witnessed(c, [&](double e) {
                    const double score = e / skipped;
                    return score > bestScore || score >= shortScore;
                });
                if (outscored) continue;
                const Evaluation e = evaluate(c, Stop::AboveScore, bestScore, shortScore);
                if (!e.complete) continue;
                remember(c, e.largest);
            }
            const double score = largestKnown(c) / skipped;
            if (score < shortScore && score <= bestScore) {
                best = c;
                bestScore = score;
                if (bestScore == 0) return firstZeroBefore(c);
            }
        }
        return best == kNone ? shortBest : best;
    }

    const std::vector<Key>& keys_;
    std::size_t n_;
    double threshold_;
    std::vector<double> prepared_;

    // Per step: offsets of frames from cur's, valid up to offsetsEnd_; E(c) where stamp_ is step_.
    std::size_t cur_ = 0;
    std::uint64_t step_ = 0;
    std::size_t offsetsEnd_ = 0;
    std::vector<double> offsets_;
    std::vector<double> largest_;
    std::vector<std::uint64_t> stamp_;

    std::array<std::size_t, kWitnesses> witnesses_{};
    int witnessCount_ = 0;
    int nextWitness_ = 0;

    std::size_t anchor_ = 0;
    std::size_t reach_ = 0;
    std::array<double, kComponents> slope_{};
    std::array<double, kComponents> largestDeviation_{};
    std::array<double, kComponents> magnitude_{};

    // Deviation radii of the funnel (see openFunnel); none when within_ is not positive.
    double within_ = 0;
    double beyond_ = 0;
    std::array<double, kComponents> funnelBase_{};
    std::array<double, kComponents> lowWithin_{};
    std::array<double, kComponents> highWithin_{};
    std::array<double, kComponents> lowBeyond_{};
    std::array<double, kComponents> highBeyond_{};
    std::vector<double> reciprocals_{0.0};
};

}  // namespace detail

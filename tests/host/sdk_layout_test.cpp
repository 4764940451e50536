// The declaration of the host's interface against the host's own layout for this target. The
// module does not build when a fact fails; this test names every failing one in a table.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "aegp_layout.h"

namespace {

using aegp_layout::Fact;

// One line per fact that does not hold, under a header; empty when all hold.
template <std::size_t N>
std::string failingFacts(const Fact (&facts)[N]) {
    std::ostringstream table;
    for (const Fact& fact : facts) {
        if (fact.expected == fact.actual) continue;
        char line[200];
        std::snprintf(line, sizeof line, "%-28s %-36s %-14s %8zu %8zu\n", fact.record, fact.field,
                      aegp_layout::measureName(fact.measure), fact.expected, fact.actual);
        table << line;
    }
    if (table.str().empty()) return {};
    char header[200];
    std::snprintf(header, sizeof header, "\n%-28s %-36s %-14s %8s %8s\n", "record", "field", "measure",
                  "expected", "actual");
    return header + table.str();
}

TEST(SdkLayout, EveryRecordSlotAndArgumentIsWhereTheHostHasIt) {
    EXPECT_EQ(failingFacts(aegp_layout::kFacts), "")
        << "facts that differ from the host's " << (aegp_layout::kHost32 ? "32" : "64") << "-bit layout";
    EXPECT_TRUE(aegp_layout::holds());
}

}  // namespace

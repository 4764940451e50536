#include "support/wildcard_match.h"

#include <gtest/gtest.h>

namespace {

TEST(WildcardMatch, AsTheDirectorySearchMatches) {
    const struct {
        const char* name;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"p0000.png", "*.png", true},
        {"P0000.PNG", "*.png", true},
        {"notes.png", "*.png", true},
        {".png", "*.png", true},
        {"p0000.png.x", "*.png", false},
        {"p0000.pn", "*.png", false},
        {"p0000.png", "p????.png", true},
        {"p000.png", "p????.png", false},
        {"a.b.png", "*.*.png", true},
        {"anything", "*", true},
        {".", "*", true},
        {"noext", "*.*", true},
        {"", "*", true},
        {"", "?", false},
        {"abc", "a*b*c", true},
        {"aXbYc", "a*b*c", true},
        {"acb", "a*b*c", false},
        {"job.skp", "JOB.SKP", true},
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*c", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(matchesWildcard(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
}

}  // namespace

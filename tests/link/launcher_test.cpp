// The application's window is recognised by its title ending with the product name.
#include "link/launcher.h"

#include <gtest/gtest.h>

namespace {

TEST(Launcher, TitleMustEndWithTheProductName) {
    struct Case {
        const char* title;
        bool names;
    } cases[] = {
        {"Skelda", true},
        {"shot_0042.png - Skelda", true},
        {"Skelda - shot_0042.png", false},
        {"shot_0042.png - skelda", false},
        {"SKELDA", false},
        {"kelda", false},
        {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(detail::titleNamesApplication(c.title), c.names) << c.title;
}

}  // namespace

// Failures of the lookup are walked by the apply and import tests.
#include "host/installed_effect.h"

#include "host/suite_scope.h"
#include "tests/host/host_fixture.h"

namespace {

class FindInstalledEffectTest : public HostLayerTest {
protected:
    AEGP_InstalledEffectKey keyAt(std::size_t i) { return host.model().installedEffects().at(i).key; }
    AEGP_InstalledEffectKey find(const char* name) {
        SuiteScope<AEGP_EffectSuite1> effects;
        return FindInstalledEffect(*effects, name);
    }
};

TEST_F(FindInstalledEffectTest, LooksUpByExactName) {
    struct Case {
        std::vector<std::string> installed;
        const char* wanted;
        int index;  // -1: none
    };
    const Case cases[] = {
        {{}, "Transform", -1},
        {{"Blur", "Levels"}, "Transform", -1},
        {{"Blur", "Transform"}, "transform", -1},
        {{"Blur", "Transform"}, "Trans", -1},
        {{"Blur", "Transform", "Corner Pin"}, "Transform", 1},
        {{"Blur", "Transform", "Corner Pin"}, "Corner Pin", 2},
        {{"Corner Pin", "Blur", "Corner Pin"}, "Corner Pin", 0},
    };
    for (const Case& c : cases) {
        host.model().setInstalledEffects(c.installed);
        const AEGP_InstalledEffectKey expected = c.index < 0 ? 0 : keyAt(static_cast<std::size_t>(c.index));
        EXPECT_EQ(find(c.wanted), expected) << c.wanted << " among " << c.installed.size();
    }
}

}  // namespace

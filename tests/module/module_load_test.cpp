#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin/pipl.h"
#include "sim/host/loaded_module.h"
#include "sim/host/module_library.h"
#include "sim/host/sim_host.h"
#include "tests/common/program_path.h"

namespace {

std::string modulePath() {
    return testkit::besideTests("Skelda.aex");
}

// The module carries the PiPL bytes (ELF section or PIPL resource); the host finds its name and
// entry in them.
TEST(BuiltModule, CarriesThePipl) {
    const std::vector<unsigned char> bytes = simhost::readModulePipl(modulePath());
    EXPECT_EQ(bytes, std::vector<unsigned char>(kPiplBytes.begin(), kPiplBytes.end()));
}

TEST(BuiltModule, LoadsAndRegistersThroughItsEntry) {
    simhost::SimHost host;
    const auto loaded = host.loadModule(modulePath());
    EXPECT_EQ(loaded.name, "Skelda");
    EXPECT_EQ(loaded.entryPoint, "GPMain_Skelda");
    EXPECT_EQ(loaded.result, 0);
    const auto items = host.menus().items(AEGP_Menu_ANIMATION);
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[1].text, "Upload as Underlay to Skelda");
    EXPECT_EQ(items[5].position, 13);
    ASSERT_EQ(host.registrations().hooks.size(), 4u);
    ASSERT_EQ(host.registrations().flavors.size(), 1u);
    EXPECT_EQ(host.registrations().flavors[0].name, "Skelda Project");
    EXPECT_TRUE(host.suites().outstanding().empty());
    EXPECT_EQ(host.idle(), 0);
    host.shutdown();
    EXPECT_TRUE(host.registrations().hooks.empty());
}

TEST(BuiltModule, LoaderRefusesWhatIsNoModule) {
    simhost::SimHost host;
    EXPECT_THROW(host.loadModule(testkit::besideTests("no-such-module.aex")), std::runtime_error);
    EXPECT_THROW(host.loadModule(testkit::programPath("test_module")), std::runtime_error);
}

}  // namespace

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "common/program_path.h"
#include "host/loaded_module.h"
#include "host/module_library.h"
#include "host/sim_host.h"
#include "plugin/pipl.h"

namespace {

std::string modulePath() {
    return testkit::besideTests("Skelda.aex");
}

// The PiPL as this build's module carries it (ELF section or PIPL resource), field by field.
TEST(BuiltModule, PiplReadsBackFieldByField) {
    const std::vector<unsigned char> bytes = simhost::readModulePipl(modulePath());
    ASSERT_EQ(bytes.size(), kPiplBytes.size());
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), kPiplBytes.begin()));
    const simhost::Pipl pipl = simhost::parsePipl(bytes.data(), bytes.size());
    EXPECT_EQ(pipl.reserved1, 1u);
    EXPECT_EQ(pipl.reserved2, 0u);
    ASSERT_EQ(pipl.properties.size(), 5u);
    const char* keys[] = {"kind", "name", "catg", "vers", "wx86"};
    const std::size_t lengths[] = {4, 8, 16, 4, 16};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(pipl.properties[i].vendor, "8BIM");
        EXPECT_EQ(pipl.properties[i].key, keys[i]);
        EXPECT_EQ(pipl.properties[i].id, 0u);
        EXPECT_EQ(pipl.properties[i].data.size(), lengths[i]);
    }
    EXPECT_EQ(pipl.kind(), "AEgx");
    EXPECT_EQ(pipl.name(), "Skelda");
    EXPECT_EQ(pipl.category(), "General Plugin");
    EXPECT_EQ(pipl.version(), 0x00030000u);
    EXPECT_EQ(pipl.entryPoint(), "GPMain_Skelda");
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

TEST(BuiltModule, FaultWalkThroughTheModule) {
    std::vector<std::string> calls;
    {
        simhost::SimHost host;
        ASSERT_EQ(host.loadModule(modulePath()).result, 0);
        calls = host.faults().calls();
    }
    ASSERT_EQ(calls.size(), 20u);
    std::map<std::string, int> seen;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        simhost::SimHost host;
        host.faults().fail(calls[i], ++seen[calls[i]], -50);
        EXPECT_EQ(host.loadModule(modulePath()).result, -50) << calls[i];
        ASSERT_EQ(host.reports().size(), 1u) << calls[i];
        EXPECT_EQ(host.reports()[0].rfind("Error while ", 0), 0u);
        EXPECT_EQ(host.faults().calls().size(), i + 3) << calls[i];
        EXPECT_TRUE(host.suites().outstanding().empty()) << calls[i];
    }
}

TEST(BuiltModule, SuiteInNoVersionGivesOneAndNoMessage) {
    simhost::SimHost host;
    host.suites().withdraw(kAEGPRegisterSuite, 1);
    EXPECT_EQ(host.loadModule(modulePath()).result, 1);
    EXPECT_TRUE(host.reports().empty());
    EXPECT_EQ(host.menus().items(AEGP_Menu_ANIMATION).size(), 6u);
    EXPECT_TRUE(host.registrations().hooks.empty());
    EXPECT_TRUE(host.suites().outstanding().empty());
}

TEST(BuiltModule, LoaderRefusesWhatIsNoModule) {
    simhost::SimHost host;
    EXPECT_THROW(host.loadModule(testkit::besideTests("no-such-module.aex")), std::runtime_error);
    EXPECT_THROW(host.loadModule(testkit::programPath("test_module")), std::runtime_error);
}

}  // namespace

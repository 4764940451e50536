// The simulated host builds a footage as a host does, so that import tests see the files it took.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/suite_scope.h"
#include "tests/common/test_dirs.h"
#include "tests/common/test_files.h"
#include "tests/host/host_fixture.h"

namespace {

class SimImportSuitesTest : public HostLayerTest {
protected:
    SimImportSuitesTest() : HostLayerTest(testkit::kStandIn) {}
};

TEST_F(SimImportSuitesTest, AFootageSequenceTakesEveryFileOfItsExtensionInNameOrder) {
    testkit::TempDir dir;
    for (const char* name : {"p0000.png", "p0001.png", "p0002.PNG", "notes.png.x", "other.jpg"})
        testkit::writeFile(dir.file(name), name);
    testkit::writeFile(dir.file("sub.png/inner"), "");
    const std::string first = dir.file("p0001.png");
    const struct {
        std::string path;
        bool sequence;
        std::vector<std::string> files;  // none: the host refuses
    } cases[] = {
        {first, true, {dir.file("p0000.png"), dir.file("p0001.png"), dir.file("p0002.PNG")}},
        {first, false, {first}},
        {dir.file("other.jpg"), true, {dir.file("other.jpg")}},
        {dir.file("missing.png"), true, {}},
        {dir.path(), false, {}},
    };
    SuiteScope<AEGP_FootageSuite1> footageSuite;
    for (const auto& c : cases) {
        AEGP_FootageH footage = nullptr;
        const A_Err made = footageSuite->AEGP_NewFootage(hostContext().pluginId, c.path.c_str(),
                                                         c.sequence ? 1 : 0, nullptr, &footage);
        EXPECT_EQ(made, c.files.empty() ? A_Err_PARAMETER : A_Err_NONE) << c.path;
        if (made != A_Err_NONE) continue;
        A_long count = 0;
        ASSERT_EQ(footageSuite->AEGP_GetFootageNumFiles(footage, &count, nullptr), A_Err_NONE);
        std::vector<std::string> files;
        for (A_long i = 0; i < count; ++i) {
            char path[AEGP_MAX_PATH_SIZE];
            ASSERT_EQ(footageSuite->AEGP_GetFootagePath(footage, i, 0, path), A_Err_NONE);
            files.push_back(path);
        }
        EXPECT_EQ(files, c.files) << c.path;
    }
}

}  // namespace

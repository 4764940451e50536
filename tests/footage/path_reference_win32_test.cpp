#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "footage/path_reference.h"
#include "support/file_system.h"
#include "tests/common/test_dirs.h"
#include "tests/common/test_drives.h"

namespace {

TEST(PathReferenceOnDrives, AnotherDriveIsStoredAbsoluteAndResolves) {
    testkit::TempDir dir;
    std::ofstream(dir.file("x.png")) << "png";
    const std::string elsewhere = testkit::otherDriveAlias(dir.file("x.png"));
    ASSERT_TRUE(isRegularFile(elsewhere)) << elsewhere;

    const PathReference reference = makePathReference(elsewhere, dir.path());
    EXPECT_TRUE(reference.abs);
    EXPECT_EQ(reference.path, elsewhere);
    EXPECT_EQ(resolvePathReference(reference, dir.path()), elsewhere);
}

}  // namespace

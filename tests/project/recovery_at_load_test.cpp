// The plug-in's entry brings back what an interrupted import left renamed aside and says so.
#include "project/recovery_at_load.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/child_process.h"
#include "common/program_path.h"
#include "import_fixture.h"
#include "project/rename_journal.h"

using namespace importkit;
using namespace isolationkit;

namespace {

class RecoveryAtLoadTest : public ImportTest {
protected:
    // What a host killed during an isolation leaves: two files aside, one of whose names is taken anew.
    void leaveInterruptedImport() {
        writeFile(dir.file("p0000.png"), "0");
        writeFile(dir.file("notes.png.x"), "notes");
        writeFile(dir.file("p0100.png.x"), "old 100");
        writeFile(dir.file("p0100.png"), "new 100");
        writeFile(state.path() + "/rename-1-0.journal",
                  formatJournal({{dir.file("notes.png"), false}, {dir.file("p0100.png"), false}}));
    }
    std::string expectedReport() const {
        return "An interrupted import of a Skelda project had renamed files aside. These are back under "
               "their "
               "names:\n" +
               dir.file("notes.png") +
               "\nAn interrupted import of a Skelda project left files renamed aside:\nfailed to rename \"" +
               dir.file("p0100.png.x") + "\" into \"" + dir.file("p0100.png") + "\"";
    }
    const std::map<std::string, std::string> afterwards = {
        {"p0000.png", "0"}, {"notes.png", "notes"}, {"p0100.png.x", "old 100"}, {"p0100.png", "new 100"}};
};

TEST_F(RecoveryAtLoadTest, NothingToRecoverSaysNothingAndAFailingReportStopsNothing) {
    RecoverInterruptedImports();
    EXPECT_TRUE(host->reports().empty());
    EXPECT_TRUE(host->faults().calls().empty());

    leaveInterruptedImport();
    host->faults().fail("AEGP_ReportInfo", 1, -3);
    RecoverInterruptedImports();
    EXPECT_EQ(snapshot(dir.path()), afterwards);
    EXPECT_TRUE(host->suites().outstanding().empty());
}

TEST_F(RecoveryAtLoadTest, LoadingTheModuleInTheHostRestores) {
    leaveInterruptedImport();
    const auto result =
        testkit::runProcess(testkit::programPath("skelda-host"),
                            {"-e", "load " + testkit::besideTests("Skelda.aex"), "-e", "reports"});
    EXPECT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(result.output, "loaded \"Skelda\" entry=GPMain_Skelda result=0\n" + expectedReport() + "\n");
    EXPECT_EQ(snapshot(dir.path()), afterwards);
}

}  // namespace

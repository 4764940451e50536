// The plug-in's entry brings back what an interrupted import left renamed aside and says so.
#include "project/recovery_at_load.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "project/rename_journal.h"
#include "tests/common/child_process.h"
#include "tests/common/program_path.h"
#include "tests/project/import_fixture.h"
#include "tests/project/sample_project.h"

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
    recoverInterruptedImports();
    EXPECT_TRUE(host->reports().empty());
    EXPECT_TRUE(host->faults().calls().empty());

    leaveInterruptedImport();
    host->faults().fail("AEGP_ReportInfo", 1, -3);
    recoverInterruptedImports();
    EXPECT_EQ(snapshot(dir.path()), afterwards);
    EXPECT_TRUE(host->suites().outstanding().empty());
}

std::vector<std::string> linesStartingWith(const std::string& text, const std::string& prefix) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(prefix, 0) == 0) lines.push_back(line);
    return lines;
}

// The built module in the host: loading it restores, and the host's import command opens a project
// file into its composition, layers and keyframes.
TEST_F(RecoveryAtLoadTest, LoadingTheModuleInTheHostRestoresAndItsImportBuildsTheComposition) {
    leaveInterruptedImport();
    testkit::TempDir job;
    const std::string project = writeSampleProject(job.path());
    const auto jobBefore = snapshot(job.path());
    testkit::PipeSandbox pipes;
    const auto result = testkit::runProcess(
        testkit::programPath("skelda-host"),
        {"-e", "load " + testkit::besideTests("Skelda.aex"), "-e", "reports", "-e", "project new", "-e",
         "import " + project, "-e", "dump", "-e", "reports", "-e", "suites"});
    ASSERT_EQ(result.exitCode, 0) << result.output;
    const std::string& out = result.output;
    EXPECT_EQ(out.rfind("loaded \"Skelda\" entry=GPMain_Skelda result=0\n" + expectedReport() + "\n", 0), 0u)
        << out;
    EXPECT_EQ(snapshot(dir.path()), afterwards);

    EXPECT_NE(out.find("verify flavor=\"Skelda Project\" result=0 importable=1\n"), std::string::npos) << out;
    const auto imported = linesStartingWith(out, "import flavor=\"Skelda Project\" result=0 item=");
    ASSERT_EQ(imported.size(), 1u) << out;
    const std::string item = imported[0].substr(imported[0].rfind('=') + 1);
    const auto comps = linesStartingWith(out, "item id=" + item + " type=comp name=\"Sample\"");
    ASSERT_EQ(comps.size(), 1u) << out;
    EXPECT_NE(comps[0].find("width=160 height=120 fps=24 duration=24/24 pixel=1/1 selected=1"),
              std::string::npos)
        << comps[0];
    const auto layers = linesStartingWith(out, "layer id=");
    ASSERT_EQ(layers.size(), 2u) << out;
    // The overlay on top, placed and trimmed; the underlay its own 24 frames.
    EXPECT_NE(layers[0].find("in=1/24 duration=1/2 offset=1/12"), std::string::npos) << layers[0];
    EXPECT_NE(layers[1].find("in=0/24 duration=1/1 offset=0/1"), std::string::npos) << layers[1];
    // Keyframes follow the tracked motion on the overlay alone.
    EXPECT_FALSE(linesStartingWith(out, "key ").empty()) << out;
    const std::string overlayId = layers[0].substr(9, layers[0].find(' ', 9) - 9);
    for (const std::string& stream : linesStartingWith(out, "stream "))
        EXPECT_NE(stream.find("owner=" + overlayId), std::string::npos) << stream;
    EXPECT_NE(out.find("suites balanced\n"), std::string::npos) << out;
    EXPECT_EQ(snapshot(job.path()), jobBefore);
}

}  // namespace

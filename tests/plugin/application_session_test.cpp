// The plug-in in a simulated host with skelda-app serving over real pipes: the menu as the
// application's flags and the active footage change, and each command reaching the application.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "link/launcher.h"
#include "link/pipe.h"
#include "link/pipe_stream.h"
#include "plugin/command_table.h"
#include "tests/common/child_process.h"
#include "tests/common/fault_walk.h"
#include "tests/common/installation_sandbox.h"
#include "tests/common/program_path.h"
#include "tests/plugin/plugin_fixture.h"

namespace {

class ApplicationSessionTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        ASSERT_EQ(enter(), 0);
        host->model().newProject();
        root = host->model().rootFolder();
        comp = host->model().addComp("Comp 1", 640, 480, 30.0, {300, 30}, root);
    }
    void TearDown() override {
        if (app) {
            app->write("quit\n");
            app->wait();
        }
        PluginTest::TearDown();
    }
    void startApp(const std::vector<std::string>& args) {
        std::vector<std::string> all{"serve"};
        all.insert(all.end(), args.begin(), args.end());
        app = std::make_unique<testkit::ChildProcess>(testkit::programPath("skelda-app"), all);
        const auto ready = app->readLine();
        ASSERT_TRUE(ready && ready->rfind("serving ", 0) == 0) << ready.value_or("(nothing)");
    }
    // The application's answer to a line; the errors it prints in between (a reply to a menu
    // that had stopped waiting) are passed over.
    std::string say(const std::string& line) {
        app->write(line + "\n");
        for (;;) {
            const auto answer = app->readLine();
            if (!answer) return "(nothing)";
            if (answer->rfind("error ", 0) != 0) return *answer;
        }
    }
    std::vector<std::string> frames(const std::string& stem, int count, const char* extension = ".png") {
        std::vector<std::string> paths;
        for (int i = 0; i < count; ++i) {
            paths.push_back(files.file(stem + "_" + std::to_string(1000 + i) + extension));
            std::ofstream(paths.back()) << i;
        }
        return paths;
    }
    // "1" per enabled command, then the texts of commands 1 and 3.
    std::string menu() {
        EXPECT_EQ(host->updateMenus(), 0);
        std::string out;
        for (int i = 0; i < kCommandCount; ++i)
            out += host->menus().find(hostContext().commands[i])->enabled ? '1' : '0';
        return out + " " + host->menus().find(hostContext().commands[ApplicationCommand])->text + " / " +
               host->menus().find(hostContext().commands[OverlayCommand])->text;
    }
    // The menu once it shows `expected`, or as the last of a few openings: on a loaded machine
    // the application may answer after the menu's limit, which offers nothing for that opening
    // alone. Only a few: each question left behind still waits for the application's answer.
    std::string menuShowing(const std::string& expected) {
        std::string shown = menu();
        for (int opening = 1; opening < 5 && shown != expected; ++opening) shown = menu();
        return shown;
    }
    simhost::SimHost::CommandResult choose(CommandIndex index) {
        return host->runCommand(hostContext().commands[index]);
    }

    testkit::InstallationSandbox installation;
    testkit::TempDir files;
    std::unique_ptr<testkit::ChildProcess> app;
    int root = 0;
    int comp = 0;
};

TEST_F(ApplicationSessionTest, MenuFollowsTheApplicationAndTheActiveFootage) {
    const int sequence = host->model().addFootage("shot", frames("shot", 50), root);
    const int still = host->model().addFootage("still", frames("still", 1), root);
    const int movie = host->model().addFootage("movie", frames("movie", 1, ".avi"), root);
    host->model().activeItem = sequence;
    host->model().activeLayer = host->model().addLayer(comp, sequence, AEGP_ObjectType_AV);
    EXPECT_EQ(menu(), "000010 Launch Skelda / Upload as Overlay to Skelda");
    installation.install(testkit::programPath("skelda-app"));
    EXPECT_EQ(menu(), "100010 Launch Skelda / Upload as Overlay to Skelda");

    startApp({"--actions", "Underlay,Overlay,StillOverlay,Transformations,Project"});
    struct Case {
        int item;
        const char* actions;  // null: unchanged
        const char* menu;
    } cases[] = {
        {sequence, nullptr, "111111 Switch to Skelda / Upload as Live Overlay to Skelda"},
        {still, nullptr, "101111 Switch to Skelda / Upload as Still Overlay to Skelda"},
        {movie, nullptr, "100111 Switch to Skelda / Upload as Overlay to Skelda"},
        {sequence, "Underlay,StillOverlay,Transformations,Project",
         "110111 Switch to Skelda / Upload as Overlay to Skelda"},
        {sequence, "Overlay", "101010 Switch to Skelda / Upload as Live Overlay to Skelda"},
    };
    for (const Case& c : cases) {
        if (c.actions != nullptr) {
            EXPECT_EQ(say(std::string("actions ") + c.actions).rfind("actions ", 0), 0u);
        }
        host->model().activeItem = c.item;
        EXPECT_EQ(menuShowing(c.menu), c.menu) << c.item;
    }
    EXPECT_TRUE(host->reports().empty());
    EXPECT_TRUE(host->suites().outstanding().empty());
}

// The installed application is launched by the first command, after which the menu offers
// switching to it, and switching succeeds.
TEST_F(ApplicationSessionTest, LaunchThenSwitch) {
    installation.install(testkit::programPath("skelda-app"));
    EXPECT_EQ(menu().substr(0, 20), "100000 Launch Skelda");
    EXPECT_EQ(choose(ApplicationCommand).result, 0);
    // Its window may come before its pipe.
    ASSERT_TRUE(testkit::waitFor(
        [] { return isApplicationRunning() && ClientPipe(kApplicationPipeName).isAvailable(); }));
    EXPECT_EQ(menu().substr(0, 23), "100000 Switch to Skelda");
    EXPECT_EQ(choose(ApplicationCommand).result, 0);
    EXPECT_TRUE(host->reports().empty());
    // The launched application stops at an empty frame on its pipe.
    writeMessage(*openClientStream(kApplicationPipeName), "");
    EXPECT_TRUE(testkit::waitFor([] { return !isApplicationRunning(); }));
}

// An upload without footage selected is refused with the text the application would get for it
// (the texts for each state are the link tests'). Every host call of each upload failed in turn is
// reported with its code and sends nothing; the runs through arrive with their footage; every suite
// is released.
TEST_F(ApplicationSessionTest, UploadsArriveWithTheirFootageOrAreRefused) {
    startApp({"--actions", "Underlay,Overlay"});
    host->model().activeItem = comp;
    const auto refused = choose(OverlayCommand);
    EXPECT_TRUE(refused.handled);
    EXPECT_EQ(refused.result, 1);
    EXPECT_EQ(host->reports(), std::vector<std::string>{"Exception: active item is not a footage"});
    host->model().activeItem = host->model().addFootage("shot", frames("shot", 5), root);
    for (CommandIndex upload : {UnderlayCommand, OverlayCommand}) {
        host->reports().clear();
        host->faults().clearCalls();
        ASSERT_EQ(choose(upload).result, 0);
        EXPECT_TRUE(host->reports().empty());
        const auto points = testkit::failurePoints(host->faults().calls());
        ASSERT_FALSE(points.empty());
        for (const testkit::FailurePoint& point : points) {
            host->reports().clear();
            host->faults().fail(point.operation, point.k, -13);
            EXPECT_EQ(choose(upload).result, -13) << point.name();
            ASSERT_EQ(host->reports().size(), 1u) << point.name();
            EXPECT_EQ(host->reports()[0].rfind("Error while ", 0), 0u) << host->reports()[0];
            EXPECT_TRUE(host->suites().outstanding().empty()) << point.name();
            host->faults().clear();
        }
    }
    // The application says what arrives as it arrives, then lists the uploads up to "end".
    app->write("uploads\n");
    std::vector<std::string> listed;
    for (auto line = app->readLine(); line && *line != "end"; line = app->readLine())
        if (line->find('<') != std::string::npos) listed.push_back(*line);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].rfind("upload Underlay 5 frames <", 0), 0u) << listed[0];
    EXPECT_NE(listed[0].find("shot_1000.png"), std::string::npos) << listed[0];
    EXPECT_NE(listed[0].find("StartFrame=\"1000\""), std::string::npos) << listed[0];
    EXPECT_EQ(listed[1].rfind("upload Overlay 5 frames <", 0), 0u) << listed[1];
}

}  // namespace

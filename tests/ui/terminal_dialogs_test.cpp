#include "ui/terminal_dialogs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "support/file_system.h"
#include "tests/common/test_dirs.h"
#include "tests/common/test_files.h"

namespace {

using namespace std::chrono_literals;

int occurrences(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(TerminalProgress, RedrawsAtMostOncePerIntervalAndEndsWithTheLastText) {
    std::ostringstream out;
    auto now = std::chrono::steady_clock::time_point{};
    TerminalProgress progress(out, "Applying", "0 / 1000", 100ms, [&] { return now; });
    for (int step = 1; step < 1000; ++step) {
        now += 1ms;
        progress.show(std::to_string(step) + " / 1000");
    }
    progress.close();
    const std::string text = out.str();
    // Drawn at the start, every 100 ms of the 999 ms, and once more for the last text.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 11);
    EXPECT_EQ(text.find("\rApplying 0 / 1000"), 0u);
    EXPECT_NE(text.find("\rApplying 999 / 1000\x1b[K\n"), std::string::npos);
    progress.close();
    EXPECT_EQ(out.str(), text);
}

TEST(TerminalPath, AsksUntilAnExistingFileOrTheEndOfInput) {
    testkit::TempDir dir;
    const std::string file = dir.file("shot.skp");
    testkit::writeFile(file, "x");
    const auto acceptable = [](const std::string& path) { return isRegularFile(path); };
    struct Case {
        std::string input;
        std::string current;
        std::optional<std::string> answer;
        int refusals;
    };
    const Case cases[] = {
        {dir.file("missing") + "\n" + dir.path() + "\n" + file + "\n", "", file, 2},
        {"\n", file, file, 0},          // an empty line keeps the current path
        {"\r\n", "", std::nullopt, 1},  // nothing to keep, then the input ends
        {"", file, std::nullopt, 0},    // no line at all cancels
        {file + "\r\n", "", file, 0},   // a line from a Windows terminal
    };
    for (const Case& c : cases) {
        std::istringstream in(c.input);
        std::ostringstream out;
        EXPECT_EQ(askPathOnTerminal(in, out, "Transformations Source:", c.current, acceptable), c.answer)
            << c.input;
        const std::string text = out.str();
        EXPECT_EQ(occurrences(text, "Not an existing file"), c.refusals) << c.input;
        EXPECT_EQ(text.find("Transformations Source:" + (c.current.empty() ? "" : " [" + c.current + "]")),
                  0u);
    }
}

TEST(TerminalChoice, TakesANumberOrTheStartOfAnAnswerAndCancelsAtTheEnd) {
    const std::vector<std::string> answers = {"Replace", "Add", "Cancel"};
    const struct {
        const char* input;
        int chosen;
        int asked;  // how many times the question was put
    } cases[] = {
        {"1\n", 0, 1}, {"2\n", 1, 1},    {"r\n", 0, 1},   {"ADD\r\n", 1, 1},
        {"", 2, 1},    {"x\n4\n", 2, 3}, {"\nc\n", 2, 2}, {"replace it\n", 2, 2},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.input);
        std::ostringstream out;
        EXPECT_EQ(askChoiceOnTerminal(in, out, "Replace them?", answers), c.chosen) << c.input;
        const std::string shown = out.str();
        EXPECT_EQ(occurrences(shown, "Replace them?"), c.asked) << c.input;
        EXPECT_NE(shown.find("  2) Add\n"), std::string::npos);
    }
}

}  // namespace

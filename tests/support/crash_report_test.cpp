// The wording of crash reports: each piece of a line, and how long names are cut.
#include "support/crash_report.h"

#include <gtest/gtest.h>

#include <string>

#include "support/fault_guard.h"

namespace {

const std::string kAddress = sizeof(void*) == 4 ? "0023:00401234" : "0033:0000000000401234";
const std::uint16_t kCs = sizeof(void*) == 4 ? 0x23 : 0x33;

CodeLocation at(const std::string& module, const std::string& symbol, std::uint64_t offset,
                const std::string& file = "", unsigned line = 0, unsigned lineOffset = 0) {
    CodeLocation where;
    where.module = module;
    where.hasSymbol = !symbol.empty();
    where.symbol = symbol;
    where.symbolOffset = offset;
    where.hasLine = !file.empty();
    where.file = file;
    where.line = line;
    where.lineOffset = lineOffset;
    return where;
}

TEST(CrashReport, FaultLine) {
    struct Case {
        CodeLocation where;
        std::string tail;
    } cases[] = {
        {at("", "", 0), " in module <UNKNOWN> at " + kAddress},
        {at("Skelda", "", 0), " in module Skelda at " + kAddress},
        {at("Skelda", "Import", 0), " in module Skelda at " + kAddress + ", Import "},
        {at("Skelda", "Import", 18), " in module Skelda at " + kAddress + ", Import()+0018 byte(s)"},
        {at("Skelda", "Import", 18, "import.cpp", 42, 0),
         " in module Skelda at " + kAddress + ", Import()+0018 byte(s), import.cpp, line 0042"},
        {at("Skelda", "Import", 18, "import.cpp", 42, 3),
         " in module Skelda at " + kAddress + ", Import()+0018 byte(s), import.cpp, line 0042+0003 byte(s)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(detail::faultLine("host", "EXCEPTION_ACCESS_VIOLATION", kCs, 0x401234, c.where),
                  "host caused an EXCEPTION_ACCESS_VIOLATION" + c.tail);
}

TEST(CrashReport, StackLineByOptions) {
    const std::uint64_t parameters[4] = {1, 2, 0xAB, 0xFFFFFFFF};
    const std::string words = sizeof(void*) == 4 ? " (0x00000001 0x00000002 0x000000AB 0xFFFFFFFF)"
                                                 : " (0x0000000000000001 0x0000000000000002 "
                                                   "0x00000000000000AB 0x00000000FFFFFFFF)";
    const CodeLocation full = at("Skelda", "Import", 18, "import.cpp", 7, 2);
    struct Case {
        unsigned options;
        CodeLocation where;
        std::string text;
    } cases[] = {
        {kStackAll, full,
         kAddress + words + " Skelda, Import()+0018 byte(s), import.cpp, line 0007+0002 byte(s)"},
        {kStackAll, at("Skelda", "Import", 0), kAddress + words + " Skelda, Import"},
        {kStackAll, at("Skelda", "", 0, "import.cpp", 7), kAddress + words + " Skelda"},
        {kStackModule | kStackSymbol, full, kAddress + " Skelda, Import()+0018 byte(s)"},
        {kStackParameters, full, kAddress + words},
        {kStackSourceLine, full, kAddress + ", import.cpp, line 0007+0002 byte(s)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(detail::stackLine(c.options, kCs, 0x401234, parameters, c.where), c.text);
}

TEST(CrashReport, LongNamesAreCutAndEndTheLine) {
    const std::string longName(2000, 's');
    const std::string cut = detail::faultLine("host", "EXCEPTION_ACCESS_VIOLATION", kCs, 0x401234,
                                              at("Skelda", longName, 4, "file.cpp", 1));
    EXPECT_EQ(cut.size(), detail::kReportLineLimit);
    EXPECT_EQ(cut.find("()+"), std::string::npos);
    EXPECT_EQ(cut.find("file.cpp"), std::string::npos);

    const std::string longFile(2000, 'f');
    const std::uint64_t parameters[4] = {};
    const std::string line = detail::stackLine(kStackAll, kCs, 1, parameters, at("M", "F", 0, longFile, 3));
    EXPECT_EQ(line.size(), detail::kReportLineLimit);
    EXPECT_EQ(line.find(", line "), std::string::npos);
}

TEST(CrashReport, RegisterLines) {
    FaultRegisters r;
    r.ax = 1, r.bx = 2, r.cx = 3, r.dx = 4, r.si = 5, r.di = 6, r.bp = 7, r.sp = 8, r.ip = 9, r.flags = 0x246;
    r.cs = 0x23, r.ds = 0x2B, r.ss = 0x2B, r.es = 0x2B, r.fs = 0x53, r.gs = 0x2B;
    const std::string segments = "CS=0023   DS=002B  SS=002B  ES=002B   FS=0053  GS=002B";
    if (sizeof(void*) == 4)
        EXPECT_EQ(detail::registerLines(r),
                  "EAX=00000001  EBX=00000002  ECX=00000003  EDX=00000004  ESI=00000005\n"
                  "EDI=00000006  EBP=00000007  ESP=00000008  EIP=00000009  FLG=00000246\n" +
                      segments);
    else
        EXPECT_EQ(detail::registerLines(r),
                  "RAX=0000000000000001  RBX=0000000000000002  RCX=0000000000000003  RDX=0000000000000004  "
                  "RSI=0000000000000005\n"
                  "RDI=0000000000000006  RBP=0000000000000007  RSP=0000000000000008  RIP=0000000000000009  "
                  "FLG=00000246\n" +
                      segments);
}

TEST(CrashReport, FaultNames) {
    EXPECT_EQ(detail::faultName(0xC0000005), "EXCEPTION_ACCESS_VIOLATION");
    EXPECT_EQ(detail::faultName(0xE06D7363), "Microsoft C++ Exception");
    EXPECT_EQ(detail::faultName(0xC00000FD), "EXCEPTION_STACK_OVERFLOW");
    // A code outside the table takes the system's text for it.
    const std::string other = detail::faultName(0xC0000017);
    EXPECT_FALSE(other.empty());
    EXPECT_EQ(detail::faultTableName(0xC0000017), nullptr);
    EXPECT_EQ(detail::fileStem("C:\\Program Files\\Host\\host.exe"), "host");
    EXPECT_EQ(detail::fileStem("/usr/lib/skelda/Skelda.aex"), "Skelda");
}

}  // namespace

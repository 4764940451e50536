#pragma once

#include <cstdint>
#include <string>

// The text of a crash report, one piece per function: the fault line, the stack lines and the
// register lines. The platform's fault guard gathers the facts; the wording is the same everywhere.

// What the symbol engine knows about one code address.
struct CodeLocation {
    std::string module;  // file name without directory and extension; empty when no module holds it
    bool hasSymbol = false;
    std::string symbol;
    std::uint64_t symbolOffset = 0;
    bool hasLine = false;
    std::string file;
    unsigned line = 0;
    unsigned lineOffset = 0;
};

// The registers at a fault, as wide as the target's.
struct FaultRegisters {
    std::uint64_t ax = 0, bx = 0, cx = 0, dx = 0, si = 0, di = 0, bp = 0, sp = 0, ip = 0;
    std::uint32_t flags = 0;
    std::uint16_t cs = 0, ds = 0, ss = 0, es = 0, fs = 0, gs = 0;
};

// Option bits of a stack line; a report uses them all.
enum StackLineOptions : unsigned {
    kStackParameters = 1,
    kStackModule = 2,
    kStackSymbol = 4,
    kStackSourceLine = 8,
    kStackAll = 15,
};

namespace detail {

// Each line of a report fits a 1024-character work buffer.
constexpr std::size_t kReportLineLimit = 1023;

// The name of a fault code from the fixed table, or null for a code outside it.
const char* faultTableName(std::uint32_t code);

// A path's file name without directory (either separator) and extension.
std::string fileStem(const std::string& path);

// "<program> caused an <fault> in module <module>|<UNKNOWN> at CCCC:AAAAAAAA[, symbol...][, file, line...]"
std::string faultLine(const std::string& program, const std::string& faultName, std::uint16_t cs,
                      std::uint64_t address, const CodeLocation& where);

// "CCCC:AAAAAAAA[ (0x.. 0x.. 0x.. 0x..)][ module][, symbol...][, file, line...]" by `options`.
std::string stackLine(unsigned options, std::uint16_t cs, std::uint64_t pc,
                      const std::uint64_t (&parameters)[4], const CodeLocation& where);

// Three lines of registers, without a final line end.
std::string registerLines(const FaultRegisters& registers);

}  // namespace detail

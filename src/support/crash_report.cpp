#include "support/crash_report.h"

#include <algorithm>
#include <cinttypes>
#include <cstdarg>
#include <cstdio>

namespace detail {

namespace {

struct FaultName {
    std::uint32_t code;
    const char* name;
};

// Tried in this order.
const FaultName kFaultNames[] = {
    {0xC0000005, "EXCEPTION_ACCESS_VIOLATION"},
    {0x80000002, "EXCEPTION_DATATYPE_MISALIGNMENT"},
    {0x80000003, "EXCEPTION_BREAKPOINT"},
    {0x80000004, "EXCEPTION_SINGLE_STEP"},
    {0xC000008C, "EXCEPTION_ARRAY_BOUNDS_EXCEEDED"},
    {0xC000008D, "EXCEPTION_FLT_DENORMAL_OPERAND"},
    {0xC000008E, "EXCEPTION_FLT_DIVIDE_BY_ZERO"},
    {0xC000008F, "EXCEPTION_FLT_INEXACT_RESULT"},
    {0xC0000090, "EXCEPTION_FLT_INVALID_OPERATION"},
    {0xC0000091, "EXCEPTION_FLT_OVERFLOW"},
    {0xC0000092, "EXCEPTION_FLT_STACK_CHECK"},
    {0xC0000093, "EXCEPTION_FLT_UNDERFLOW"},
    {0xC0000094, "EXCEPTION_INT_DIVIDE_BY_ZERO"},
    {0xC0000095, "EXCEPTION_INT_OVERFLOW"},
    {0xC0000096, "EXCEPTION_PRIV_INSTRUCTION"},
    {0xC0000006, "EXCEPTION_IN_PAGE_ERROR"},
    {0xC000001D, "EXCEPTION_ILLEGAL_INSTRUCTION"},
    {0xC0000025, "EXCEPTION_NONCONTINUABLE_EXCEPTION"},
    {0xC00000FD, "EXCEPTION_STACK_OVERFLOW"},
    {0xC0000026, "EXCEPTION_INVALID_DISPOSITION"},
    {0x80000001, "EXCEPTION_GUARD_PAGE"},
    {0xC0000008, "EXCEPTION_INVALID_HANDLE"},
    {0xE06D7363, "Microsoft C++ Exception"},
};

constexpr int kAddressDigits = 2 * sizeof(void*);

// Sizes at which a symbol name or a file name no longer fits beside what the line holds.
constexpr std::size_t kSymbolRoom = 718;
constexpr std::size_t kFileRoom = 714;

std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* pattern, ...) {
    char buffer[kReportLineLimit + 1];
    va_list arguments;
    va_start(arguments, pattern);
    std::vsnprintf(buffer, sizeof buffer, pattern, arguments);
    va_end(arguments);
    return buffer;
}

void appendCut(std::string& line, const std::string& piece) {
    if (line.size() < kReportLineLimit) line.append(piece, 0, kReportLineLimit - line.size());
}

std::string address(std::uint16_t cs, std::uint64_t value) {
    return format("%04X:%0*" PRIX64, static_cast<unsigned>(cs), kAddressDigits, value);
}

// Appends ", symbol..." and returns false when the name had to be cut (the line then ends).
bool appendSymbol(std::string& line, const CodeLocation& where, const char* atStart) {
    const std::size_t before = line.size();
    line += ", ";
    if (where.symbol.size() > kSymbolRoom - std::min(before, kSymbolRoom)) {
        appendCut(line, where.symbol);
        return false;
    }
    if (where.symbolOffset == 0)
        line += format(atStart, where.symbol.c_str());
    else
        line += format("%s()+%04" PRIu64 " byte(s)", where.symbol.c_str(), where.symbolOffset);
    return true;
}

void appendSourceLine(std::string& line, const CodeLocation& where) {
    const std::size_t before = line.size();
    line += ", ";
    if (where.file.size() > kFileRoom - std::min(before, kFileRoom))
        appendCut(line, where.file);
    else if (where.lineOffset == 0)
        line += format("%s, line %04u", where.file.c_str(), where.line);
    else
        line += format("%s, line %04u+%04u byte(s)", where.file.c_str(), where.line, where.lineOffset);
}

}  // namespace

const char* faultTableName(std::uint32_t code) {
    for (const FaultName& entry : kFaultNames)
        if (entry.code == code) return entry.name;
    return nullptr;
}

std::string fileStem(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot != 0) name.erase(dot);
    return name;
}

std::string faultLine(const std::string& program, const std::string& faultName, std::uint16_t cs,
                      std::uint64_t faultAddress, const CodeLocation& where) {
    std::string line = program + " caused an " + faultName + " in module ";
    line += where.module.empty() ? "<UNKNOWN>" : where.module;
    line += " at " + address(cs, faultAddress);
    bool whole = true;
    if (where.hasSymbol) whole = appendSymbol(line, where, "%s ");
    if (whole && where.hasLine) appendSourceLine(line, where);
    if (line.size() > kReportLineLimit) line.resize(kReportLineLimit);
    return line;
}

std::string stackLine(unsigned options, std::uint16_t cs, std::uint64_t pc,
                      const std::uint64_t (&parameters)[4], const CodeLocation& where) {
    std::string line = address(cs, pc);
    if (options & kStackParameters)
        line += format(" (0x%0*" PRIX64 " 0x%0*" PRIX64 " 0x%0*" PRIX64 " 0x%0*" PRIX64 ")", kAddressDigits,
                       parameters[0], kAddressDigits, parameters[1], kAddressDigits, parameters[2],
                       kAddressDigits, parameters[3]);
    if (options & kStackModule) line += " " + where.module;
    bool whole = true;
    if (options & kStackSymbol) {
        if (!where.hasSymbol) return line;
        whole = appendSymbol(line, where, "%s");
    }
    if (whole && (options & kStackSourceLine) && where.hasLine) appendSourceLine(line, where);
    if (line.size() > kReportLineLimit) line.resize(kReportLineLimit);
    return line;
}

std::string registerLines(const FaultRegisters& r) {
    const unsigned cs = r.cs, ds = r.ds, ss = r.ss, es = r.es, fs = r.fs, gs = r.gs;
    const std::string segments =
        format("CS=%04X   DS=%04X  SS=%04X  ES=%04X   FS=%04X  GS=%04X", cs, ds, ss, es, fs, gs);
    if (sizeof(void*) == 4)
        return format(
                   "EAX=%08X  EBX=%08X  ECX=%08X  EDX=%08X  ESI=%08X\n"
                   "EDI=%08X  EBP=%08X  ESP=%08X  EIP=%08X  FLG=%08X\n",
                   static_cast<unsigned>(r.ax), static_cast<unsigned>(r.bx), static_cast<unsigned>(r.cx),
                   static_cast<unsigned>(r.dx), static_cast<unsigned>(r.si), static_cast<unsigned>(r.di),
                   static_cast<unsigned>(r.bp), static_cast<unsigned>(r.sp), static_cast<unsigned>(r.ip),
                   static_cast<unsigned>(r.flags)) +
               segments;
    return format("RAX=%016" PRIX64 "  RBX=%016" PRIX64 "  RCX=%016" PRIX64 "  RDX=%016" PRIX64
                  "  RSI=%016" PRIX64
                  "\n"
                  "RDI=%016" PRIX64 "  RBP=%016" PRIX64 "  RSP=%016" PRIX64 "  RIP=%016" PRIX64
                  "  FLG=%08X\n",
                  r.ax, r.bx, r.cx, r.dx, r.si, r.di, r.bp, r.sp, r.ip, static_cast<unsigned>(r.flags)) +
           segments;
}

}  // namespace detail

// The fault guard on Windows: a vectored exception handler that acts only on guarded threads and
// only on processor faults. It copies the exception record, the register context and the stack
// above the fault into storage set aside beforehand (it allocates nothing and takes no lock),
// then resumes the thread in a function that jumps back to the guard. The report is written
// after the jump, from the copies, with the debug-help library.
#include <windows.h>
// The debug-help declarations build on the base types.
#include <dbghelp.h>
#include <setjmp.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "support/crash_report.h"
#include "support/fault_guard.h"
#include "support/fault_guard_parts.h"

#if !defined(__i386__)
#error "The Windows fault guard walks 32-bit x86 stacks"
#endif

namespace {

constexpr std::size_t kSlotCount = 16;
constexpr std::size_t kStackCopySize = 256 * 1024;
constexpr DWORD kCppExceptionCode = 0xE06D7363;

// One guarded thread.
struct Slot {
    std::atomic<DWORD> owner{0};
    jmp_buf* jump = nullptr;
    volatile LONG handling = 0;
    EXCEPTION_RECORD record{};
    CONTEXT context{};
    char* stackCopy = nullptr;  // kStackCopySize bytes, owned by the guard
    DWORD stackCopyBase = 0;
    DWORD stackCopySize = 0;
};

Slot gSlots[kSlotCount];
std::mutex gInstallMutex;  // taken only outside the handler
int gActiveGuards = 0;
void* gHandler = nullptr;
std::mutex gSymbolMutex;  // the debug-help library serves one thread at a time

Slot* slotOfThisThread() {
    return detail::ownedSlot(gSlots, ::GetCurrentThreadId());
}

// Faults of the processor; everything else (C++ exceptions of other compilers, debugger
// events, the system's own signalling) passes untouched.
bool isProcessorFault(DWORD code) {
    switch (code) {
        case EXCEPTION_ACCESS_VIOLATION:
        case EXCEPTION_DATATYPE_MISALIGNMENT:
        case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        case EXCEPTION_FLT_DENORMAL_OPERAND:
        case EXCEPTION_FLT_DIVIDE_BY_ZERO:
        case EXCEPTION_FLT_INEXACT_RESULT:
        case EXCEPTION_FLT_INVALID_OPERATION:
        case EXCEPTION_FLT_OVERFLOW:
        case EXCEPTION_FLT_STACK_CHECK:
        case EXCEPTION_FLT_UNDERFLOW:
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
        case EXCEPTION_INT_OVERFLOW:
        case EXCEPTION_PRIV_INSTRUCTION:
        case EXCEPTION_IN_PAGE_ERROR:
        case EXCEPTION_ILLEGAL_INSTRUCTION:
        case EXCEPTION_STACK_OVERFLOW:
        case 0xC00002B4:  // multiple floating-point faults
        case 0xC00002B5:  // multiple floating-point traps
            return true;
        default:
            return false;
    }
}

// Where a faulting thread resumes: on its own stack, below the abandoned frames.
void __cdecl resumeAfterFault() {
    Slot* slot = slotOfThisThread();
    longjmp(*slot->jump, 1);
}

LONG CALLBACK onException(EXCEPTION_POINTERS* pointers) {
    const DWORD code = pointers->ExceptionRecord->ExceptionCode;
    if (!isProcessorFault(code)) return EXCEPTION_CONTINUE_SEARCH;
    Slot* slot = slotOfThisThread();
    if (!slot || !slot->jump || slot->handling) return EXCEPTION_CONTINUE_SEARCH;
    slot->handling = 1;
    std::memcpy(&slot->record, pointers->ExceptionRecord, sizeof slot->record);
    std::memcpy(&slot->context, pointers->ContextRecord, sizeof slot->context);
    // The walk reads the abandoned frames from this copy; the live stack is reused after the jump.
    DWORD top;
    asm("movl %%fs:4, %0" : "=r"(top));  // the thread's stack base from its information block
    const DWORD esp = pointers->ContextRecord->Esp;
    slot->stackCopyBase = esp;
    slot->stackCopySize = esp < top ? (top - esp < kStackCopySize ? top - esp : kStackCopySize) : 0;
    if (slot->stackCopy)
        std::memcpy(slot->stackCopy, reinterpret_cast<const void*>(esp), slot->stackCopySize);
    CONTEXT& resume = *pointers->ContextRecord;
    resume.Esp = ((esp - 256) & ~15u) - 4;  // room, alignment and a return-address slot
    resume.Eip = reinterpret_cast<DWORD>(&resumeAfterFault);
    return EXCEPTION_CONTINUE_EXECUTION;
}

std::string moduleFileName(HMODULE module) {
    char path[MAX_PATH];
    const DWORD n = ::GetModuleFileNameA(module, path, MAX_PATH);
    return std::string(path, n);
}

// Symbol engine, set up once per process: deferred loads, source lines, and the program's
// own directory on the search path.
void initialiseSymbols() {
    static bool initialised = false;
    if (initialised) return;
    initialised = true;
    const HANDLE process = ::GetCurrentProcess();
    ::SymSetOptions(::SymGetOptions() | SYMOPT_DEFERRED_LOADS | SYMOPT_LOAD_LINES);
    if (!::SymInitialize(process, nullptr, TRUE)) return;
    char searchPath[1024] = "";
    ::SymGetSearchPath(process, searchPath, sizeof searchPath);
    std::string path = searchPath;
    const std::string program = moduleFileName(nullptr);
    path += ";" + program.substr(0, program.find_last_of('\\'));
    ::SymSetSearchPath(process, path.c_str());
}

CodeLocation locate(DWORD address) {
    CodeLocation where;
    const HANDLE process = ::GetCurrentProcess();
    const DWORD base = ::SymGetModuleBase(process, address);
    if (base == 0) return where;
    where.module = detail::fileStem(moduleFileName(reinterpret_cast<HMODULE>(base)));
    union {
        IMAGEHLP_SYMBOL symbol;
        char bytes[sizeof(IMAGEHLP_SYMBOL) + 1024];
    } buffer{};
    buffer.symbol.SizeOfStruct = sizeof(IMAGEHLP_SYMBOL);
    buffer.symbol.MaxNameLength = 1024;
    DWORD displacement = 0;
    if (::SymGetSymFromAddr(process, address, &displacement, &buffer.symbol)) {
        where.hasSymbol = true;
        where.symbol = buffer.symbol.Name;
        where.symbolOffset = displacement;
    }
    IMAGEHLP_LINE line{};
    line.SizeOfStruct = sizeof line;
    DWORD lineDisplacement = 0;
    if (::SymGetLineFromAddr(process, address, &lineDisplacement, &line) && line.FileName) {
        where.hasLine = true;
        where.file = line.FileName;
        where.line = line.LineNumber;
        where.lineOffset = lineDisplacement;
    }
    return where;
}

// The stack copy the walk reads from, while one report is written.
const Slot* gWalkedCopy = nullptr;

BOOL CALLBACK readMemory(HANDLE process, DWORD address, PVOID buffer, DWORD size, PDWORD read) {
    if (gWalkedCopy && address >= gWalkedCopy->stackCopyBase &&
        address - gWalkedCopy->stackCopyBase + size <= gWalkedCopy->stackCopySize) {
        std::memcpy(buffer, gWalkedCopy->stackCopy + (address - gWalkedCopy->stackCopyBase), size);
        if (read) *read = size;
        return TRUE;
    }
    SIZE_T got = 0;
    const BOOL ok = ::ReadProcessMemory(process, reinterpret_cast<const void*>(address), buffer, size, &got);
    if (read) *read = static_cast<DWORD>(got);
    return ok;
}

std::string describe(const EXCEPTION_RECORD& record, const CONTEXT& faultContext, const Slot* copy) {
    std::lock_guard<std::mutex> lock(gSymbolMutex);
    initialiseSymbols();
    const WORD cs = static_cast<WORD>(faultContext.SegCs);
    const DWORD address = reinterpret_cast<DWORD>(record.ExceptionAddress);
    std::string report =
        detail::faultLine(detail::fileStem(moduleFileName(nullptr)), detail::faultName(record.ExceptionCode),
                          cs, address, locate(address)) +
        "\n";

    CONTEXT context = faultContext;
    STACKFRAME frame{};
    frame.AddrPC.Offset = context.Eip;
    frame.AddrPC.Mode = AddrModeFlat;
    frame.AddrStack.Offset = context.Esp;
    frame.AddrStack.Mode = AddrModeFlat;
    frame.AddrFrame.Offset = context.Ebp;
    frame.AddrFrame.Mode = AddrModeFlat;
    gWalkedCopy = copy;
    const HANDLE process = ::GetCurrentProcess();
    for (int depth = 0; depth < 256; ++depth) {
        if (!::StackWalk(IMAGE_FILE_MACHINE_I386, process, ::GetCurrentThread(), &frame, &context, readMemory,
                         ::SymFunctionTableAccess, ::SymGetModuleBase, nullptr))
            break;
        if (frame.AddrFrame.Offset == 0 || ::SymGetModuleBase(process, frame.AddrPC.Offset) == 0) break;
        const std::uint64_t parameters[4] = {frame.Params[0], frame.Params[1], frame.Params[2],
                                             frame.Params[3]};
        report +=
            detail::stackLine(kStackAll, cs, frame.AddrPC.Offset, parameters, locate(frame.AddrPC.Offset)) +
            "\n";
    }
    gWalkedCopy = nullptr;

    FaultRegisters registers;
    registers.ax = faultContext.Eax, registers.bx = faultContext.Ebx, registers.cx = faultContext.Ecx;
    registers.dx = faultContext.Edx, registers.si = faultContext.Esi;
    registers.di = faultContext.Edi, registers.bp = faultContext.Ebp, registers.sp = faultContext.Esp;
    registers.ip = faultContext.Eip, registers.flags = faultContext.EFlags;
    registers.cs = static_cast<std::uint16_t>(faultContext.SegCs);
    registers.ds = static_cast<std::uint16_t>(faultContext.SegDs);
    registers.ss = static_cast<std::uint16_t>(faultContext.SegSs);
    registers.es = static_cast<std::uint16_t>(faultContext.SegEs);
    registers.fs = static_cast<std::uint16_t>(faultContext.SegFs);
    registers.gs = static_cast<std::uint16_t>(faultContext.SegGs);
    report += detail::registerLines(registers) + "\n";
    detail::keepCrashReport(report);
    return report;
}

// Claims a slot for this thread and keeps the handler installed while any guard is active.
class GuardScope {
public:
    GuardScope() : claim_(gSlots, ::GetCurrentThreadId()) {
        if (!claim_.owns()) return;
        stackCopy_.reset(new char[kStackCopySize]);
        claim_.slot()->stackCopy = stackCopy_.get();
        std::lock_guard<std::mutex> lock(gInstallMutex);
        if (gActiveGuards++ == 0) gHandler = ::AddVectoredExceptionHandler(1, onException);
    }

    ~GuardScope() {
        if (!claim_.owns()) return;
        {
            std::lock_guard<std::mutex> lock(gInstallMutex);
            if (--gActiveGuards == 0 && gHandler) {
                ::RemoveVectoredExceptionHandler(gHandler);
                gHandler = nullptr;
            }
        }
        claim_.slot()->stackCopy = nullptr;
    }

    GuardScope(const GuardScope&) = delete;
    GuardScope& operator=(const GuardScope&) = delete;

    Slot* slot() const { return claim_.slot(); }

private:
    detail::SlotClaim<Slot> claim_;
    std::unique_ptr<char[]> stackCopy_;
};

// A report of an exception outside the standard hierarchy, from where it was caught.
std::string describeCaughtHere() {
    CONTEXT context{};
    context.ContextFlags = CONTEXT_FULL;
    ::RtlCaptureContext(&context);
    EXCEPTION_RECORD record{};
    record.ExceptionCode = kCppExceptionCode;
    record.ExceptionAddress = reinterpret_cast<void*>(context.Eip);
    return describe(record, context, nullptr);
}

// The jump target lives here, apart from the guard's set-up, so that nothing the set-up keeps in
// registers can be clobbered by the jump back.
__attribute__((noinline)) bool runFromJump(Slot* slot, const std::function<void()>& body, std::string& text) {
    jmp_buf jump;
    if (setjmp(jump) == 0) {
        if (slot) slot->jump = &jump;
        return detail::runCatching(body, text, describeCaughtHere);
    }
    // Back from a fault: whatever the body held on the abandoned frames stays as it was.
    text = describe(slot->record, slot->context, slot);
    slot->handling = 0;
    return false;
}

}  // namespace

namespace detail {

std::string systemFaultText(std::uint32_t code) {
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS,
        ::GetModuleHandleA("NTDLL.DLL"), code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string name = length && text ? std::string(text, length) : std::string();
    if (text) ::LocalFree(text);
    // Kept on the report's first line.
    while (!name.empty() && (name.back() == '\n' || name.back() == '\r' || name.back() == ' '))
        name.pop_back();
    return name;
}

bool guardBody(const std::function<void()>& body, std::string& text) {
    GuardScope scope;
    const bool returned = runFromJump(scope.slot(), body, text);
    if (scope.slot()) scope.slot()->jump = nullptr;
    return returned;
}

}  // namespace detail

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

#if !defined(__i386__) && !defined(__x86_64__)
#error "The Windows fault guard walks x86 and x64 stacks only"
#endif

namespace {

constexpr std::size_t kSlotCount = 16;
constexpr std::size_t kStackCopySize = 256 * 1024;
constexpr DWORD kCppExceptionCode = 0xE06D7363;

// The processor's registers by their role, for both register sets.
// The thread's stack base, from its information block (read directly: the header's accessor
// trips GCC 12's array-bounds check).
std::uintptr_t threadStackBase() {
    std::uintptr_t base;
#if defined(__x86_64__)
    asm("movq %%gs:8, %0" : "=r"(base));
#else
    asm("movl %%fs:4, %0" : "=r"(base));
#endif
    return base;
}

#if defined(__x86_64__)
constexpr DWORD kStackMachine = IMAGE_FILE_MACHINE_AMD64;
DWORD64& instructionPointer(CONTEXT& c) {
    return c.Rip;
}
DWORD64& stackPointer(CONTEXT& c) {
    return c.Rsp;
}
DWORD64 framePointer(const CONTEXT& c) {
    return c.Rbp;
}
#else
constexpr DWORD kStackMachine = IMAGE_FILE_MACHINE_I386;
DWORD& instructionPointer(CONTEXT& c) {
    return c.Eip;
}
DWORD& stackPointer(CONTEXT& c) {
    return c.Esp;
}
DWORD framePointer(const CONTEXT& c) {
    return c.Ebp;
}
#endif

// One guarded thread.
struct Slot {
    std::atomic<DWORD> owner{0};
    jmp_buf* jump = nullptr;
    volatile LONG handling = 0;
    EXCEPTION_RECORD record{};
    CONTEXT context{};
    char* stackCopy = nullptr;  // kStackCopySize bytes, owned by the guard
    std::uintptr_t stackCopyBase = 0;
    std::size_t stackCopySize = 0;
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

// Where a faulting thread resumes: on its own stack, below the abandoned frames. The jump
// restores the guard's registers without unwinding: on x64 the jump buffer is made without a
// frame (see runFromJump), so the runtime does not walk the abandoned frames.
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
    const std::uintptr_t top = threadStackBase();
    CONTEXT& resume = *pointers->ContextRecord;
    const std::uintptr_t sp = static_cast<std::uintptr_t>(stackPointer(resume));
    slot->stackCopyBase = sp;
    slot->stackCopySize = sp < top ? (top - sp < kStackCopySize ? top - sp : kStackCopySize) : 0;
    if (slot->stackCopy) std::memcpy(slot->stackCopy, reinterpret_cast<const void*>(sp), slot->stackCopySize);
    // Room, 16-byte alignment and a return-address slot, as a function finds its stack at entry.
    stackPointer(resume) = ((sp - 256) & ~std::uintptr_t{15}) - sizeof(void*);
    instructionPointer(resume) = reinterpret_cast<std::uintptr_t>(&resumeAfterFault);
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

CodeLocation locate(DWORD64 address) {
    CodeLocation where;
    const HANDLE process = ::GetCurrentProcess();
    const DWORD64 base = ::SymGetModuleBase64(process, address);
    if (base == 0) return where;
    where.module =
        detail::fileStem(moduleFileName(reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(base))));
    union {
        IMAGEHLP_SYMBOL64 symbol;
        char bytes[sizeof(IMAGEHLP_SYMBOL64) + 1024];
    } buffer{};
    buffer.symbol.SizeOfStruct = sizeof(IMAGEHLP_SYMBOL64);
    buffer.symbol.MaxNameLength = 1024;
    DWORD64 displacement = 0;
    if (::SymGetSymFromAddr64(process, address, &displacement, &buffer.symbol)) {
        where.hasSymbol = true;
        where.symbol = buffer.symbol.Name;
        where.symbolOffset = displacement;
    }
    IMAGEHLP_LINE64 line{};
    line.SizeOfStruct = sizeof line;
    DWORD lineDisplacement = 0;
    if (::SymGetLineFromAddr64(process, address, &lineDisplacement, &line) && line.FileName) {
        where.hasLine = true;
        where.file = line.FileName;
        where.line = line.LineNumber;
        where.lineOffset = lineDisplacement;
    }
    return where;
}

// The stack copy the walk reads from, while one report is written.
const Slot* gWalkedCopy = nullptr;

BOOL CALLBACK readMemory(HANDLE process, DWORD64 address, PVOID buffer, DWORD size, PDWORD read) {
    if (gWalkedCopy && address >= gWalkedCopy->stackCopyBase &&
        address - gWalkedCopy->stackCopyBase + size <= gWalkedCopy->stackCopySize) {
        std::memcpy(buffer, gWalkedCopy->stackCopy + (address - gWalkedCopy->stackCopyBase), size);
        if (read) *read = size;
        return TRUE;
    }
    SIZE_T got = 0;
    const BOOL ok = ::ReadProcessMemory(
        process, reinterpret_cast<const void*>(static_cast<std::uintptr_t>(address)), buffer, size, &got);
    if (read) *read = static_cast<DWORD>(got);
    return ok;
}

std::string describe(const EXCEPTION_RECORD& record, const CONTEXT& faultContext, const Slot* copy) {
    std::lock_guard<std::mutex> lock(gSymbolMutex);
    initialiseSymbols();
    const WORD cs = static_cast<WORD>(faultContext.SegCs);
    const DWORD64 address = reinterpret_cast<std::uintptr_t>(record.ExceptionAddress);
    std::string report =
        detail::faultLine(detail::fileStem(moduleFileName(nullptr)), detail::faultName(record.ExceptionCode),
                          cs, address, locate(address)) +
        "\n";

    CONTEXT context = faultContext;
    STACKFRAME64 frame{};
    frame.AddrPC.Offset = instructionPointer(context);
    frame.AddrPC.Mode = AddrModeFlat;
    frame.AddrStack.Offset = stackPointer(context);
    frame.AddrStack.Mode = AddrModeFlat;
    frame.AddrFrame.Offset = framePointer(context);
    frame.AddrFrame.Mode = AddrModeFlat;
    gWalkedCopy = copy;
    const HANDLE process = ::GetCurrentProcess();
    for (int depth = 0; depth < 256; ++depth) {
        if (!::StackWalk64(kStackMachine, process, ::GetCurrentThread(), &frame, &context, readMemory,
                           ::SymFunctionTableAccess64, ::SymGetModuleBase64, nullptr))
            break;
        // x64 frames are found through unwind data, so only x86 needs a frame pointer to go on.
        if ((kStackMachine == IMAGE_FILE_MACHINE_I386 && frame.AddrFrame.Offset == 0) ||
            frame.AddrPC.Offset == 0 || ::SymGetModuleBase64(process, frame.AddrPC.Offset) == 0)
            break;
        const std::uint64_t parameters[4] = {frame.Params[0], frame.Params[1], frame.Params[2],
                                             frame.Params[3]};
        report +=
            detail::stackLine(kStackAll, cs, frame.AddrPC.Offset, parameters, locate(frame.AddrPC.Offset)) +
            "\n";
    }
    gWalkedCopy = nullptr;

    FaultRegisters registers;
#if defined(__x86_64__)
    registers.ax = faultContext.Rax, registers.bx = faultContext.Rbx, registers.cx = faultContext.Rcx;
    registers.dx = faultContext.Rdx, registers.si = faultContext.Rsi;
    registers.di = faultContext.Rdi, registers.bp = faultContext.Rbp, registers.sp = faultContext.Rsp;
    registers.ip = faultContext.Rip, registers.flags = faultContext.EFlags;
#else
    registers.ax = faultContext.Eax, registers.bx = faultContext.Ebx, registers.cx = faultContext.Ecx;
    registers.dx = faultContext.Edx, registers.si = faultContext.Esi;
    registers.di = faultContext.Edi, registers.bp = faultContext.Ebp, registers.sp = faultContext.Esp;
    registers.ip = faultContext.Eip, registers.flags = faultContext.EFlags;
#endif
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
    record.ExceptionAddress = reinterpret_cast<void*>(instructionPointer(context));
    return describe(record, context, nullptr);
}

// The jump target lives here, apart from the guard's set-up, so that nothing the set-up keeps in
// registers can be clobbered by the jump back.
__attribute__((noinline)) bool runFromJump(Slot* slot, const std::function<void()>& body, std::string& text) {
    jmp_buf jump;
#if defined(__x86_64__)
    // No frame: the jump back restores registers only, instead of unwinding through frames that
    // the resumed fault left without a usable return address.
    if (_setjmp(jump, nullptr) == 0) {
#else
    if (setjmp(jump) == 0) {
#endif
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

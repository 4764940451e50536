// The fault guard on POSIX: signal handlers for processor faults that act only on guarded
// threads, an alternate signal stack so that a stack overflow is reported too, and recovery by
// siglongjmp. The handler only copies registers and return addresses into storage set aside
// beforehand: it allocates nothing and takes no lock. The report is written after the jump.
#include <dlfcn.h>
#include <pthread.h>
#include <setjmp.h>
#include <signal.h>
#include <ucontext.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <memory>
#include <mutex>

#include "support/crash_report.h"
#include "support/fault_guard.h"
#include "support/fault_guard_parts.h"

namespace {

constexpr int kFaultSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL};
constexpr std::size_t kSignalCount = sizeof kFaultSignals / sizeof kFaultSignals[0];
constexpr std::size_t kMaxFrames = 64;
constexpr std::size_t kSlotCount = 16;
constexpr std::size_t kAlternateStackSize = 64 * 1024;
constexpr std::uint32_t kCppExceptionCode = 0xE06D7363;

// Facts about one fault, gathered in the handler.
struct Capture {
    std::uint32_t code = 0;
    std::uint64_t address = 0;
    FaultRegisters registers;
    std::size_t frames = 0;
    std::uint64_t pcs[kMaxFrames] = {};
    std::uint64_t parameters[kMaxFrames][4] = {};
};

// One guarded thread.
struct Slot {
    std::atomic<unsigned long> owner{0};
    sigjmp_buf* jump = nullptr;
    std::uintptr_t stackLow = 0;
    std::uintptr_t stackHigh = 0;
    volatile sig_atomic_t handling = 0;
    Capture capture;
};

Slot gSlots[kSlotCount];
std::mutex gInstallMutex;  // taken only outside the handler
int gActiveGuards = 0;
struct sigaction gPrevious[kSignalCount];

unsigned long thisThread() {
    return static_cast<unsigned long>(::pthread_self());
}

Slot* slotOfThisThread() {
    return detail::ownedSlot(gSlots, thisThread());
}

std::uint32_t faultCode(int signal, const siginfo_t* info, const Slot& slot) {
    switch (signal) {
        case SIGSEGV: {
            // A fault just below the lowest stack page is the stack running out.
            const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
            if (address < slot.stackLow + 16 * 1024 && address + 256 * 1024 >= slot.stackLow)
                return 0xC00000FD;
            return 0xC0000005;
        }
        case SIGBUS:
            return info->si_code == BUS_ADRALN ? 0x80000002 : 0xC0000006;
        case SIGFPE:
            switch (info->si_code) {
                case FPE_INTDIV:
                    return 0xC0000094;
                case FPE_INTOVF:
                    return 0xC0000095;
                case FPE_FLTDIV:
                    return 0xC000008E;
                case FPE_FLTOVF:
                    return 0xC0000091;
                case FPE_FLTUND:
                    return 0xC0000093;
                case FPE_FLTRES:
                    return 0xC000008F;
                case FPE_FLTSUB:
                    return 0xC000008C;
                default:
                    return 0xC0000090;
            }
        case SIGILL:
            return info->si_code == ILL_PRVOPC || info->si_code == ILL_PRVREG ? 0xC0000096 : 0xC000001D;
        default:
            return 0xC0000005;
    }
}

void readRegisters(const ucontext_t* context, FaultRegisters& r) {
#if defined(__x86_64__)
    const greg_t* g = context->uc_mcontext.gregs;
    r.ax = g[REG_RAX], r.bx = g[REG_RBX], r.cx = g[REG_RCX], r.dx = g[REG_RDX];
    r.si = g[REG_RSI], r.di = g[REG_RDI], r.bp = g[REG_RBP], r.sp = g[REG_RSP], r.ip = g[REG_RIP];
    r.flags = static_cast<std::uint32_t>(g[REG_EFL]);
    const auto segments = static_cast<std::uint64_t>(g[REG_CSGSFS]);
    r.cs = segments & 0xFFFF, r.gs = (segments >> 16) & 0xFFFF, r.fs = (segments >> 32) & 0xFFFF;
    r.ss = (segments >> 48) & 0xFFFF;
#elif defined(__i386__)
    const greg_t* g = context->uc_mcontext.gregs;
    r.ax = g[REG_EAX], r.bx = g[REG_EBX], r.cx = g[REG_ECX], r.dx = g[REG_EDX];
    r.si = g[REG_ESI], r.di = g[REG_EDI], r.bp = g[REG_EBP], r.sp = g[REG_ESP], r.ip = g[REG_EIP];
    r.flags = g[REG_EFL];
    r.cs = g[REG_CS], r.ds = g[REG_DS], r.ss = g[REG_SS], r.es = g[REG_ES], r.fs = g[REG_FS],
    r.gs = g[REG_GS];
#else
    (void)context;
    (void)r;
#endif
}

// Whether `words` stack words from `address` lie inside the stack above the fault.
bool inStack(std::uintptr_t address, std::size_t words, const Capture& capture, const Slot& slot) {
    return address >= capture.registers.sp && address % sizeof(std::uintptr_t) == 0 &&
           address + words * sizeof(std::uintptr_t) <= slot.stackHigh;
}

// Stack words are read as they are, redzones of the address sanitizer included.
__attribute__((no_sanitize_address)) std::uintptr_t stackWord(std::uintptr_t address) {
    return *reinterpret_cast<const std::uintptr_t*>(address);
}

// The four words above a frame's return address: its first parameters where they are passed on
// the stack.
void readParameters(std::uintptr_t frame, std::uint64_t (&out)[4], const Capture& capture, const Slot& slot) {
    for (std::size_t k = 0; k < 4; ++k)
        out[k] =
            inStack(frame, 3 + k, capture, slot) ? stackWord(frame + (2 + k) * sizeof(std::uintptr_t)) : 0;
}

// Follows the frame-pointer chain on the live stack, reading only words inside it.
void walkFrames(Capture& capture, const Slot& slot) {
    std::uintptr_t frame = static_cast<std::uintptr_t>(capture.registers.bp);
    capture.pcs[0] = capture.address;
    readParameters(frame, capture.parameters[0], capture, slot);
    capture.frames = 1;
    while (capture.frames < kMaxFrames && inStack(frame, 2, capture, slot)) {
        const std::uintptr_t next = stackWord(frame);
        const std::uintptr_t returnAddress = stackWord(frame + sizeof(std::uintptr_t));
        if (returnAddress == 0) break;
        capture.pcs[capture.frames] = returnAddress;
        readParameters(next, capture.parameters[capture.frames], capture, slot);
        ++capture.frames;
        if (next <= frame) break;
        frame = next;
    }
}

void passOn(int signal, siginfo_t* info, void* context) {
    for (std::size_t i = 0; i < kSignalCount; ++i) {
        if (kFaultSignals[i] != signal) continue;
        const struct sigaction& previous = gPrevious[i];
        if (previous.sa_flags & SA_SIGINFO) {
            previous.sa_sigaction(signal, info, context);
        } else if (previous.sa_handler == SIG_DFL || previous.sa_handler == SIG_IGN) {
            // The faulting instruction runs again and meets the default action.
            struct sigaction fallback {};
            fallback.sa_handler = SIG_DFL;
            ::sigaction(signal, &fallback, nullptr);
        } else {
            previous.sa_handler(signal);
        }
    }
}

void onFault(int signal, siginfo_t* info, void* context) {
    Slot* slot = slotOfThisThread();
    if (!slot || !slot->jump || slot->handling) {
        passOn(signal, info, context);
        return;
    }
    slot->handling = 1;
    Capture& capture = slot->capture;
    capture = Capture();
    capture.code = faultCode(signal, info, *slot);
    readRegisters(static_cast<const ucontext_t*>(context), capture.registers);
    capture.address = capture.registers.ip;
    walkFrames(capture, *slot);
    ::siglongjmp(*slot->jump, 1);
}

std::string programName() {
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? detail::fileStem(std::string(path, static_cast<std::size_t>(n)))
                 : std::string("<UNKNOWN>");
}

CodeLocation locate(std::uint64_t pc) {
    CodeLocation where;
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(static_cast<std::uintptr_t>(pc)), &info) == 0 || !info.dli_fname)
        return where;
    where.module = detail::fileStem(info.dli_fname);
    if (info.dli_sname && info.dli_saddr) {
        where.hasSymbol = true;
        where.symbol = info.dli_sname;
        where.symbolOffset = pc - reinterpret_cast<std::uintptr_t>(info.dli_saddr);
    }
    return where;
}

std::string describe(const Capture& capture) {
    const std::uint16_t cs = capture.registers.cs;
    std::string report = detail::faultLine(programName(), detail::faultName(capture.code), cs,
                                           capture.address, locate(capture.address)) +
                         "\n";
    for (std::size_t i = 0; i < capture.frames; ++i) {
        const CodeLocation where = locate(capture.pcs[i]);
        if (where.module.empty()) break;
        report += detail::stackLine(kStackAll, cs, capture.pcs[i], capture.parameters[i], where) + "\n";
    }
    report += detail::registerLines(capture.registers) + "\n";
    detail::keepCrashReport(report);
    return report;
}

// Claims a slot for this thread, installs the handlers while any guard is active, and gives
// the thread an alternate signal stack; all undone on the way out.
class GuardScope {
public:
    GuardScope() : claim_(gSlots, thisThread()) {
        if (!claim_.owns()) return;
        Slot& slot = *claim_.slot();
        pthread_attr_t attributes;
        if (::pthread_getattr_np(::pthread_self(), &attributes) == 0) {
            void* base = nullptr;
            std::size_t size = 0;
            ::pthread_attr_getstack(&attributes, &base, &size);
            ::pthread_attr_destroy(&attributes);
            slot.stackLow = reinterpret_cast<std::uintptr_t>(base);
            slot.stackHigh = slot.stackLow + size;
        }
        alternateStack_.reset(new char[kAlternateStackSize]);
        stack_t stack{};
        stack.ss_sp = alternateStack_.get();
        stack.ss_size = kAlternateStackSize;
        ::sigaltstack(&stack, &previousStack_);
        std::lock_guard<std::mutex> lock(gInstallMutex);
        if (gActiveGuards++ == 0) install();
    }

    ~GuardScope() {
        if (!claim_.owns()) return;
        {
            std::lock_guard<std::mutex> lock(gInstallMutex);
            if (--gActiveGuards == 0) uninstall();
        }
        ::sigaltstack(&previousStack_, nullptr);
    }

    GuardScope(const GuardScope&) = delete;
    GuardScope& operator=(const GuardScope&) = delete;

    Slot* slot() const { return claim_.slot(); }

private:
    static void install() {
        struct sigaction action {};
        action.sa_sigaction = onFault;
        action.sa_flags = SA_SIGINFO | SA_ONSTACK;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < kSignalCount; ++i) ::sigaction(kFaultSignals[i], &action, &gPrevious[i]);
    }

    // Gives back the former handlers, unless someone replaced ours meanwhile.
    static void uninstall() {
        for (std::size_t i = 0; i < kSignalCount; ++i) {
            struct sigaction current {};
            ::sigaction(kFaultSignals[i], nullptr, &current);
            if ((current.sa_flags & SA_SIGINFO) && current.sa_sigaction == onFault)
                ::sigaction(kFaultSignals[i], &gPrevious[i], nullptr);
        }
    }

    detail::SlotClaim<Slot> claim_;
    std::unique_ptr<char[]> alternateStack_;
    stack_t previousStack_{};
};

// A report of an exception outside the standard hierarchy, from where it was caught.
std::string describeCaughtHere(const Slot* slot) {
    Capture capture;
    capture.code = kCppExceptionCode;
    ucontext_t context;
    if (::getcontext(&context) == 0) readRegisters(&context, capture.registers);
#if defined(__x86_64__) || defined(__i386__)
    // getcontext saves no segment registers.
    std::uint16_t cs = 0, ss = 0;
    asm("mov %%cs, %0\n\tmov %%ss, %1" : "=r"(cs), "=r"(ss));
    capture.registers.cs = cs, capture.registers.ss = ss;
    capture.registers.gs = capture.registers.fs = 0;
#endif
    capture.address = capture.registers.ip;
    if (slot) walkFrames(capture, *slot);
    return describe(capture);
}

// The jump target lives here, apart from the guard's set-up, so that nothing the set-up keeps in
// registers can be clobbered by the jump back.
__attribute__((noinline)) bool runFromJump(Slot* slot, const std::function<void()>& body, std::string& text) {
    sigjmp_buf jump;
    if (sigsetjmp(jump, 1) == 0) {
        if (slot) slot->jump = &jump;
        return detail::runCatching(body, text, [slot] { return describeCaughtHere(slot); });
    }
    // Back from a fault: whatever the body held on the abandoned frames stays as it was.
    text = describe(slot->capture);
    slot->handling = 0;
    return false;
}

}  // namespace

namespace detail {

std::string systemFaultText(std::uint32_t) {
    return std::string();
}

bool guardBody(const std::function<void()>& body, std::string& text) {
    GuardScope scope;
    const bool returned = runFromJump(scope.slot(), body, text);
    if (scope.slot()) scope.slot()->jump = nullptr;
    return returned;
}

}  // namespace detail

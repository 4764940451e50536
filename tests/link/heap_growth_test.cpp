// An overlong length word is refused before the server allocates anything for it. The heap is
// measured by counting what operator new hands out (replaced here for the whole test program).
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "common/test_dirs.h"
#include "link/link_test_kit.h"

namespace {

std::atomic<long long> gLive{0};
std::atomic<long long> gPeak{0};
constexpr std::size_t kHeader = 16;

void count(long long delta) {
    const long long live = gLive += delta;
    long long peak = gPeak.load();
    while (live > peak && !gPeak.compare_exchange_weak(peak, live)) {
    }
}

void* allocate(std::size_t size) {
    void* block = std::malloc(size + kHeader);
    if (!block) throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = size;
    count(static_cast<long long>(size));
    return static_cast<char*>(block) + kHeader;
}

void release(void* pointer) noexcept {
    if (!pointer) return;
    char* block = static_cast<char*>(pointer) - kHeader;
    count(-static_cast<long long>(*reinterpret_cast<std::size_t*>(block)));
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void operator delete(void* pointer) noexcept {
    release(pointer);
}
void operator delete[](void* pointer) noexcept {
    release(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    release(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    release(pointer);
}

using namespace linktest;

namespace {

TEST(HeapGrowth, OverlongLengthsAreRefusedWithoutGrowingTheHeap) {
    testkit::PipeSandbox sandbox;
    const std::string name = sandbox.pipeName("heap");
    TestServer server(name);
    ask(name, messageBytes(MessageType::PossibleActions));  // settles what serving allocates once
    std::size_t reported = 0;
    for (std::uint32_t length : {0xFFFFFFFFu, kMaxMessageSize + 1}) {
        const std::string bytes = frame(length, "<Message type=\"Overlay\"/>");
        auto stream = openClientStream(name);
        const long long before = gLive.load();
        gPeak = before;
        stream->writeAll(bytes.data(), bytes.size(), "test write");
        ASSERT_TRUE(testkit::waitFor([&] { return server.errors().size() > reported; }));
        reported = server.errors().size();
        EXPECT_LT(gPeak.load() - before, 8 * 1024) << "length " << length;
        EXPECT_NE(server.errors().back().find("exceeds the limit"), std::string::npos);
    }
    EXPECT_NO_THROW(readActions(ask(name, messageBytes(MessageType::PossibleActions))));
}

}  // namespace

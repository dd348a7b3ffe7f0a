// A checking heap for the program's test build: a freed block is filled with a pattern and held back from
// reuse, so a dangling read meets the pattern (a pointer made of it faults) and a write into it is found when
// it leaves quarantine or the program returns; a finding goes to the debugger output and ends it with code 3.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr unsigned char kFreed = 0xDD, kGuard = 0xFD;
constexpr std::uint32_t kLive = 0x4C495645, kDead = 0x44454144;   // "LIVE", "DEAD"
constexpr std::size_t kGuardBytes = 8, kQuarantineBlocks = 1 << 16, kQuarantineBytes = 64u << 20;

struct alignas(16) Header { std::size_t size; std::uint32_t state; };

Header* quarantine[kQuarantineBlocks];
std::size_t head = 0, count = 0, heldBytes = 0;
SRWLOCK lock = SRWLOCK_INIT;

unsigned char* userBytes(Header* h) { return reinterpret_cast<unsigned char*>(h + 1); }

[[noreturn]] void fail(const char* what, std::size_t size) {
    char line[160];
    std::snprintf(line, sizeof line, "Brontal32 checked heap: %s (a %u-byte block)\n", what,
                  static_cast<unsigned>(size));
    OutputDebugStringA(line);
    TerminateProcess(GetCurrentProcess(), 3);
    for (;;) Sleep(INFINITE);
}

void checkFreed(Header* h) {
    if (h->state != kDead) fail("freed block header overwritten", h->size);
    const unsigned char* p = userBytes(h);
    for (std::size_t i = 0; i < h->size; ++i)
        if (p[i] != kFreed) fail("write into freed memory", h->size);
}

void* allocate(std::size_t size) {
    auto* h = static_cast<Header*>(HeapAlloc(GetProcessHeap(), 0, sizeof(Header) + size + kGuardBytes));
    if (!h) throw std::bad_alloc();
    h->size = size;
    h->state = kLive;
    std::memset(userBytes(h) + size, kGuard, kGuardBytes);
    return userBytes(h);
}

void release(void* p) {
    if (!p) return;
    Header* h = static_cast<Header*>(p) - 1;
    if (h->state != kLive) fail(h->state == kDead ? "block freed twice" : "block freed that was not allocated here",
                                h->size);
    for (std::size_t i = 0; i < kGuardBytes; ++i)
        if (userBytes(h)[h->size + i] != kGuard) fail("write past the end of a block", h->size);
    h->state = kDead;
    std::memset(userBytes(h), kFreed, h->size);
    AcquireSRWLockExclusive(&lock);
    quarantine[(head + count++) % kQuarantineBlocks] = h;
    heldBytes += h->size;
    while (count == kQuarantineBlocks || heldBytes > kQuarantineBytes) {
        Header* oldest = quarantine[head];
        head = (head + 1) % kQuarantineBlocks;
        --count;
        heldBytes -= oldest->size;
        checkFreed(oldest);
        HeapFree(GetProcessHeap(), 0, oldest);
    }
    ReleaseSRWLockExclusive(&lock);
}

// What is still held back is checked when the program returns from its entry point.
void checkAllAtExit() {
    for (std::size_t i = 0; i < count; ++i) checkFreed(quarantine[(head + i) % kQuarantineBlocks]);
}

const bool registered = std::atexit(checkAllAtExit) == 0;

} // namespace

// The library's other forms of new and delete all come down to these two.
void* operator new(std::size_t size) { return allocate(size); }
void operator delete(void* p) noexcept { release(p); }

// Plain-mode evaluation of numeric code allocates nothing per node: no node, word call, variable
// read or user-defined word call may reach the heap once the code is compiled and has run once
// (the first run may grow the context's frame and call stacks).
//
// Allocations are counted by replacing the allocator of this test program while a flag is set:
// the C allocation functions where the program may replace them (which catches operator new,
// texts and nodes alike), and the global operator new and delete (all but the aligned forms)
// under the address sanitizer, which keeps the C functions to itself.

#include "tests/runtime/TestSupport.h"

#include "runtime/Engine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};

void CountAllocation() noexcept {
    if (g_counting.load(std::memory_order_relaxed)) {
        g_allocations.fetch_add(1, std::memory_order_relaxed);
    }
}

} // namespace

#if defined(__SANITIZE_ADDRESS__)
#define ZENTARO_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZENTARO_ADDRESS_SANITIZER 1
#endif
#endif

#if defined(ZENTARO_ADDRESS_SANITIZER)

// These replacements pair malloc with free by construction; gcc cannot see that a pointer freed
// here came from the malloc in operator new and warns as if it were mismatched.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    CountAllocation();
    if (void* memory = std::malloc(size ? size : 1)) {
        return memory;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    CountAllocation();
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}

#else

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* memory, std::size_t size);
void __libc_free(void* memory);

void* malloc(std::size_t size) {
    CountAllocation();
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
    CountAllocation();
    return __libc_calloc(count, size);
}
void* realloc(void* memory, std::size_t size) {
    CountAllocation();
    return __libc_realloc(memory, size);
}
void free(void* memory) {
    __libc_free(memory);
}
}

#endif

namespace vex::test {
namespace {

struct TAllocationRow {
    const char* Case;
    const char* Definitions; // run once before the code is compiled; "" for none
    const char* Code;
    double Expected;
};

// Allocations during one evaluation of compiled code that has run once before.
long AllocationsOfSecondRun(TTestContext& context, TCompiledCode* code, double& result) {
    TText text;
    context.Evaluate(code, text);
    g_allocations = 0;
    g_counting = true;
    result = context.Evaluate(code, text);
    g_counting = false;
    return g_allocations;
}

TEST(AllocationTest, PlainEvaluationOfNumericCodeAllocatesNothing) {
    const TAllocationRow rows[] = {
        {"a loop over number locals", "",
         "Do(LocalNumber([k],[s]),k:=0,s:=0,While(k<1000,Do(s:=s+k*2-1,k:=k+1)),s)", 998000},
        {"a loop over a number global", "", "Do(Global([g],0),g:=0,While(g<500,g:=g+1),g)", 500},
        {"a user-defined word called in a loop", "Define([Twice],[Arg(1)*2],1,1,[help])",
         "Do(LocalNumber([k],[s]),While(k<300,Do(s:=s+Twice(k),k:=k+1)),s)", 89700},
        {"user-defined words with long names calling each other",
         "Do(Define([DoubleTheValueGivenFirst],[Arg(1)*2],1,1,[help]),"
         "Define([AddOneToTheDoubledValue],[DoubleTheValueGivenFirst(Arg(1))+1],1,1,[help]))",
         "Do(LocalNumber([k],[s]),While(k<200,Do(s:=s+AddOneToTheDoubledValue(k),k:=k+1)),s)",
         40000},
    };
    for (const TAllocationRow& row : rows) {
        TFakeHost host;
        TTestContext context(host);
        if (*row.Definitions) {
            TText ignored;
            context.ExecuteText(row.Definitions, ignored);
        }
        TCompiledCode* code = context.Compile(row.Code);
        ASSERT_NE(code, nullptr) << row.Case;
        double result = 0;
        EXPECT_EQ(AllocationsOfSecondRun(context, code, result), 0) << row.Case;
        EXPECT_EQ(result, row.Expected) << row.Case;
        EXPECT_TRUE(context.Errors.empty()) << row.Case << ": " << context.Errors.front();
        context.ReleaseCode(code);
    }
}

} // namespace
} // namespace vex::test

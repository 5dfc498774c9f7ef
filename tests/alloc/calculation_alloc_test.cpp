// The whole calculation of a declaration allocates nothing. This executable replaces the C
// allocator (which operator new also goes through) with a counting one that forwards to glibc's,
// so calls from the calculation library and the C++ runtime are counted alike.
#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "../data/fixtures/form100_declarations.h"
#include "../data/fixtures/form714_declarations.h"
#include "data/calc/form100_calculation.h"
#include "data/calc/form714_calculation.h"

#if defined(__SANITIZE_ADDRESS__)
#define QX_COUNT_ALLOCATIONS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QX_COUNT_ALLOCATIONS 0
#endif
#endif
#ifndef QX_COUNT_ALLOCATIONS
#define QX_COUNT_ALLOCATIONS 1
#endif

namespace {
bool g_counting = false;
std::size_t g_allocations = 0;
}  // namespace

#if QX_COUNT_ALLOCATIONS
extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void __libc_free(void*);

void* malloc(std::size_t n) {
  if (g_counting) ++g_allocations;
  return __libc_malloc(n);
}
void* calloc(std::size_t n, std::size_t size) {
  if (g_counting) ++g_allocations;
  return __libc_calloc(n, size);
}
void* realloc(void* p, std::size_t n) {
  if (g_counting) ++g_allocations;
  return __libc_realloc(p, n);
}
void free(void* p) { __libc_free(p); }
}
#endif

namespace {

template <class Calculate>
std::size_t AllocationsOf(Calculate calculate) {
  g_allocations = 0;
  g_counting = true;
  calculate();
  g_counting = false;
  return g_allocations;
}

TEST(CalculationAllocations, CounterSeesAllocations) {
  if (!QX_COUNT_ALLOCATIONS) GTEST_SKIP() << "the sanitizer owns the allocator";
  EXPECT_GE(AllocationsOf([] { delete new std::vector<int>(100); }), 1u);
}

TEST(CalculationAllocations, WholeForm100CalculationAllocatesNothing) {
  if (!QX_COUNT_ALLOCATIONS) GTEST_SKIP() << "the sanitizer owns the allocator";
  for (auto make : {&fixture::SalariedWorker, &fixture::MarriedCoupleJoint, &fixture::ModulesSelfEmployed}) {
    const fixture::Declaration decl = make();
    std::vector<unsigned char> block = fixture::BlockOf(decl, f100::kBlockSize);
    Form100CalcContext ctx;
    ctx.shownMember = f100::kDeclarant;
    EXPECT_EQ(AllocationsOf([&] { CalculateForm100(block.data(), ctx); }), 0u) << decl.name;
  }
}

TEST(CalculationAllocations, WholeForm714CalculationAllocatesNothing) {
  if (!QX_COUNT_ALLOCATIONS) GTEST_SKIP() << "the sanitizer owns the allocator";
  for (auto make : {&fixture::Wealth714Single, &fixture::Wealth714LimitAndCredit}) {
    const fixture::Declaration decl = make();
    std::vector<unsigned char> block = fixture::BlockOf(decl, f714::kBlockSize);
    EXPECT_EQ(AllocationsOf([&] { CalculateForm714(block.data(), 1, Form714CalcContext{}); }), 0u) << decl.name;
  }
}

}  // namespace

#pragma once
// Our own assert for the core's internal invariants (program counter and
// stack pointers inside their tables, token kinds, table sizes). It stays
// active in the fuzz and sanitizer builds whatever the build type, so the
// fuzzers trip on a broken invariant instead of reading past a table; a
// release build compiles it away like assert.
//
// Never use it in place of a check the language defines: a learner's program
// gets its message ("Stacküberlauf!", "Interner Fehler"), not an abort. It
// belongs after such checks, where only a fault of ours can reach.
#include <cstdio>
#include <cstdlib>

#if defined(ZELK_CHECKED) || !defined(NDEBUG)
#define ZELK_ASSERT(cond)                                                                  \
    ((cond) ? static_cast<void>(0) : ::zelk_assert_failed(#cond, __FILE__, __LINE__))
#else
#define ZELK_ASSERT(cond) static_cast<void>(0)
#endif

[[noreturn]] inline void zelk_assert_failed(const char* cond, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: Zusicherung verletzt: %s\n", file, line, cond);
    std::abort();
}

// A case whose precondition outside the project (a display server, a compiled locale) is missing.
#pragma once
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

namespace testsupport {

inline bool in_ci() { return std::getenv("CI") != nullptr && std::strcmp(std::getenv("CI"), "true") == 0; }

}  // namespace testsupport

// Skips the case on a developer's machine that lacks what it needs; fails it in CI (CI=true), where a case that
// does not run would let a fault through unnoticed.
#define TELVORIN_PRECONDITION(condition, reason)                                \
    do {                                                                        \
        if (!(condition)) {                                                     \
            if (testsupport::in_ci())                                           \
                FAIL() << "precondition missing, a failure in CI: " << reason; \
            GTEST_SKIP() << reason;                                             \
        }                                                                       \
    } while (false)

// The headless host in force: scoped hosts install themselves and put back the one before, also when nested.
#include <gtest/gtest.h>

#include "tests/support/headless_host.h"

namespace {

TEST(ScopedHeadlessHostTest, NestedScopesPutBackTheHostBeforeEach) {
  Host* const before = &host();
  {
    ScopedHeadlessHost outer;
    EXPECT_EQ(&host(), &*outer);
    {
      ScopedHeadlessHost inner;
      EXPECT_EQ(&host(), &*inner);
    }
    EXPECT_EQ(&host(), &*outer);
  }
  // Leaving the outer scope must not leave its (now destroyed) host in force.
  EXPECT_EQ(&host(), before);
}

}  // namespace

#include <gtest/gtest.h>
#include "state/random.h"
TEST(Random, InUnitInterval) { chu::Random r(1); for (int i = 0; i < 1000; ++i) { double v = r.next(); EXPECT_GE(v, 0); EXPECT_LT(v, 1); } }

#include <utility>

#include <gtest/gtest.h>

#include "engine/variant.h"
#include "tests/support/values.h"

namespace velmor {
namespace {

// Values share an array until one is changed; the change stays in that value, at any depth.
TEST(Variant, CopiesShareAnArrayUntilOneIsChanged) {
    Variant a = test::matrix(2, 2, {1, 2, 3, 4});
    Variant b = a;
    EXPECT_EQ(&std::as_const(a).array(), &std::as_const(b).array());
    b.array().at(1, 1) = 9;
    EXPECT_EQ(std::as_const(a).array().at(1, 1).number(), 1);
    EXPECT_EQ(std::as_const(b).array().at(1, 1).number(), 9);

    Variant outer = Array::vector(1, 1);
    outer.array().at(1) = a;
    Variant copy = outer;
    copy.array().at(1).array().at(2, 2) = 0;
    EXPECT_EQ(std::as_const(outer).array().at(1).array().at(2, 2).number(), 4);
    EXPECT_EQ(std::as_const(a).array().at(2, 2).number(), 4);
}

} // namespace
} // namespace velmor

#include "tessik/Region.h"

#include <gtest/gtest.h>
#include <limits>

#include "tessik/Error.h"

using tessik::RegionX;
using tessik::VectorX;

namespace {

struct ContainsCase {
    const char* why;
    RegionX inner;
    bool contained;
};

TEST(RegionX, ContainsOnlyRegionsOfSameAxisCountInsideEveryEdge) {
    const RegionX image = RegionX::createFullRegion({4, 3});
    constexpr auto kMax = std::numeric_limits<std::uint64_t>::max();
    const ContainsCase cases[] = {
        {"the whole image", RegionX({0, 0}, {4, 3}), true},
        {"top-left pixel", RegionX({0, 0}, {1, 1}), true},
        {"bottom-right pixel", RegionX({3, 2}, {1, 1}), true},
        {"empty region at the far corner", RegionX({4, 3}, {0, 0}), true},
        {"one column past the right edge", RegionX({3, 0}, {2, 1}), false},
        {"one row past the bottom edge", RegionX({0, 2}, {1, 2}), false},
        {"origin outside", RegionX({4, 0}, {1, 1}), false},
        {"end wraps around", RegionX({2, 0}, {kMax, 1}), false},
        {"one axis fewer", RegionX({0}, {1}), false},
        {"one axis more", RegionX({0, 0, 0}, {1, 1, 1}), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(image.contains(c.inner), c.contained) << c.why;
}

TEST(RegionX, CountsElementsAndComparesByOriginAndSize) {
    EXPECT_EQ(RegionX({1, 2}, {3, 5}).elementCount(), 15u);
    EXPECT_EQ(RegionX(2).elementCount(), 0u);
    EXPECT_NE(RegionX({0, 0}, {4, 4}), RegionX({0, 1}, {4, 4}));
    EXPECT_EQ(RegionX::createFullRegion({4, 4}), RegionX({0, 0}, {4, 4}));
}

TEST(RegionX, RefusesOriginAndSizeOfDifferentAxisCounts) {
    EXPECT_THROW(RegionX({0, 0}, {1}), tessik::InvalidArgument);
}

TEST(VectorX, ArithmeticIsEntryByEntry) {
    const VectorX a{6, 9}, b{1, 2};
    EXPECT_EQ(a + b, (VectorX{7, 11}));
    EXPECT_EQ(a - b, (VectorX{5, 7}));
    EXPECT_EQ(a / 2, (VectorX{3, 4}));
    EXPECT_EQ(VectorX::createUniform(3, 1), (VectorX{1, 1, 1}));
    EXPECT_THROW(a + VectorX{1}, tessik::InvalidArgument);
    EXPECT_THROW(a / 0, tessik::InvalidArgument);
}

}  // namespace

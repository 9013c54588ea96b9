#include "velmar/OptionMap.h"

#include <gtest/gtest.h>

#include "ExpectThrow.h"
#include "tessik/Error.h"

namespace {

TEST(OptionMap, ReturnsEachValueInItsKind) {
    velmar::OptionMap options;
    options.set("lossless", false).set("method", 4).set("quality", 75.5).set("name", "x");
    EXPECT_TRUE(options.has("method"));
    EXPECT_FALSE(options.has("Method"));
    EXPECT_FALSE(options.getBool("lossless"));
    EXPECT_EQ(options.getInt("method"), 4);
    EXPECT_DOUBLE_EQ(options.getFloat("quality"), 75.5);
    EXPECT_DOUBLE_EQ(options.getFloat("method"), 4.0);  // an integer is a float too
    EXPECT_EQ(options.getString("name"), "x");
}

TEST(OptionMap, RefusesMissingKeysAndOtherKinds) {
    velmar::OptionMap options;
    options.set("quality", 75.5).set("lossless", true);
    EXPECT_THROW_EXACT(options.getInt("missing"), tessik::Error, "Option missing not found");
    EXPECT_THROW_EXACT(options.getInt("quality"), tessik::Error,
                       "Option quality holds a float value, not a integer");
    EXPECT_THROW_EXACT(options.getFloat("lossless"), tessik::Error,
                       "Option lossless holds a bool value, not a float");
}

}  // namespace

#include "velmar/PluginVersion.h"

#include <gtest/gtest.h>
#include <type_traits>

#include "ExpectThrow.h"
#include "tessik/Error.h"

namespace {

TEST(PluginVersion, ParsesThreeDecimalComponents) {
    const velmar::PluginVersion version("2.2.0");
    EXPECT_EQ(version.major(), 2u);
    EXPECT_EQ(version.minor(), 2u);
    EXPECT_EQ(version.patch(), 0u);
    EXPECT_EQ(version.toString(), "2.2.0");
    EXPECT_LT(velmar::PluginVersion("1.9.9"), velmar::PluginVersion("1.10.0"));
    static_assert(std::is_trivially_destructible_v<velmar::PluginVersion>);
}

TEST(PluginVersion, RefusesMalformedText) {
    const char* refused[] = {"",      "2",     "2.2",    "2.2.0.1", "2..0",
                             "a.b.c", "2.2.x", " 2.2.0", "-1.0.0"};
    for (const char* text : refused) {
        EXPECT_THROW_EXACT(velmar::PluginVersion{text}, tessik::InvalidArgument,
                           std::string("Invalid plugin version: ") + text);
    }
}

}  // namespace

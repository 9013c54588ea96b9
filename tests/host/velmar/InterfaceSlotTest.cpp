// Plugins are built apart from the host: the interfaces keep their virtual operations in
// a fixed order.
#include <gtest/gtest.h>

#include "VirtualSlot.h"
#include "velmar/ExtractorPlugin.h"
#include "velmar/ProtocolPlugin.h"
#include "velmar/WriterPlugin.h"

using velmar::test::virtualSlot;

namespace {

TEST(InterfaceSlots, FormatPluginsKeepTheirSlots) {
    EXPECT_EQ(virtualSlot(&velmar::Plugin::apiVersion), 1);
    EXPECT_EQ(virtualSlot(&velmar::Plugin::name), 2);
    EXPECT_EQ(virtualSlot(&velmar::Plugin::version), 3);
    EXPECT_EQ(virtualSlot(&velmar::Plugin::setLogLevel), 4);
    EXPECT_EQ(virtualSlot(&velmar::FormatPlugin::formats), 5);
    EXPECT_EQ(virtualSlot(&velmar::FormatPlugin::extensions), 6);

    using E = velmar::ExtractorPlugin;
    using Result = std::shared_ptr<tessik::ImageView>;
    using O = const velmar::OptionMap&;
    using F = const std::string&;
    EXPECT_EQ(virtualSlot(static_cast<Result (E::*)(std::shared_ptr<tessik::RandomAccess>, F, O)>(
                  &E::createExtractor)),
              7);
    EXPECT_EQ(virtualSlot(static_cast<Result (E::*)(std::shared_ptr<tessik::StreamAccess>, F, O)>(
                  &E::createExtractor)),
              8);
    EXPECT_EQ(virtualSlot(static_cast<Result (E::*)(F, F, O)>(&E::createExtractor)), 9);

    using W = velmar::WriterPlugin;
    using Made = std::shared_ptr<tessik::Writer>;
    using V = std::shared_ptr<tessik::View>;
    EXPECT_EQ(virtualSlot(static_cast<Made (W::*)(V, std::shared_ptr<tessik::StreamAccess>, F, O)>(
                  &W::createWriter)),
              7);
    EXPECT_EQ(virtualSlot(static_cast<Made (W::*)(V, F, F, O)>(&W::createWriter)), 8);
}

TEST(InterfaceSlots, ProtocolPluginKeepsItsSlots) {
    using P = velmar::ProtocolPlugin;
    EXPECT_EQ(virtualSlot(&P::schemes), 5);
    EXPECT_EQ(virtualSlot(&P::exists), 6);
    EXPECT_EQ(virtualSlot(&P::openRead), 7);
    EXPECT_EQ(virtualSlot(&P::openWrite), 8);
    EXPECT_EQ(virtualSlot(&P::list), 9);
    EXPECT_EQ(virtualSlot(&P::addCredentials), 10);
}

}  // namespace

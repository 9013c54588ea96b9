// The data model's interfaces keep their virtual operations in a fixed order, which
// plugins built separately rely on.
#include <gtest/gtest.h>

#include "VirtualSlot.h"
#include "tessik/ImageView.h"
#include "tessik/MultiImageView.h"
#include "tessik/RandomAccess.h"
#include "tessik/StreamAccess.h"
#include "tessik/ViewOriginExtension.h"
#include "tessik/Writer.h"

using velmar::test::virtualSlot;

namespace {

TEST(InterfaceSlots, ImageViewKeepsSlotsOneToSeventeen) {
    using V = tessik::ImageView;
    EXPECT_EQ(virtualSlot(&tessik::View::extension), 1);
    EXPECT_EQ(virtualSlot(&V::capabilities), 2);
    EXPECT_EQ(virtualSlot(&V::shape), 3);
    EXPECT_EQ(virtualSlot(&V::dataType), 4);
    EXPECT_EQ(virtualSlot(&V::properties), 5);
    EXPECT_EQ(virtualSlot(&V::metadata), 6);
    EXPECT_EQ(virtualSlot(&V::read), 7);
    EXPECT_EQ(virtualSlot(&V::readRegion), 8);
    EXPECT_EQ(virtualSlot(&V::setProperties), 9);
    EXPECT_EQ(virtualSlot(&V::setMetadata), 10);
    EXPECT_EQ(virtualSlot(&V::write), 11);
    EXPECT_EQ(virtualSlot(&V::writeRegion), 12);
    EXPECT_EQ(virtualSlot(&V::reshape), 13);
    EXPECT_EQ(virtualSlot(&V::indexer), 14);
    EXPECT_EQ(virtualSlot(&V::buffer), 15);
    EXPECT_EQ(virtualSlot(&V::bufferReadOnly), 16);
    EXPECT_EQ(virtualSlot(&V::bufferSize), 17);
}

TEST(InterfaceSlots, MultiImageViewWriterAndOriginKeepTheirSlots) {
    EXPECT_EQ(virtualSlot(&tessik::MultiImageView::capabilities), 2);
    using W = tessik::Writer;
    EXPECT_EQ(virtualSlot(&W::write), 1);
    EXPECT_EQ(virtualSlot(&W::writeInit), 2);
    EXPECT_EQ(virtualSlot(&W::writeData), 3);
    EXPECT_EQ(virtualSlot(&W::finish), 4);
    EXPECT_EQ(virtualSlot(&W::pluginName), 5);
    EXPECT_EQ(virtualSlot(&W::pluginVersion), 6);
    EXPECT_EQ(virtualSlot(&W::setOption), 7);
    using O = tessik::ViewOriginExtension;
    EXPECT_EQ(virtualSlot(&O::uid), 1);
    EXPECT_EQ(virtualSlot(&O::parentCount), 2);
    EXPECT_EQ(virtualSlot(&O::parent), 3);
    EXPECT_EQ(virtualSlot(&O::kind), 4);
    EXPECT_EQ(virtualSlot(&O::description), 5);
}

TEST(InterfaceSlots, StreamAccessKeepsReadWriteTellSeekWhereExpected) {
    using S = tessik::StreamAccess;
    EXPECT_EQ(virtualSlot(&S::isEof), 5);
    EXPECT_EQ(virtualSlot(&S::read), 7);
    EXPECT_EQ(virtualSlot(&S::write), 9);
    EXPECT_EQ(virtualSlot(&S::tell), 11);
    EXPECT_EQ(virtualSlot(&S::seek), 12);
}

}  // namespace

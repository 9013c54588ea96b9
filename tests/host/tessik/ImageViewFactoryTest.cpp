#include "tessik/ImageViewFactory.h"

#include <gtest/gtest.h>
#include <numeric>
#include <vector>

#include "ExpectThrow.h"
#include "tessik/Error.h"

using tessik::DataType;
using tessik::DataTypeId;
using tessik::ImageViewFactory;
using tessik::RegionX;
using tessik::VectorX;

namespace {

// A packed image whose byte at offset i is i: each sample tells where it came from.
struct Counting {
    Counting(VectorX shape, DataTypeId type)
        : samples(shape.product() * DataType(type).byteCount()) {
        std::iota(samples.begin(), samples.end(), std::uint8_t{0});
        view = ImageViewFactory::fromBuffer(shape, DataType(type), samples.data(), samples.size());
    }
    std::vector<std::uint8_t> samples;
    std::shared_ptr<tessik::ImageView> view;
};

std::vector<std::uint8_t> readAll(tessik::ImageView& view) {
    std::vector<std::uint8_t> out(view.byteCount());
    view.readRegion(RegionX::createFullRegion(view.shape()), out.data());
    return out;
}

TEST(ImageViewFactory, FromBufferReadsRegionsOutOfTheCallersBytes) {
    Counting image({4, 3}, DataTypeId::UINT8X2);
    std::vector<std::uint8_t> out(2 * 2 * 2);
    image.view->readRegion(RegionX({1, 1}, {2, 2}), out.data());
    // Row 1 starts at byte 8, row 2 at byte 16; pixel x=1 is 2 bytes in.
    EXPECT_EQ(out, (std::vector<std::uint8_t>{10, 11, 12, 13, 18, 19, 20, 21}));
    image.samples[0] = 99;  // not copied
    std::uint8_t pixel[2];
    image.view->read({0, 0}, pixel);
    EXPECT_EQ(pixel[0], 99);
}

TEST(ImageViewFactory, RefusesABufferTooSmallAndRegionsOutside) {
    std::vector<std::uint8_t> bytes(11);
    EXPECT_THROW(
        ImageViewFactory::fromBuffer({4, 3}, DataType(DataTypeId::UINT8), bytes.data(), 11),
        tessik::InvalidArgument);
    Counting image({4, 3}, DataTypeId::UINT8);
    std::uint8_t sink[16];
    EXPECT_THROW_EXACT(image.view->readRegion(RegionX({3, 0}, {2, 1}), sink),
                       tessik::InvalidArgument, "Required region out of image bounds");
    EXPECT_THROW_EXACT(image.view->readRegion(RegionX({0}, {1}), sink), tessik::InvalidArgument,
                       "Required region out of image bounds");
}

TEST(ImageViewFactory, AllocateIsZeroFilledAndWritable) {
    auto view = ImageViewFactory::allocate({3, 2}, DataType(DataTypeId::UINT8X3));
    EXPECT_EQ(view->bufferSize(), 18u);
    EXPECT_EQ(readAll(*view), std::vector<std::uint8_t>(18, 0));
    const std::uint8_t pixel[3] = {1, 2, 3};
    view->write({2, 1}, pixel);
    const auto* samples = static_cast<const std::uint8_t*>(view->bufferReadOnly());
    EXPECT_EQ(samples[15], 1);
    EXPECT_EQ(samples[17], 3);
}

TEST(ImageViewFactory, CopyInMemoryOwnsItsSamplesAndKeepsProperties) {
    Counting image({5, 3}, DataTypeId::UINT8X3);
    auto properties = tessik::ImageProperties::fromDataType(DataType(DataTypeId::UINT8X3));
    properties->imageInfo().setInterpretation(tessik::ImageInterpretation::RGB);
    image.view->setProperties(properties);
    auto copy = ImageViewFactory::copyInMemory(image.view);
    image.samples.assign(image.samples.size(), 0);
    Counting fresh({5, 3}, DataTypeId::UINT8X3);
    EXPECT_EQ(readAll(*copy), fresh.samples);
    EXPECT_EQ(copy->properties()->imageInfo().interpretation(), tessik::ImageInterpretation::RGB);
    EXPECT_NE(copy->bufferReadOnly(), image.samples.data());
}

TEST(ImageViewFactory, ExtractChannelPicksOneElementOfEveryPixel) {
    struct Case {
        DataTypeId type;
        std::uint32_t channel;
        std::vector<std::uint8_t> expected;  // 3 x 1 image
    } cases[] = {
        {DataTypeId::UINT8X2, 0, {0, 2, 4}},
        {DataTypeId::UINT8X2, 1, {1, 3, 5}},
        {DataTypeId::UINT8X4, 3, {3, 7, 11}},
        {DataTypeId::UINT8X4, 1, {1, 5, 9}},
    };
    for (const auto& c : cases) {
        Counting image({3, 1}, c.type);
        auto channel = ImageViewFactory::extractChannel(image.view, c.channel);
        EXPECT_EQ(channel->dataType(), DataType(DataTypeId::UINT8));
        EXPECT_EQ(readAll(*channel), c.expected) << "channel " << c.channel;
    }
    Counting grey({3, 1}, DataTypeId::UINT8X2);
    EXPECT_THROW(ImageViewFactory::extractChannel(grey.view, 2), tessik::InvalidArgument);
}

TEST(ImageViewFactory, SubSampleRoundsOddSizesUp) {
    Counting image({5, 3}, DataTypeId::UINT8);
    auto half = ImageViewFactory::subSample(image.view, 2);
    EXPECT_EQ(half->shape(), (VectorX{3, 2}));
    // Pixels (0,0) (2,0) (4,0) (0,2) (2,2) (4,2) of a 5-wide image.
    EXPECT_EQ(readAll(*half), (std::vector<std::uint8_t>{0, 2, 4, 10, 12, 14}));
    std::uint8_t corner = 0;
    half->read({2, 1}, &corner);
    EXPECT_EQ(corner, 14);
    Counting single({1, 1}, DataTypeId::UINT8);
    EXPECT_EQ(ImageViewFactory::subSample(single.view, 2)->shape(), (VectorX{1, 1}));
}

TEST(ImageViewFactory, AssembleChannelsFoldsTheChannelAxisIntoThePixel) {
    Counting image({2, 2, 3}, DataTypeId::UINT8);  // three planes of four samples
    auto properties = tessik::ImageProperties::fromDataType(DataType(DataTypeId::UINT8));
    properties->imageInfo().setAxesInterpretation(tessik::ImageTypeId::IMAGE_CHANNELS);
    image.view->setProperties(properties);
    auto assembled = ImageViewFactory::assembleChannels(image.view);
    EXPECT_EQ(assembled->shape(), (VectorX{2, 2}));
    EXPECT_EQ(assembled->dataType(), DataType(DataTypeId::UINT8X3));
    EXPECT_EQ(readAll(*assembled),
              (std::vector<std::uint8_t>{0, 4, 8, 1, 5, 9, 2, 6, 10, 3, 7, 11}));
    std::uint8_t pixel[3];
    assembled->read({1, 1}, pixel);
    EXPECT_EQ(pixel[2], 11);

    Counting volume({2, 2, 3}, DataTypeId::UINT8);  // axes IMAGE: no channel axis
    EXPECT_THROW(ImageViewFactory::assembleChannels(volume.view), tessik::InvalidArgument);
}

class TwoImages final : public tessik::MultiImageView {
public:
    std::shared_ptr<tessik::Extension> extension(std::uint64_t) const override {
        throw tessik::Error("none");
    }
    tessik::FlagSet<tessik::MultiImageCapability> capabilities() const override {
        return tessik::MultiImageCapability::READ;
    }
    std::uint64_t imageCount() const override { return 2; }
    std::shared_ptr<tessik::ImageView> image(std::uint64_t index) const override {
        return index == 0 ? first.view : second.view;
    }
    Counting first{{2, 1}, DataTypeId::UINT8};
    Counting second{{2, 1}, DataTypeId::UINT8};
};

TEST(ImageViewFactory, StackPutsImagesAlongANewLastAxis) {
    auto images = std::make_shared<TwoImages>();
    images->second.samples = {7, 8};
    auto stacked = ImageViewFactory::stack(images);
    EXPECT_EQ(stacked->shape(), (VectorX{2, 1, 2}));
    EXPECT_EQ(readAll(*stacked), (std::vector<std::uint8_t>{0, 1, 7, 8}));
}

TEST(ImageViewProvider, ToImageGivesNullForOtherViews) {
    std::shared_ptr<tessik::View> stack = std::make_shared<TwoImages>();
    EXPECT_EQ(tessik::ImageViewProvider::toImage(stack), nullptr);
    Counting image({1, 1}, DataTypeId::UINT8);
    EXPECT_EQ(tessik::ImageViewProvider::toImage(image.view), image.view);
}

}  // namespace

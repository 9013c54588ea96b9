#include "ImagePreparation.h"

#include <gtest/gtest.h>

#include "ExpectThrow.h"
#include "tessik/Error.h"
#include "tessik/ImageViewFactory.h"

using velmar::common::prepareImage;
using velmar::common::prepareImageOrStack;

namespace {

std::shared_ptr<tessik::ImageView> image(tessik::VectorX shape,
                                         std::vector<tessik::ImageDimension> axes) {
    auto view =
        tessik::ImageViewFactory::allocate(shape, tessik::DataType(tessik::DataTypeId::UINT8));
    auto properties = tessik::ImageProperties::fromDataType(view->dataType());
    properties->imageInfo().setAxesInterpretation(tessik::ImageType(std::move(axes)));
    view->setProperties(properties);
    return view;
}

using D = tessik::ImageDimension;

TEST(PrepareImage, PassesATwoDimensionalImageUnchanged) {
    const auto grey = image({3, 2}, {D::WIDTH, D::HEIGHT});
    EXPECT_EQ(prepareImage(grey), grey);
    EXPECT_EQ(prepareImageOrStack(grey), grey);
}

TEST(PrepareImage, AssemblesTheChannelAxisOfAnyOtherDimensionCount) {
    struct Case {
        tessik::VectorX shape;
        std::vector<D> axes;
        tessik::VectorX prepared;
        std::uint32_t elements;
    } cases[] = {
        {{3, 2, 4}, {D::WIDTH, D::HEIGHT, D::CHANNEL}, {3, 2}, 4},
        {{3}, {D::CHANNEL}, {}, 3},  // 1-D: one pixel
        {{3, 2, 3, 2}, {D::WIDTH, D::HEIGHT, D::CHANNEL, D::DEPTH}, {3, 2, 2}, 3},  // 4-D
    };
    for (const auto& c : cases) {
        const auto prepared = prepareImage(image(c.shape, c.axes));
        EXPECT_EQ(prepared->shape(), c.prepared);
        EXPECT_EQ(prepared->dataType().elementCount(), c.elements);
    }
}

TEST(PrepareImage, RefusesWhatCannotBeEncoded) {
    EXPECT_THROW_EXACT(prepareImage(image({3, 2, 2}, {D::WIDTH, D::HEIGHT, D::DEPTH})),
                       tessik::Error, "Unsupported image dimension");
    EXPECT_THROW_EXACT(prepareImage(image({3}, {D::WIDTH})), tessik::Error,
                       "Unsupported image dimension");
    EXPECT_THROW_EXACT(prepareImage(nullptr), tessik::Error, "Unsupported view type");
    EXPECT_THROW_EXACT(prepareImageOrStack(nullptr), tessik::Error, "Unsupported view type");
}

class Stack final : public tessik::MultiImageView {
public:
    explicit Stack(bool readable) : m_readable(readable) {}
    std::shared_ptr<tessik::Extension> extension(std::uint64_t) const override {
        throw tessik::Error("none");
    }
    tessik::FlagSet<tessik::MultiImageCapability> capabilities() const override {
        return m_readable ? tessik::MultiImageCapability::READ
                          : tessik::FlagSet<tessik::MultiImageCapability>();
    }
    std::uint64_t imageCount() const override { return 2; }
    std::shared_ptr<tessik::ImageView> image(std::uint64_t) const override { return m_image; }

private:
    bool m_readable;
    std::shared_ptr<tessik::ImageView> m_image =
        tessik::ImageViewFactory::allocate({2, 2}, tessik::DataType(tessik::DataTypeId::UINT8));
};

TEST(PrepareImageOrStack, StacksAReadableMultiImageView) {
    EXPECT_EQ(prepareImageOrStack(std::make_shared<Stack>(true))->shape(),
              (tessik::VectorX{2, 2, 2}));
    EXPECT_THROW_EXACT(prepareImageOrStack(std::make_shared<Stack>(false)), tessik::Error,
                       "Impossible to read the stack");
    EXPECT_THROW_EXACT(prepareImage(std::make_shared<Stack>(true)), tessik::Error,
                       "Unsupported view type");
}

}  // namespace

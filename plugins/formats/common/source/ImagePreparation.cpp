#include "ImagePreparation.h"

#include "tessik/Error.h"
#include "tessik/ImageViewFactory.h"
#include "tessik/MultiImageView.h"

namespace velmar::common {

namespace {
void requireReadable(const tessik::ImageView& image) {
    if (!image.capabilities().has(tessik::ImageCapability::READ)) {
        throw tessik::Error("Image is not readable");
    }
}
}  // namespace

std::shared_ptr<tessik::ImageView> prepareImage(std::shared_ptr<tessik::View> view) {
    auto image = tessik::ImageViewProvider::toImage(view);
    if (!image)
        throw tessik::Error("Unsupported view type");
    requireReadable(*image);
    if (image->dimensionCount() == 2)
        return image;
    const auto properties = image->properties();
    if (!properties ||
        !properties->imageInfo().axesInterpretation().has(tessik::ImageDimension::CHANNEL)) {
        throw tessik::Error("Unsupported image dimension");
    }
    return tessik::ImageViewFactory::assembleChannels(image);
}

std::shared_ptr<tessik::ImageView> prepareImageOrStack(std::shared_ptr<tessik::View> view) {
    auto image = tessik::ImageViewProvider::toImage(view);
    if (!image) {
        auto stack = std::dynamic_pointer_cast<tessik::MultiImageView>(view);
        if (!stack)
            throw tessik::Error("Unsupported view type");
        if (!stack->capabilities().has(tessik::MultiImageCapability::READ)) {
            throw tessik::Error("Impossible to read the stack");
        }
        image = tessik::ImageViewFactory::stack(stack);
    }
    requireReadable(*image);
    return image;
}

}  // namespace velmar::common

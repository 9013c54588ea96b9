#include "tessik/ImageViewFactory.h"

#include "DerivedImageViews.h"
#include "MemoryImageView.h"
#include "tessik/Error.h"

namespace tessik {

std::shared_ptr<ImageView> ImageViewFactory::fromBuffer(const VectorX& shape,
                                                        const DataType& dataType, void* data,
                                                        std::uint64_t size) {
    return std::make_shared<detail::MemoryImageView>(shape, dataType, data, size);
}

std::shared_ptr<ImageView> ImageViewFactory::allocate(const VectorX& shape,
                                                      const DataType& dataType) {
    return std::make_shared<detail::MemoryImageView>(shape, dataType);
}

std::shared_ptr<ImageView> ImageViewFactory::copyInMemory(const std::shared_ptr<ImageView>& view) {
    if (!view)
        throw InvalidArgument("Source view cannot be null");
    auto copy = std::make_shared<detail::MemoryImageView>(view->shape(), view->dataType());
    view->readRegion(RegionX::createFullRegion(view->shape()), copy->buffer());
    if (auto properties = view->properties()) {
        copy->setProperties(std::make_shared<ImageProperties>(*properties));
    }
    if (auto metadata = view->metadata())
        copy->setMetadata(metadata);
    return copy;
}

std::shared_ptr<ImageView> ImageViewFactory::extractChannel(const std::shared_ptr<ImageView>& view,
                                                            std::uint32_t index) {
    return detail::makeChannelView(view, index);
}

std::shared_ptr<ImageView> ImageViewFactory::subSample(const std::shared_ptr<ImageView>& view,
                                                       std::uint64_t factor) {
    return detail::makeSubSampledView(view, factor);
}

std::shared_ptr<ImageView> ImageViewFactory::assembleChannels(
    const std::shared_ptr<ImageView>& view) {
    return detail::makeAssembledView(view);
}

std::shared_ptr<ImageView> ImageViewFactory::stack(const std::shared_ptr<MultiImageView>& stack) {
    return detail::makeStackedView(stack);
}

std::shared_ptr<ImageView> ImageViewProvider::toImage(const std::shared_ptr<View>& view) {
    return std::dynamic_pointer_cast<ImageView>(view);
}

}  // namespace tessik

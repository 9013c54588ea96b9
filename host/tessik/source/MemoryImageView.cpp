#include "MemoryImageView.h"

#include <fmt/format.h>
#include <limits>

#include "tessik/Error.h"

namespace tessik::detail {

std::uint64_t requiredBytes(const VectorX& shape, const DataType& dataType) {
    if (dataType.byteCount() == 0) {
        throw InvalidArgument(fmt::format("Data type {} has no size", dataType.toString()));
    }
    std::uint64_t bytes = dataType.byteCount();
    for (std::uint64_t extent : shape) {
        if (extent != 0 && bytes > std::numeric_limits<std::uint64_t>::max() / extent) {
            throw InvalidArgument("Image too large");
        }
        bytes *= extent;
    }
    return bytes;
}

namespace {
std::shared_ptr<MetadataNode> emptyRoot() {
    return MetadataNodeFactory::create("root", nullptr);
}
}  // namespace

MemoryImageView::MemoryImageView(const VectorX& shape, const DataType& dataType, void* data,
                                 std::uint64_t size)
    : m_shape(shape),
      m_dataType(dataType),
      m_properties(ImageProperties::fromDataType(dataType)),
      m_metadata(emptyRoot()),
      m_data(data),
      m_size(size) {
    const std::uint64_t needed = requiredBytes(shape, dataType);
    if (size < needed || (data == nullptr && needed != 0)) {
        throw InvalidArgument(
            fmt::format("Buffer of {} bytes cannot hold an image of {} bytes", size, needed));
    }
}

MemoryImageView::MemoryImageView(const VectorX& shape, const DataType& dataType)
    : m_shape(shape),
      m_dataType(dataType),
      m_properties(ImageProperties::fromDataType(dataType)),
      m_metadata(emptyRoot()) {
    m_owned.assign(requiredBytes(shape, dataType), 0);
    m_data = m_owned.data();
    m_size = m_owned.size();
}

std::shared_ptr<Extension> MemoryImageView::extension(std::uint64_t id) const {
    throw Error(fmt::format("Extension {} not found", id));
}

FlagSet<ImageCapability> MemoryImageView::capabilities() const {
    return {ImageCapability::READ, ImageCapability::WRITE, ImageCapability::BUFFER,
            ImageCapability::RESHAPE};
}

void MemoryImageView::setProperties(std::shared_ptr<ImageProperties> properties) {
    if (!properties)
        throw InvalidArgument("Image properties cannot be null");
    m_properties = std::move(properties);
}

void MemoryImageView::setMetadata(std::shared_ptr<MetadataNode> metadata) {
    if (!metadata)
        throw InvalidArgument("Image metadata cannot be null");
    m_metadata = std::move(metadata);
}

void MemoryImageView::reshape(const VectorX& shape) {
    if (shape.product() != m_shape.product()) {
        throw InvalidArgument("Reshape must keep the number of pixels");
    }
    m_shape = shape;
}

}  // namespace tessik::detail

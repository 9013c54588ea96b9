#include "tessik/ImageView.h"

#include "RegionCopy.h"
#include "tessik/Error.h"

namespace tessik {

ImageView::~ImageView() = default;

Indexer::Indexer(const VectorX& shape, std::uint64_t pixelBytes) {
    std::uint64_t stride = pixelBytes;
    for (std::uint64_t extent : shape) {
        m_strides.push_back(stride);
        stride *= extent;
    }
}

std::uint64_t Indexer::offset(const VectorX& index) const {
    if (index.size() != m_strides.size())
        throw InvalidArgument("Index has the wrong axis count");
    std::uint64_t offset = 0;
    for (std::size_t i = 0; i < index.size(); ++i)
        offset += index[i] * m_strides[i];
    return offset;
}

void ImageView::read(const VectorX& index, void* dst) {
    readRegion(RegionX(index, VectorX::createUniform(index.size(), 1)), dst);
}

void ImageView::readRegion(const RegionX& region, void* dst) {
    detail::requireInside(shape(), region);
    if (region.elementCount() == 0)
        return;
    const void* samples = bufferReadOnly();
    if (samples == nullptr)
        throw Error("Image view cannot be read");
    detail::extractRegion(static_cast<const std::uint8_t*>(samples), shape(),
                          dataType().byteCount(), region, static_cast<std::uint8_t*>(dst));
}

void ImageView::setProperties(std::shared_ptr<ImageProperties>) {
    throw Error("Image view properties cannot be changed");
}

void ImageView::setMetadata(std::shared_ptr<MetadataNode>) {
    throw Error("Image view metadata cannot be changed");
}

void ImageView::write(const VectorX& index, const void* src) {
    writeRegion(RegionX(index, VectorX::createUniform(index.size(), 1)), src);
}

void ImageView::writeRegion(const RegionX& region, const void* src) {
    detail::requireInside(shape(), region);
    if (region.elementCount() == 0)
        return;
    void* samples = capabilities().has(ImageCapability::WRITE) ? buffer() : nullptr;
    if (samples == nullptr)
        throw Error("Image view cannot be written");
    detail::insertRegion(static_cast<std::uint8_t*>(samples), shape(), dataType().byteCount(),
                         region, static_cast<const std::uint8_t*>(src));
}

void ImageView::reshape(const VectorX&) {
    throw Error("Image view cannot be reshaped");
}

Indexer ImageView::indexer() const {
    return Indexer(shape(), dataType().byteCount());
}

void* ImageView::buffer() {
    return nullptr;
}
const void* ImageView::bufferReadOnly() const {
    return nullptr;
}
std::uint64_t ImageView::bufferSize() const {
    return 0;
}

std::uint64_t ImageView::byteCount() const {
    return shape().product() * dataType().byteCount();
}

}  // namespace tessik

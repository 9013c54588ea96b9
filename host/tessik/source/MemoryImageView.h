#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "tessik/ImageView.h"

namespace tessik::detail {

// Packed samples in memory: either a caller's buffer (neither owned nor copied) or a vector
// of its own.
class MemoryImageView final : public ImageView {
public:
    MemoryImageView(const VectorX& shape, const DataType& dataType, void* data, std::uint64_t size);
    MemoryImageView(const VectorX& shape, const DataType& dataType);

    std::shared_ptr<Extension> extension(std::uint64_t id) const override;
    FlagSet<ImageCapability> capabilities() const override;
    const VectorX& shape() const override { return m_shape; }
    DataType dataType() const override { return m_dataType; }
    std::shared_ptr<const ImageProperties> properties() const override { return m_properties; }
    std::shared_ptr<MetadataNode> metadata() const override { return m_metadata; }
    void setProperties(std::shared_ptr<ImageProperties> properties) override;
    void setMetadata(std::shared_ptr<MetadataNode> metadata) override;
    // Same sample count, another shape.
    void reshape(const VectorX& shape) override;
    void* buffer() override { return m_data; }
    const void* bufferReadOnly() const override { return m_data; }
    std::uint64_t bufferSize() const override { return m_size; }

private:
    VectorX m_shape;
    DataType m_dataType;
    std::shared_ptr<ImageProperties> m_properties;
    std::shared_ptr<MetadataNode> m_metadata;
    std::vector<std::uint8_t> m_owned;
    void* m_data = nullptr;
    std::uint64_t m_size = 0;
};

// tessik::InvalidArgument unless the data type has a byte size and the image fits in memory.
std::uint64_t requiredBytes(const VectorX& shape, const DataType& dataType);

}  // namespace tessik::detail

#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "tessik/ImageView.h"

namespace velmar::common {

// A read-only image view that answers everything but pixels from memory. A concrete
// extractor fills the members in its constructor and implements read/readRegion.
class AbstractExtractor : public tessik::ImageView {
public:
    AbstractExtractor() = default;
    ~AbstractExtractor() override;

    // The same shared extension on every call; tessik::Error "Extension {id} not found".
    std::shared_ptr<tessik::Extension> extension(std::uint64_t id) const override;
    tessik::FlagSet<tessik::ImageCapability> capabilities() const override;
    const tessik::VectorX& shape() const override;
    tessik::DataType dataType() const override;
    std::shared_ptr<const tessik::ImageProperties> properties() const override;
    std::shared_ptr<tessik::MetadataNode> metadata() const override;

protected:
    // Registers `extension` under `id` unless an extension is already there.
    void addExtension(std::uint64_t id, std::shared_ptr<tessik::Extension> extension);

    tessik::VectorX m_shape;
    tessik::DataType m_dataType;
    std::shared_ptr<tessik::ImageProperties> m_properties;
    std::shared_ptr<tessik::MetadataNode> m_metadata;
    tessik::FlagSet<tessik::ImageCapability> m_capabilities;
    std::map<std::uint64_t, std::shared_ptr<tessik::Extension>> m_extensions;
};

}  // namespace velmar::common

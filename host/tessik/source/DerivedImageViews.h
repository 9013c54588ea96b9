#pragma once

#include <cstdint>
#include <memory>

#include "tessik/ImageView.h"
#include "tessik/MultiImageView.h"

namespace tessik::detail {

// A read-only view that computes its pixels from other views on every readRegion.
class DerivedImageView : public ImageView {
public:
    std::shared_ptr<Extension> extension(std::uint64_t id) const override;
    FlagSet<ImageCapability> capabilities() const override { return ImageCapability::READ; }
    const VectorX& shape() const override { return m_shape; }
    DataType dataType() const override { return m_dataType; }
    std::shared_ptr<const ImageProperties> properties() const override { return m_properties; }
    std::shared_ptr<MetadataNode> metadata() const override { return m_metadata; }
    void readRegion(const RegionX& region, void* dst) final;

protected:
    DerivedImageView(VectorX shape, DataType dataType, std::shared_ptr<ImageProperties> properties,
                     std::shared_ptr<MetadataNode> metadata);
    // Called with a region already checked against shape().
    virtual void compute(const RegionX& region, std::uint8_t* dst) = 0;

private:
    VectorX m_shape;
    DataType m_dataType;
    std::shared_ptr<ImageProperties> m_properties;
    std::shared_ptr<MetadataNode> m_metadata;
};

std::shared_ptr<ImageView> makeChannelView(std::shared_ptr<ImageView> source, std::uint32_t index);
std::shared_ptr<ImageView> makeSubSampledView(std::shared_ptr<ImageView> source,
                                              std::uint64_t factor);
std::shared_ptr<ImageView> makeAssembledView(std::shared_ptr<ImageView> source);
std::shared_ptr<ImageView> makeStackedView(std::shared_ptr<MultiImageView> stack);

}  // namespace tessik::detail

#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "tessik/DataType.h"
#include "tessik/Export.h"
#include "tessik/FlagSet.h"
#include "tessik/ImageProperties.h"
#include "tessik/Indexer.h"
#include "tessik/MetadataNode.h"
#include "tessik/Region.h"
#include "tessik/Vector.h"
#include "tessik/View.h"

namespace tessik {

// An N-dimensional image of pixels of one data type. Samples are delivered packed, row after
// row, axis 0 fastest. The operations after metadata() have a working base behaviour over
// bufferReadOnly()/buffer(), so a view backed by memory overrides only the buffer accessors,
// and a computed view overrides readRegion.
class TESSIK_API ImageView : public View {
public:
    ~ImageView() override;

    virtual FlagSet<ImageCapability> capabilities() const = 0;
    virtual const VectorX& shape() const = 0;
    virtual DataType dataType() const = 0;
    virtual std::shared_ptr<const ImageProperties> properties() const = 0;
    virtual std::shared_ptr<MetadataNode> metadata() const = 0;

    // One pixel at `index`: readRegion of a region of size one.
    virtual void read(const VectorX& index, void* dst);
    // The pixels of `region` into `dst`, packed. Base: copied from bufferReadOnly(); a view
    // without buffer throws tessik::Error "Image view cannot be read". A region outside the
    // image throws tessik::InvalidArgument "Required region out of image bounds".
    virtual void readRegion(const RegionX& region, void* dst);
    // Base: tessik::Error "Image view properties cannot be changed".
    virtual void setProperties(std::shared_ptr<ImageProperties> properties);
    // Base: tessik::Error "Image view metadata cannot be changed".
    virtual void setMetadata(std::shared_ptr<MetadataNode> metadata);
    virtual void write(const VectorX& index, const void* src);
    // Base: copied into buffer(); a view without writable buffer throws tessik::Error
    // "Image view cannot be written".
    virtual void writeRegion(const RegionX& region, const void* src);
    // Base: tessik::Error "Image view cannot be reshaped".
    virtual void reshape(const VectorX& shape);
    // Offsets of the packed layout of shape() and dataType().
    virtual Indexer indexer() const;
    // The samples in memory, or null for a view that computes them (base: null).
    virtual void* buffer();
    virtual const void* bufferReadOnly() const;
    virtual std::uint64_t bufferSize() const;

    std::size_t dimensionCount() const { return shape().size(); }
    // Byte count of the whole image: pixels × pixel bytes.
    std::uint64_t byteCount() const;
};

}  // namespace tessik

#pragma once

#include <cstdint>
#include <memory>

#include "tessik/DataType.h"
#include "tessik/Export.h"
#include "tessik/ImageView.h"
#include "tessik/MultiImageView.h"
#include "tessik/Vector.h"

namespace tessik {

// Makes image views. In-memory views (fromBuffer, allocate, copyInMemory) hold their samples
// packed; the others compute theirs from a source view on every readRegion.
class TESSIK_API ImageViewFactory {
public:
    // A view over `size` bytes at `data`, neither owned nor copied; `size` must cover the
    // shape (tessik::InvalidArgument).
    static std::shared_ptr<ImageView> fromBuffer(const VectorX& shape, const DataType& dataType,
                                                 void* data, std::uint64_t size);
    // A zero-filled view that owns its samples.
    static std::shared_ptr<ImageView> allocate(const VectorX& shape, const DataType& dataType);
    // An owning copy of all of `view`'s samples, properties and metadata.
    static std::shared_ptr<ImageView> copyInMemory(const std::shared_ptr<ImageView>& view);
    // Element `index` of every pixel, as a single-element image.
    static std::shared_ptr<ImageView> extractChannel(const std::shared_ptr<ImageView>& view,
                                                     std::uint32_t index);
    // Every `factor`-th pixel on every axis, starting at 0; a size n becomes (n - 1) / f + 1.
    static std::shared_ptr<ImageView> subSample(const std::shared_ptr<ImageView>& view,
                                                std::uint64_t factor);
    // Folds the CHANNEL axis of a single-element image into the pixel: shape (W, H, C)
    // becomes (W, H) of C elements.
    static std::shared_ptr<ImageView> assembleChannels(const std::shared_ptr<ImageView>& view);
    // The images of `stack`, all of one shape and data type, along a new last axis.
    static std::shared_ptr<ImageView> stack(const std::shared_ptr<MultiImageView>& stack);
};

class TESSIK_API ImageViewProvider {
public:
    // The view as an image, or null when it is not one.
    static std::shared_ptr<ImageView> toImage(const std::shared_ptr<View>& view);
};

}  // namespace tessik

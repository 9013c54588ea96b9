#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "tessik/ImageViewFactory.h"

namespace velmar::test {

// Deterministic sample values that vary from pixel to pixel and channel to channel.
inline std::uint8_t sampleAt(std::uint64_t index) {
    std::uint64_t x = index * 0x9E3779B97F4A7C15ull;
    x ^= x >> 29;
    return static_cast<std::uint8_t>(x >> 7);
}

// An in-memory w × h image of `elements` 8-bit samples per pixel, filled by `sample`.
template <typename Sample>
std::shared_ptr<tessik::ImageView> makeImage(std::uint64_t w, std::uint64_t h,
                                             std::uint32_t elements,
                                             tessik::ImageInterpretation interpretation, bool alpha,
                                             Sample sample) {
    const tessik::DataType type(tessik::PrimitiveTypeId::UNSIGNED_INTEGER, elements, 8);
    auto image = tessik::ImageViewFactory::allocate({w, h}, type);
    auto* bytes = static_cast<std::uint8_t*>(image->buffer());
    for (std::uint64_t i = 0; i < w * h * elements; ++i) {
        bytes[i] = sample(i % elements, (i / elements) % w, (i / elements) / w);
    }
    auto properties = tessik::ImageProperties::fromDataType(type);
    properties->imageInfo().setInterpretation(interpretation);
    properties->imageInfo().setAlpha(alpha);
    image->setProperties(properties);
    return image;
}

// The same with samples from sampleAt().
inline std::shared_ptr<tessik::ImageView> makeNoise(std::uint64_t w, std::uint64_t h,
                                                    std::uint32_t elements,
                                                    tessik::ImageInterpretation interpretation,
                                                    bool alpha) {
    return makeImage(w, h, elements, interpretation, alpha,
                     [=](std::uint32_t c, std::uint64_t x, std::uint64_t y) {
                         return sampleAt((y * w + x) * elements + c);
                     });
}

inline const std::uint8_t* samplesOf(const tessik::ImageView& image) {
    return static_cast<const std::uint8_t*>(image.bufferReadOnly());
}

}  // namespace velmar::test

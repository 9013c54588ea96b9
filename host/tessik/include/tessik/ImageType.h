#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tessik/Export.h"

namespace tessik {

// Meaning of one axis of an image.
enum class ImageDimension : std::uint8_t {
    UNKNOWN = 0,
    WIDTH = 1,
    HEIGHT = 2,
    CHANNEL = 3,
    DEPTH = 4,
    TIME = 5,
};

// The usual axis layouts.
enum class ImageTypeId : std::uint8_t {
    UNKNOWN = 0,
    IMAGE = 1,            // width, height
    IMAGE_CHANNELS = 2,   // width, height, channel
    VOLUME = 3,           // width, height, depth
    VOLUME_CHANNELS = 4,  // width, height, depth, channel
    SEQUENCE = 5,         // width, height, time
};

// The axes interpretation of an image: one ImageDimension per axis, axis 0 first.
class TESSIK_API ImageType {
public:
    ImageType() = default;
    ImageType(ImageTypeId id);  // NOLINT: an identifier names a layout
    explicit ImageType(std::vector<ImageDimension> axes) : m_axes(std::move(axes)) {}

    const std::vector<ImageDimension>& axes() const { return m_axes; }
    std::size_t axisCount() const { return m_axes.size(); }
    bool has(ImageDimension dimension) const;
    // Position of the first axis of that meaning, if any.
    std::optional<std::size_t> indexOf(ImageDimension dimension) const;
    // The same axes less the one at `index`.
    ImageType without(std::size_t index) const;

    friend bool operator==(const ImageType&, const ImageType&) = default;

private:
    std::vector<ImageDimension> m_axes;
};

}  // namespace tessik

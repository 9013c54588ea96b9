#include "tessik/ImageType.h"

namespace tessik {

ImageType::ImageType(ImageTypeId id) {
    using D = ImageDimension;
    switch (id) {
        case ImageTypeId::IMAGE:
            m_axes = {D::WIDTH, D::HEIGHT};
            break;
        case ImageTypeId::IMAGE_CHANNELS:
            m_axes = {D::WIDTH, D::HEIGHT, D::CHANNEL};
            break;
        case ImageTypeId::VOLUME:
            m_axes = {D::WIDTH, D::HEIGHT, D::DEPTH};
            break;
        case ImageTypeId::VOLUME_CHANNELS:
            m_axes = {D::WIDTH, D::HEIGHT, D::DEPTH, D::CHANNEL};
            break;
        case ImageTypeId::SEQUENCE:
            m_axes = {D::WIDTH, D::HEIGHT, D::TIME};
            break;
        case ImageTypeId::UNKNOWN:
            break;
    }
}

bool ImageType::has(ImageDimension dimension) const {
    return indexOf(dimension).has_value();
}

std::optional<std::size_t> ImageType::indexOf(ImageDimension dimension) const {
    for (std::size_t i = 0; i < m_axes.size(); ++i) {
        if (m_axes[i] == dimension)
            return i;
    }
    return std::nullopt;
}

ImageType ImageType::without(std::size_t index) const {
    std::vector<ImageDimension> axes = m_axes;
    if (index < axes.size())
        axes.erase(axes.begin() + static_cast<std::ptrdiff_t>(index));
    return ImageType(std::move(axes));
}

}  // namespace tessik

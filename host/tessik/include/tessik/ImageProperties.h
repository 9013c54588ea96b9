#pragma once

#include <cstdint>
#include <memory>

#include "tessik/DataType.h"
#include "tessik/Export.h"
#include "tessik/ImageType.h"

namespace tessik {

enum class ImageInterpretation : std::uint32_t {
    UNKNOWN = 0,
    GRAYSCALE = 1,
    RGB = 33,
    YUV = 50,
};

// Colour meaning, alpha and axes of an image.
class TESSIK_API ImageInfoProperty {
public:
    ImageInterpretation interpretation() const { return m_interpretation; }
    void setInterpretation(ImageInterpretation value) { m_interpretation = value; }
    bool hasAlpha() const { return m_alpha; }
    void setAlpha(bool value) { m_alpha = value; }
    const ImageType& axesInterpretation() const { return m_axes; }
    void setAxesInterpretation(ImageType value) { m_axes = std::move(value); }

private:
    ImageInterpretation m_interpretation = ImageInterpretation::UNKNOWN;
    bool m_alpha = false;
    ImageType m_axes = ImageTypeId::IMAGE;
};

// The properties a view carries besides its samples.
class TESSIK_API ImageProperties {
public:
    // Properties for pixels of that type: interpretation UNKNOWN, no alpha, axes IMAGE.
    static std::shared_ptr<ImageProperties> fromDataType(const DataType& dataType);

    ImageInfoProperty& imageInfo() { return m_info; }
    const ImageInfoProperty& imageInfo() const { return m_info; }
    const DataType& dataType() const { return m_dataType; }

private:
    DataType m_dataType;
    ImageInfoProperty m_info;
};

}  // namespace tessik

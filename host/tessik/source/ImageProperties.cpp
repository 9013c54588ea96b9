#include "tessik/ImageProperties.h"

namespace tessik {

std::shared_ptr<ImageProperties> ImageProperties::fromDataType(const DataType& dataType) {
    auto properties = std::make_shared<ImageProperties>();
    properties->m_dataType = dataType;
    return properties;
}

}  // namespace tessik

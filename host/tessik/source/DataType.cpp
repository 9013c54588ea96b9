#include "tessik/DataType.h"

#include <fmt/format.h>

namespace tessik {

std::string DataType::toString() const {
    const char* primitive = nullptr;
    switch (primitiveType()) {
        case PrimitiveTypeId::UNSIGNED_INTEGER:
            primitive = "UINT";
            break;
        case PrimitiveTypeId::SIGNED_INTEGER:
            primitive = "INT";
            break;
        case PrimitiveTypeId::FLOATING_POINT:
            primitive = "FLOAT";
            break;
        case PrimitiveTypeId::UNKNOWN:
            return "UNKNOWN";
    }
    if (primitive == nullptr)
        return fmt::format("UNKNOWN(0x{:x})", static_cast<unsigned>(m_id));
    if (elementCount() == 1)
        return fmt::format("{}{}", primitive, bitDepth());
    return fmt::format("{}{}x{}", primitive, bitDepth(), elementCount());
}

}  // namespace tessik

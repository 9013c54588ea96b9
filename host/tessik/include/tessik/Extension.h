#pragma once

#include <cstdint>

#include "tessik/Export.h"

namespace tessik {

// An extra object a view offers under a numeric identifier.
class TESSIK_API Extension {
public:
    virtual ~Extension();
};

// Identifiers of the extensions the data model knows.
inline constexpr std::uint64_t kViewOriginExtensionId = 3;

}  // namespace tessik

#pragma once

#include <cstdint>

#include "tessik/Export.h"

namespace tessik {

class TESSIK_API UidGenerator {
public:
    // A value no earlier call of this process returned; thread-safe.
    static std::uint64_t generate();
};

}  // namespace tessik

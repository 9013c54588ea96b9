#pragma once

#include <cstdint>
#include <string>

#include "tessik/Export.h"
#include "tessik/FlagSet.h"

namespace tessik {

// Bytes addressed by offset, without a position of their own.
class TESSIK_API RandomAccess {
public:
    virtual ~RandomAccess();
    virtual FlagSet<StreamAccessCapability> capabilities() const = 0;
    virtual void close() = 0;
    virtual void flush() = 0;
    virtual std::uint64_t size() = 0;
    // Up to `count` bytes from `offset`; fewer only at the end of the data.
    virtual std::uint64_t readAt(std::uint64_t offset, std::uint64_t count, void* dst) = 0;
    virtual std::uint64_t writeAt(std::uint64_t offset, std::uint64_t count, const void* src) = 0;
    virtual std::string description() const = 0;

    bool support(FlagSet<StreamAccessCapability> flags) const { return capabilities().has(flags); }
};

}  // namespace tessik

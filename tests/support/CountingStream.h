#pragma once

#include "tessik/MemoryStreamAccess.h"

namespace velmar::test {

// An in-memory stream that counts the calls that touch its bytes.
class CountingStream final : public tessik::MemoryStreamAccess {
public:
    using MemoryStreamAccess::MemoryStreamAccess;
    std::uint64_t read(std::uint64_t count, void* dst) override {
        ++touches;
        return MemoryStreamAccess::read(count, dst);
    }
    void seek(std::int64_t offset, tessik::SeekOrigin origin) override {
        ++touches;
        MemoryStreamAccess::seek(offset, origin);
    }
    int touches = 0;
};

}  // namespace velmar::test

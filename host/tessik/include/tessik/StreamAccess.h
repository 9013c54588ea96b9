#pragma once

#include <cstdint>
#include <string>

#include "tessik/Export.h"
#include "tessik/FlagSet.h"

namespace tessik {

enum class SeekOrigin : int { BEGIN = 1, CURRENT = 2, END = 3 };

// A sequential byte stream with a position. read() returns fewer bytes than asked only at
// the end of the data, and then sets the end flag that isEof() reports; seek() clears it.
// write() returns the count taken; a failing write throws tessik::Error. close() reports
// failure by exception; the destructor of an implementation closes quietly.
class TESSIK_API StreamAccess {
public:
    virtual ~StreamAccess();
    virtual FlagSet<StreamAccessCapability> capabilities() const = 0;
    virtual void close() = 0;
    virtual void flush() = 0;
    // Byte count of the data, when the stream can tell (seekable streams).
    virtual std::uint64_t size() = 0;
    virtual bool isEof() const = 0;
    virtual bool isOpen() const = 0;
    virtual std::uint64_t read(std::uint64_t count, void* dst) = 0;
    // Moves `count` bytes forward; returns how many it could.
    virtual std::uint64_t skip(std::uint64_t count) = 0;
    virtual std::uint64_t write(std::uint64_t count, const void* src) = 0;
    // What the stream is connected to, for messages: a path, a URI, "memory".
    virtual std::string description() const = 0;
    virtual std::uint64_t tell() const = 0;
    virtual void seek(std::int64_t offset, SeekOrigin origin) = 0;

    bool support(FlagSet<StreamAccessCapability> flags) const { return capabilities().has(flags); }
};

}  // namespace tessik

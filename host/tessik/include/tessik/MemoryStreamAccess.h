#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tessik/Export.h"
#include "tessik/StreamAccess.h"

namespace tessik {

// A readable, writable, seekable stream over a byte vector it owns. Writing past the end
// grows the data.
class TESSIK_API MemoryStreamAccess : public StreamAccess {
public:
    MemoryStreamAccess() = default;
    explicit MemoryStreamAccess(std::vector<std::uint8_t> bytes) : m_bytes(std::move(bytes)) {}
    ~MemoryStreamAccess() override;

    FlagSet<StreamAccessCapability> capabilities() const override;
    void close() override { m_open = false; }
    void flush() override {}
    std::uint64_t size() override { return m_bytes.size(); }
    bool isEof() const override { return m_eof; }
    bool isOpen() const override { return m_open; }
    std::uint64_t read(std::uint64_t count, void* dst) override;
    std::uint64_t skip(std::uint64_t count) override;
    std::uint64_t write(std::uint64_t count, const void* src) override;
    std::string description() const override { return "memory"; }
    std::uint64_t tell() const override { return m_position; }
    void seek(std::int64_t offset, SeekOrigin origin) override;

    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }

private:
    void requireOpen() const;

    std::vector<std::uint8_t> m_bytes;
    std::uint64_t m_position = 0;
    bool m_eof = false;
    bool m_open = true;
};

}  // namespace tessik

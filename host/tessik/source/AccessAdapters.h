#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "tessik/RandomAccess.h"
#include "tessik/StreamAccess.h"

namespace tessik::detail {

// A stream with a position of its own over a shared random-access source.
class StreamOverRandomAccess final : public StreamAccess {
public:
    explicit StreamOverRandomAccess(std::shared_ptr<RandomAccess> source);

    FlagSet<StreamAccessCapability> capabilities() const override;
    void close() override;
    void flush() override { m_source->flush(); }
    std::uint64_t size() override { return m_source->size(); }
    bool isEof() const override { return m_eof; }
    bool isOpen() const override { return m_open; }
    std::uint64_t read(std::uint64_t count, void* dst) override;
    std::uint64_t skip(std::uint64_t count) override;
    std::uint64_t write(std::uint64_t count, const void* src) override;
    std::string description() const override { return m_source->description(); }
    std::uint64_t tell() const override { return m_position; }
    void seek(std::int64_t offset, SeekOrigin origin) override;

private:
    std::shared_ptr<RandomAccess> m_source;
    std::uint64_t m_position = 0;
    bool m_eof = false;
    bool m_open = true;
};

// Positioned reads and writes through a seekable stream (seek, then read or write).
class RandomAccessOverStream final : public RandomAccess {
public:
    explicit RandomAccessOverStream(std::shared_ptr<StreamAccess> stream);

    FlagSet<StreamAccessCapability> capabilities() const override;
    void close() override { m_stream->close(); }
    void flush() override { m_stream->flush(); }
    std::uint64_t size() override { return m_stream->size(); }
    std::uint64_t readAt(std::uint64_t offset, std::uint64_t count, void* dst) override;
    std::uint64_t writeAt(std::uint64_t offset, std::uint64_t count, const void* src) override;
    std::string description() const override { return m_stream->description(); }

private:
    std::shared_ptr<StreamAccess> m_stream;
};

// Bytes held in memory; read-only.
class MemoryRandomAccess final : public RandomAccess {
public:
    MemoryRandomAccess(std::vector<std::uint8_t> bytes, std::string description);

    FlagSet<StreamAccessCapability> capabilities() const override;
    void close() override {}
    void flush() override {}
    std::uint64_t size() override { return m_bytes.size(); }
    std::uint64_t readAt(std::uint64_t offset, std::uint64_t count, void* dst) override;
    std::uint64_t writeAt(std::uint64_t offset, std::uint64_t count, const void* src) override;
    std::string description() const override { return m_description; }

private:
    std::vector<std::uint8_t> m_bytes;
    std::string m_description;
};

}  // namespace tessik::detail

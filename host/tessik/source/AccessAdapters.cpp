#include "AccessAdapters.h"

#include <algorithm>
#include <cstring>

#include "tessik/Error.h"

namespace tessik::detail {

StreamOverRandomAccess::StreamOverRandomAccess(std::shared_ptr<RandomAccess> source)
    : m_source(std::move(source)) {
    if (!m_source)
        throw InvalidArgument("Random-access source cannot be null");
}

FlagSet<StreamAccessCapability> StreamOverRandomAccess::capabilities() const {
    return m_source->capabilities() | StreamAccessCapability::SEEK;
}

void StreamOverRandomAccess::close() {
    m_open = false;
}

std::uint64_t StreamOverRandomAccess::read(std::uint64_t count, void* dst) {
    if (!m_open)
        throw Error("Stream is closed");
    const std::uint64_t n = m_source->readAt(m_position, count, dst);
    m_position += n;
    if (n < count)
        m_eof = true;
    return n;
}

std::uint64_t StreamOverRandomAccess::skip(std::uint64_t count) {
    const std::uint64_t end = m_source->size();
    const std::uint64_t n = std::min(count, end > m_position ? end - m_position : 0);
    m_position += n;
    if (n < count)
        m_eof = true;
    return n;
}

std::uint64_t StreamOverRandomAccess::write(std::uint64_t count, const void* src) {
    if (!m_open)
        throw Error("Stream is closed");
    const std::uint64_t n = m_source->writeAt(m_position, count, src);
    m_position += n;
    return n;
}

void StreamOverRandomAccess::seek(std::int64_t offset, SeekOrigin origin) {
    std::int64_t base = 0;
    if (origin == SeekOrigin::CURRENT)
        base = static_cast<std::int64_t>(m_position);
    if (origin == SeekOrigin::END)
        base = static_cast<std::int64_t>(m_source->size());
    if (base + offset < 0)
        throw InvalidArgument("Seek before the start of the stream");
    m_position = static_cast<std::uint64_t>(base + offset);
    m_eof = false;
}

RandomAccessOverStream::RandomAccessOverStream(std::shared_ptr<StreamAccess> stream)
    : m_stream(std::move(stream)) {}

FlagSet<StreamAccessCapability> RandomAccessOverStream::capabilities() const {
    return m_stream->capabilities();
}

std::uint64_t RandomAccessOverStream::readAt(std::uint64_t offset, std::uint64_t count, void* dst) {
    m_stream->seek(static_cast<std::int64_t>(offset), SeekOrigin::BEGIN);
    return m_stream->read(count, dst);
}

std::uint64_t RandomAccessOverStream::writeAt(std::uint64_t offset, std::uint64_t count,
                                              const void* src) {
    m_stream->seek(static_cast<std::int64_t>(offset), SeekOrigin::BEGIN);
    return m_stream->write(count, src);
}

MemoryRandomAccess::MemoryRandomAccess(std::vector<std::uint8_t> bytes, std::string description)
    : m_bytes(std::move(bytes)), m_description(std::move(description)) {}

FlagSet<StreamAccessCapability> MemoryRandomAccess::capabilities() const {
    return {StreamAccessCapability::READ, StreamAccessCapability::SEEK};
}

std::uint64_t MemoryRandomAccess::readAt(std::uint64_t offset, std::uint64_t count, void* dst) {
    if (offset >= m_bytes.size())
        return 0;
    const std::uint64_t n = std::min<std::uint64_t>(count, m_bytes.size() - offset);
    std::memcpy(dst, m_bytes.data() + offset, n);
    return n;
}

std::uint64_t MemoryRandomAccess::writeAt(std::uint64_t, std::uint64_t, const void*) {
    throw Error("Memory source is read-only");
}

}  // namespace tessik::detail

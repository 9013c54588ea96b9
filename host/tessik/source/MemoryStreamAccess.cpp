#include "tessik/MemoryStreamAccess.h"

#include <algorithm>
#include <cstring>

#include "tessik/Error.h"

namespace tessik {

MemoryStreamAccess::~MemoryStreamAccess() = default;

FlagSet<StreamAccessCapability> MemoryStreamAccess::capabilities() const {
    return {StreamAccessCapability::READ, StreamAccessCapability::WRITE,
            StreamAccessCapability::SEEK};
}

void MemoryStreamAccess::requireOpen() const {
    if (!m_open)
        throw Error("Memory stream is closed");
}

std::uint64_t MemoryStreamAccess::read(std::uint64_t count, void* dst) {
    requireOpen();
    const std::uint64_t available = m_position < m_bytes.size() ? m_bytes.size() - m_position : 0;
    const std::uint64_t n = std::min(count, available);
    if (n > 0)
        std::memcpy(dst, m_bytes.data() + m_position, n);
    m_position += n;
    if (n < count)
        m_eof = true;
    return n;
}

std::uint64_t MemoryStreamAccess::skip(std::uint64_t count) {
    requireOpen();
    const std::uint64_t available = m_position < m_bytes.size() ? m_bytes.size() - m_position : 0;
    const std::uint64_t n = std::min(count, available);
    m_position += n;
    if (n < count)
        m_eof = true;
    return n;
}

std::uint64_t MemoryStreamAccess::write(std::uint64_t count, const void* src) {
    requireOpen();
    if (count == 0)
        return 0;
    if (m_position + count > m_bytes.size())
        m_bytes.resize(m_position + count);
    std::memcpy(m_bytes.data() + m_position, src, count);
    m_position += count;
    return count;
}

void MemoryStreamAccess::seek(std::int64_t offset, SeekOrigin origin) {
    requireOpen();
    std::int64_t base = 0;
    if (origin == SeekOrigin::CURRENT)
        base = static_cast<std::int64_t>(m_position);
    if (origin == SeekOrigin::END)
        base = static_cast<std::int64_t>(m_bytes.size());
    const std::int64_t target = base + offset;
    if (target < 0)
        throw InvalidArgument("Seek before the start of the stream");
    m_position = static_cast<std::uint64_t>(target);
    m_eof = false;
}

}  // namespace tessik

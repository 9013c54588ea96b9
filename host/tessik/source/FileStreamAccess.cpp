#include "FileStreamAccess.h"

#include <fcntl.h>
#include <fmt/format.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

#include "tessik/Error.h"

namespace tessik::detail {

FileStreamAccess::FileStreamAccess(const std::string& path, Mode mode)
    : m_path(path), m_mode(mode) {
    int flags = O_CLOEXEC;
    const char* purpose = "reading";
    switch (mode) {
        case Mode::READ:
            flags |= O_RDONLY;
            break;
        case Mode::WRITE:
            flags |= O_WRONLY | O_CREAT | O_TRUNC;
            purpose = "writing";
            break;
        case Mode::READ_WRITE:
            flags |= O_RDWR | O_CREAT | O_TRUNC;
            purpose = "reading and writing";
            break;
    }
    if (path.empty())
        throw Error(fmt::format("Cannot open file for {}: empty path", purpose));
    do {
        m_fd = ::open(path.c_str(), flags, 0666);
    } while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0) {
        throw Error(
            fmt::format("Cannot open file {} for {}: {}", path, purpose, std::strerror(errno)));
    }
    struct stat info {};
    if (::fstat(m_fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(m_fd);
        m_fd = -1;
        throw Error(
            fmt::format("Cannot open file {} for {}: {}", path, purpose, std::strerror(EISDIR)));
    }
}

FileStreamAccess::~FileStreamAccess() {
    if (m_fd >= 0)
        ::close(m_fd);
}

FlagSet<StreamAccessCapability> FileStreamAccess::capabilities() const {
    switch (m_mode) {
        case Mode::READ:
            return {StreamAccessCapability::READ, StreamAccessCapability::SEEK};
        case Mode::WRITE:
            return {StreamAccessCapability::WRITE, StreamAccessCapability::SEEK};
        case Mode::READ_WRITE:
            break;
    }
    return {StreamAccessCapability::READ, StreamAccessCapability::WRITE,
            StreamAccessCapability::SEEK};
}

void FileStreamAccess::requireOpen() const {
    if (m_fd < 0)
        throw Error(fmt::format("File {} is closed", m_path));
}

void FileStreamAccess::fail(const char* action, int error) const {
    throw Error(fmt::format("Cannot {} {}: {}", action, m_path, std::strerror(error)));
}

void FileStreamAccess::close() {
    if (m_fd < 0)
        return;
    const int fd = m_fd;
    m_fd = -1;
    const int closeResult = ::close(fd);
    if (m_writeError != 0)
        fail("write", m_writeError);
    if (closeResult != 0 && errno != EINTR)
        fail("close", errno);
}

void FileStreamAccess::flush() {
    requireOpen();
    if (m_writeError != 0)
        fail("write", m_writeError);
}

std::uint64_t FileStreamAccess::size() {
    requireOpen();
    struct stat info {};
    if (::fstat(m_fd, &info) != 0)
        fail("query", errno);
    return static_cast<std::uint64_t>(info.st_size);
}

std::uint64_t FileStreamAccess::read(std::uint64_t count, void* dst) {
    requireOpen();
    if (!capabilities().has(StreamAccessCapability::READ)) {
        throw Error(fmt::format("File {} is not open for reading", m_path));
    }
    auto* out = static_cast<std::uint8_t*>(dst);
    std::uint64_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(m_fd, out + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail("read", errno);
        }
        if (n == 0) {
            m_eof = true;
            break;
        }
        done += static_cast<std::uint64_t>(n);
    }
    return done;
}

std::uint64_t FileStreamAccess::skip(std::uint64_t count) {
    const std::uint64_t from = tell();
    const std::uint64_t end = size();
    const std::uint64_t to = from + std::min(count, end > from ? end - from : 0);
    seek(static_cast<std::int64_t>(to), SeekOrigin::BEGIN);
    if (to - from < count)
        m_eof = true;
    return to - from;
}

std::uint64_t FileStreamAccess::write(std::uint64_t count, const void* src) {
    requireOpen();
    if (!capabilities().has(StreamAccessCapability::WRITE)) {
        throw Error(fmt::format("File {} is not open for writing", m_path));
    }
    const auto* in = static_cast<const std::uint8_t*>(src);
    std::uint64_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(m_fd, in + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (m_writeError == 0)
                m_writeError = errno;
            break;
        }
        done += static_cast<std::uint64_t>(n);
    }
    return done;
}

std::uint64_t FileStreamAccess::tell() const {
    requireOpen();
    const off_t at = ::lseek(m_fd, 0, SEEK_CUR);
    if (at < 0)
        fail("query", errno);
    return static_cast<std::uint64_t>(at);
}

void FileStreamAccess::seek(std::int64_t offset, SeekOrigin origin) {
    requireOpen();
    int whence = SEEK_SET;
    if (origin == SeekOrigin::CURRENT)
        whence = SEEK_CUR;
    if (origin == SeekOrigin::END)
        whence = SEEK_END;
    if (::lseek(m_fd, static_cast<off_t>(offset), whence) < 0)
        fail("seek in", errno);
    m_eof = false;
}

}  // namespace tessik::detail

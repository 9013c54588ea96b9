#pragma once

#include <cstdint>
#include <string>

#include "tessik/StreamAccess.h"

namespace tessik::detail {

// A local file through a POSIX descriptor, unbuffered: every write reaches the system at
// once, so a short write or an error shows in the count write() returns. The first failed
// write is remembered and reported again by flush() and close().
class FileStreamAccess final : public StreamAccess {
public:
    enum class Mode { READ, WRITE, READ_WRITE };

    FileStreamAccess(const std::string& path, Mode mode);
    ~FileStreamAccess() override;
    FileStreamAccess(const FileStreamAccess&) = delete;
    FileStreamAccess& operator=(const FileStreamAccess&) = delete;

    FlagSet<StreamAccessCapability> capabilities() const override;
    void close() override;
    void flush() override;
    std::uint64_t size() override;
    bool isEof() const override { return m_eof; }
    bool isOpen() const override { return m_fd >= 0; }
    std::uint64_t read(std::uint64_t count, void* dst) override;
    std::uint64_t skip(std::uint64_t count) override;
    std::uint64_t write(std::uint64_t count, const void* src) override;
    std::string description() const override { return m_path; }
    std::uint64_t tell() const override;
    void seek(std::int64_t offset, SeekOrigin origin) override;

private:
    void requireOpen() const;
    [[noreturn]] void fail(const char* action, int error) const;

    std::string m_path;
    Mode m_mode;
    int m_fd = -1;
    bool m_eof = false;
    int m_writeError = 0;
};

}  // namespace tessik::detail

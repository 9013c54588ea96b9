#include "AtomicOutput.h"

#include <fmt/format.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "tessik/Error.h"

namespace velmar::cli {

AtomicOutput::AtomicOutput(const std::string& target) : m_target(target) {
    const std::filesystem::path path(target);
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    std::string pattern = (folder / ("." + path.filename().string() + ".velmar-XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        throw tessik::Error(
            fmt::format("Cannot write next to {}: {}", target, std::strerror(errno)));
    ::fchmod(fd, 0644);
    ::close(fd);
    m_temporary = pattern;
}

AtomicOutput::~AtomicOutput() {
    if (!m_committed)
        ::unlink(m_temporary.c_str());
}

void AtomicOutput::commit() {
    if (std::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        throw tessik::Error(fmt::format("Cannot write {}: {}", m_target, std::strerror(errno)));
    }
    m_committed = true;
}

}  // namespace velmar::cli

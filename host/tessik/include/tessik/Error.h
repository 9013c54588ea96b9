#pragma once

#include <exception>
#include <string>

#include "tessik/Export.h"

namespace tessik {

// Base of every failure reported by the host libraries and the plugins. The destructor is
// defined out of line, so the type has a single identity across all loaded libraries.
class TESSIK_API Error : public std::exception {
public:
    explicit Error(std::string message);
    Error(const Error&) = default;
    Error& operator=(const Error&) = default;
    ~Error() override;

    const char* what() const noexcept override;

private:
    std::string m_message;
};

// A caller passed a value the operation cannot accept (a region outside the image, a stream
// that cannot be written, a URI without path).
class TESSIK_API InvalidArgument : public Error {
public:
    explicit InvalidArgument(std::string message);
    InvalidArgument(const InvalidArgument&) = default;
    InvalidArgument& operator=(const InvalidArgument&) = default;
    ~InvalidArgument() override;
};

}  // namespace tessik

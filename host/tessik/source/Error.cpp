#include "tessik/Error.h"

namespace tessik {

Error::Error(std::string message) : m_message(std::move(message)) {}
Error::~Error() = default;
const char* Error::what() const noexcept {
    return m_message.c_str();
}

InvalidArgument::InvalidArgument(std::string message) : Error(std::move(message)) {}
InvalidArgument::~InvalidArgument() = default;

}  // namespace tessik

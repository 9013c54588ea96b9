#pragma once

#include <string>

#include "tessik/Export.h"

namespace tessik {

// How URI access reaches "http" and "https" resources. Process-wide; read at the start of
// every transfer.
struct TESSIK_API HttpSettings {
    // Giving up on a server that does not accept the connection.
    long connectTimeoutSeconds = 10;
    // Giving up on a transfer that moved no byte for this long.
    long stallTimeoutSeconds = 30;
    // Redirects followed at most; one more is an error.
    long maxRedirects = 5;
    // Certificates to trust instead of the system's store (a PEM file); empty: the system's.
    std::string caBundle;
};

TESSIK_API HttpSettings httpSettings();
TESSIK_API void setHttpSettings(const HttpSettings& settings);

}  // namespace tessik

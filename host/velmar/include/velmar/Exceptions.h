#pragma once

#include "tessik/Error.h"
#include "velmar/Export.h"

namespace velmar {

// The plugin framework's failures. Header-only: each plugin compiles them in.

// A protocol plugin refuses the operation.
class VELMAR_API UnsupportedOperation : public tessik::Error {
public:
    explicit UnsupportedOperation(const char* message) : tessik::Error(message) {}
};

// A format name or a data type that the plugin does not handle.
class VELMAR_API UnsupportedFormat : public tessik::Error {
public:
    explicit UnsupportedFormat(const char* message) : tessik::Error(message) {}
};

// A writer called in the wrong state.
class VELMAR_API EncodingError : public tessik::Error {
public:
    explicit EncodingError(const char* message) : tessik::Error(message) {}
};

}  // namespace velmar

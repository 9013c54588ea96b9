#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tessik/Export.h"
#include "tessik/RandomAccess.h"
#include "tessik/StreamAccess.h"
#include "tessik/Uri.h"

namespace tessik {

class TESSIK_API StreamAccessFactory {
public:
    // Reading, seekable. tessik::Error "Cannot open file {path} for reading: {reason}".
    static std::shared_ptr<StreamAccess> openFileRead(const std::string& path);
    // Writing, seekable; the file is created, or truncated when it exists.
    static std::shared_ptr<StreamAccess> openFileWrite(const std::string& path);
    // Reading and writing, seekable; the file is created, or truncated when it exists, so
    // what is written is exactly what the file holds afterwards.
    static std::shared_ptr<StreamAccess> openFile(const std::string& path);
    // A stream with its own position over a shared random-access source.
    static std::shared_ptr<StreamAccess> fromRandomAccess(std::shared_ptr<RandomAccess> source);
    // A readable, writable in-memory stream holding `bytes`.
    static std::shared_ptr<StreamAccess> fromMemory(std::vector<std::uint8_t> bytes);
    // A writable stream to the resource the URI names: a local file for "file", an upload
    // for "http" and "https" (see tessik/HttpUpload.h for when the bytes are sent).
    static std::shared_ptr<StreamAccess> openURIWrite(const Uri& uri);
};

class TESSIK_API RandomAccessFactory {
public:
    // Random access over a stream: positioned reads on a seekable stream, otherwise the
    // rest of the stream read into memory.
    static std::shared_ptr<RandomAccess> fromStream(std::shared_ptr<StreamAccess> stream);
    static std::shared_ptr<RandomAccess> fromMemory(std::vector<std::uint8_t> bytes);
    // The resource the URI names: a local file for "file", one GET for "http" and "https".
    static std::shared_ptr<RandomAccess> openURIRead(const Uri& uri);
};

}  // namespace tessik

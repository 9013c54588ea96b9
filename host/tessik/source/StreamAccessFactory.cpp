#include "tessik/StreamAccessFactory.h"

#include "AccessAdapters.h"
#include "FileStreamAccess.h"
#include "tessik/Error.h"
#include "tessik/MemoryStreamAccess.h"

namespace tessik {

using detail::FileStreamAccess;

std::shared_ptr<StreamAccess> StreamAccessFactory::openFileRead(const std::string& path) {
    return std::make_shared<FileStreamAccess>(path, FileStreamAccess::Mode::READ);
}

std::shared_ptr<StreamAccess> StreamAccessFactory::openFileWrite(const std::string& path) {
    return std::make_shared<FileStreamAccess>(path, FileStreamAccess::Mode::WRITE);
}

std::shared_ptr<StreamAccess> StreamAccessFactory::openFile(const std::string& path) {
    return std::make_shared<FileStreamAccess>(path, FileStreamAccess::Mode::READ_WRITE);
}

std::shared_ptr<StreamAccess> StreamAccessFactory::fromRandomAccess(
    std::shared_ptr<RandomAccess> source) {
    return std::make_shared<detail::StreamOverRandomAccess>(std::move(source));
}

std::shared_ptr<StreamAccess> StreamAccessFactory::fromMemory(std::vector<std::uint8_t> bytes) {
    return std::make_shared<MemoryStreamAccess>(std::move(bytes));
}

std::shared_ptr<RandomAccess> RandomAccessFactory::fromStream(
    std::shared_ptr<StreamAccess> stream) {
    if (!stream)
        throw InvalidArgument("Stream cannot be null");
    if (stream->support(StreamAccessCapability::SEEK)) {
        return std::make_shared<detail::RandomAccessOverStream>(std::move(stream));
    }
    // A stream that cannot seek is read to its end once.
    std::vector<std::uint8_t> bytes;
    std::uint8_t block[65536];
    while (true) {
        const std::uint64_t n = stream->read(sizeof block, block);
        bytes.insert(bytes.end(), block, block + n);
        if (n == 0 || stream->isEof())
            break;
    }
    return std::make_shared<detail::MemoryRandomAccess>(std::move(bytes), stream->description());
}

std::shared_ptr<RandomAccess> RandomAccessFactory::fromMemory(std::vector<std::uint8_t> bytes) {
    return std::make_shared<detail::MemoryRandomAccess>(std::move(bytes), "memory");
}

}  // namespace tessik

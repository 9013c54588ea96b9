#include "tessik/StreamAccessFactory.h"

#include <gtest/gtest.h>
#include <vector>

#include "TempDir.h"
#include "tessik/Error.h"
#include "tessik/MemoryStreamAccess.h"

using tessik::SeekOrigin;
using tessik::StreamAccessCapability;
using tessik::StreamAccessFactory;

namespace {

const std::vector<std::uint8_t> kTen = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};

// Every way the library offers to read the same ten bytes as a stream.
std::vector<std::shared_ptr<tessik::StreamAccess>> tenByteStreams(
    const velmar::test::TempDir& dir) {
    const std::string path = dir.file("ten.bin");
    velmar::test::writeBytes(path, kTen);
    return {
        StreamAccessFactory::openFileRead(path),
        StreamAccessFactory::fromMemory(kTen),
        StreamAccessFactory::fromRandomAccess(tessik::RandomAccessFactory::fromMemory(kTen)),
        StreamAccessFactory::fromRandomAccess(
            tessik::RandomAccessFactory::fromStream(StreamAccessFactory::openFileRead(path))),
    };
}

TEST(StreamAccess, ReadComesUpShortAtTheEndAndThenReportsEof) {
    velmar::test::TempDir dir;
    for (const auto& stream : tenByteStreams(dir)) {
        SCOPED_TRACE(stream->description());
        std::uint8_t block[16] = {};
        EXPECT_EQ(stream->read(4, block), 4u);
        EXPECT_FALSE(stream->isEof());
        EXPECT_EQ(stream->read(16, block), 6u);
        EXPECT_EQ(block[0], 4);
        EXPECT_TRUE(stream->isEof());
        EXPECT_EQ(stream->read(16, block), 0u);
    }
}

TEST(StreamAccess, SeeksFromStartAndEndAndClearsEof) {
    velmar::test::TempDir dir;
    for (const auto& stream : tenByteStreams(dir)) {
        SCOPED_TRACE(stream->description());
        std::uint8_t block[16];
        stream->read(16, block);
        stream->seek(0, SeekOrigin::END);
        EXPECT_EQ(stream->tell(), 10u);
        stream->seek(-3, SeekOrigin::END);
        EXPECT_EQ(stream->read(1, block), 1u);
        EXPECT_EQ(block[0], 7);
        stream->seek(2, SeekOrigin::BEGIN);
        EXPECT_FALSE(stream->isEof());
        EXPECT_EQ(stream->tell(), 2u);
        EXPECT_EQ(stream->read(1, block), 1u);
        EXPECT_EQ(block[0], 2);
        EXPECT_EQ(stream->size(), 10u);
    }
}

TEST(StreamAccess, FileWriteThenReadGivesTheBytesBack) {
    velmar::test::TempDir dir;
    const std::string path = dir.file("out.bin");
    velmar::test::writeBytes(path, std::vector<std::uint8_t>(100, 0xAA));  // truncated on open
    auto out = StreamAccessFactory::openFileWrite(path);
    EXPECT_TRUE(out->support(StreamAccessCapability::WRITE));
    EXPECT_FALSE(out->support(StreamAccessCapability::READ));
    EXPECT_EQ(out->write(kTen.size(), kTen.data()), kTen.size());
    out->close();
    EXPECT_EQ(velmar::test::readBytes(path), kTen);
    auto in = StreamAccessFactory::openFileRead(path);
    EXPECT_FALSE(in->support(StreamAccessCapability::WRITE));
    EXPECT_THROW(in->write(1, kTen.data()), tessik::Error);
}

TEST(StreamAccess, OpenFileTruncatesSoNoOldBytesRemain) {
    velmar::test::TempDir dir;
    const std::string path = dir.file("rw.bin");
    velmar::test::writeBytes(path, std::vector<std::uint8_t>(100, 0xAA));
    auto stream = StreamAccessFactory::openFile(path);
    stream->write(3, kTen.data());
    stream->close();
    EXPECT_EQ(velmar::test::readBytes(path), (std::vector<std::uint8_t>{0, 1, 2}));
}

TEST(StreamAccess, AFailedWriteIsReportedByItsCountAndByClose) {
    auto full = StreamAccessFactory::openFileWrite("/dev/full");
    EXPECT_EQ(full->write(kTen.size(), kTen.data()), 0u);
    EXPECT_THROW(full->flush(), tessik::Error);
    try {
        full->close();
        ADD_FAILURE() << "close did not report the failed write";
    } catch (const tessik::Error& error) {
        EXPECT_NE(std::string(error.what()).find("/dev/full"), std::string::npos) << error.what();
    }
}

TEST(StreamAccess, OpeningMissingFilesOrFoldersFails) {
    velmar::test::TempDir dir;
    EXPECT_THROW(StreamAccessFactory::openFileRead(dir.file("missing")), tessik::Error);
    EXPECT_THROW(StreamAccessFactory::openFileRead(dir.path().string()), tessik::Error);
    EXPECT_THROW(StreamAccessFactory::openFileWrite(dir.file("no/such/dir/a")), tessik::Error);
    EXPECT_THROW(StreamAccessFactory::openFileRead(""), tessik::Error);
}

TEST(RandomAccess, ReadsAtOffsetsWithoutAPosition) {
    auto source = tessik::RandomAccessFactory::fromMemory(kTen);
    std::uint8_t block[4];
    EXPECT_EQ(source->readAt(8, 4, block), 2u);
    EXPECT_EQ(block[0], 8);
    EXPECT_EQ(source->readAt(20, 4, block), 0u);
    EXPECT_EQ(source->readAt(1, 1, block), 1u);
    EXPECT_EQ(block[0], 1);
}

TEST(MemoryStreamAccess, GrowsWhenWrittenPastItsEnd) {
    tessik::MemoryStreamAccess stream;
    stream.write(3, kTen.data());
    stream.seek(1, SeekOrigin::BEGIN);
    stream.write(4, kTen.data());
    EXPECT_EQ(stream.bytes(), (std::vector<std::uint8_t>{0, 0, 1, 2, 3}));
}

TEST(UriAccess, FileUrisOpenLocalFiles) {
    velmar::test::TempDir dir;
    const std::string path = dir.file("u.bin");
    auto out = StreamAccessFactory::openURIWrite(tessik::Uri("file://" + path));
    out->write(kTen.size(), kTen.data());
    out->close();
    auto in = tessik::RandomAccessFactory::openURIRead(tessik::Uri("file://" + path));
    EXPECT_EQ(in->size(), 10u);
    EXPECT_THROW(tessik::RandomAccessFactory::openURIRead(tessik::Uri("ftp://h/a")), tessik::Error);
}

}  // namespace

// One writer writes one image, in the order writeInit, writeData, finish.
#include <cstdlib>

#include "ExpectThrow.h"
#include "ProcessHelpers.h"
#include "TestImages.h"
#include "WebPTestSupport.h"
#include "tessik/Error.h"
#include "tessik/MemoryStreamAccess.h"
#include "tessik/VariantDataValue.h"
#include "velmar/Exceptions.h"

using namespace velmar::test;
using tessik::VariantDataValue;

namespace {

struct Fixture {
    WebPPlugin webp;
    std::shared_ptr<tessik::MemoryStreamAccess> stream =
        std::make_shared<tessik::MemoryStreamAccess>();
    std::shared_ptr<tessik::Writer> make() {
        return webp.library->writer->createWriter(
            makeNoise(6, 4, 3, tessik::ImageInterpretation::RGB, false), stream, "WEBP", {});
    }
};

TEST(WebPWriterState, SetOptionConvertsValuesAndRefusesUnknownNames) {
    Fixture f;
    auto writer = f.make();
    writer->setOption("lossless", VariantDataValue::create(0));
    writer->setOption("quality", VariantDataValue::create(std::string("42.5")));
    writer->setOption("method", VariantDataValue::create(6));
    writer->setOption("alpha_compression", VariantDataValue::create(true));
    writer->setOption("alpha_quality", VariantDataValue::create(3.0));
    EXPECT_THROW_EXACT(
        writer->setOption("quality", VariantDataValue::create(std::nan(""))), tessik::Error,
        "Quality should be between 0 (lossy: smallest, lossless: fastest) and 100 (lossy: "
        "largest, lossless: slowest/best)");
    EXPECT_THROW_EXACT(writer->setOption("method", VariantDataValue::create(7)), tessik::Error,
                       "Method should be between 0 (fast) and 6 (slower-better)");
    for (const char* name : {"Quality", "unknown", ""}) {
        EXPECT_THROW_EXACT(writer->setOption(name, VariantDataValue::create(1)), tessik::Error,
                           "Unknown option parameter. Impossible to set option");
    }
    writer->write();
    EXPECT_FALSE(f.stream->bytes().empty());
    EXPECT_EQ(writer->pluginName(), "Tarsine");
    EXPECT_EQ(writer->pluginVersion(), "2.2.0");
}

TEST(WebPWriterState, CallsOutOfOrderAreRefused) {
    Fixture f;
    auto writer = f.make();
    EXPECT_THROW_EXACT(writer->writeData(), velmar::EncodingError,
                       "Writing data whereas header has not been written yet.");
    writer->writeInit();
    EXPECT_TRUE(f.stream->bytes().empty());  // nothing is written before writeData
    EXPECT_THROW_EXACT(writer->setOption("quality", VariantDataValue::create(50)),
                       velmar::EncodingError,
                       "Calling setOption whereas header has already been written.");
    EXPECT_THROW_EXACT(writer->writeInit(), velmar::EncodingError,
                       "Calling writeInit() whereas header has already been written.");
    writer->writeData();
    writer->finish();
    EXPECT_THROW_EXACT(writer->finish(), velmar::EncodingError,
                       "Finishing file whereas data have not been written yet.");
}

TEST(WebPWriterState, WriteTwiceFailsInWriteInit) {
    Fixture f;
    auto writer = f.make();
    writer->write();
    EXPECT_THROW_EXACT(writer->write(), velmar::EncodingError,
                       "Calling writeInit() whereas header has already been written.");
}

TEST(WebPWriterState, FinishTooEarlyReleasesTheStream) {
    Fixture f;
    auto writer = f.make();
    writer->writeInit();
    EXPECT_EQ(f.stream.use_count(), 2);
    EXPECT_THROW(writer->finish(), velmar::EncodingError);
    EXPECT_EQ(f.stream.use_count(), 1);
}

// Destroys a writer that never finished, with the given logger set-up; what was written.
std::string destroyUnfinished(int level, bool setLevel) {
    Fixture f;
    if (setLevel)
        f.webp.library->writer->setLogLevel(level);
    ::testing::internal::CaptureStdout();
    {
        auto writer = f.make();
        writer->writeInit();
        EXPECT_THROW(writer->finish(), velmar::EncodingError);
    }
    return ::testing::internal::GetCapturedStdout();
}

TEST(WebPWriterState, DestroyingAnUnfinishedWriterWarns) {
    inFreshProcess([] {
        const std::string out = destroyUnfinished(3, true);
        EXPECT_NE(out.find("WebPWriter not in DONE state, but will be destroyed"),
                  std::string::npos)
            << out;
        EXPECT_NE(out.find("[warning]"), std::string::npos) << out;
    });
    inFreshProcess([] { EXPECT_EQ(destroyUnfinished(2, true), ""); });
    inFreshProcess([] { EXPECT_EQ(destroyUnfinished(0, true), ""); });
    // No logger yet: the record is dropped, nothing breaks.
    inFreshProcess([] { EXPECT_EQ(destroyUnfinished(0, false), ""); });
}

TEST(WebPWriterState, AFinishedWriterDoesNotWarn) {
    inFreshProcess([] {
        Fixture f;
        f.webp.library->writer->setLogLevel(6);
        ::testing::internal::CaptureStdout();
        f.make()->write();
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    });
}

}  // namespace

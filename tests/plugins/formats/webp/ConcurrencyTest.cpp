// Distinct extractors and writers used from several threads at once, and concurrent first
// calls of setLogLevel, as ThreadSanitizer checks them (the tsan preset runs this binary).
#include <atomic>
#include <thread>

#include "TestImages.h"
#include "WebPTestSupport.h"
#include "tessik/MemoryStreamAccess.h"
#include "tessik/StreamAccessFactory.h"

using namespace velmar::test;

namespace {

constexpr int kThreads = 4;

template <typename Work>
void onThreads(Work work) {
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back(work, t);
    for (auto& thread : threads)
        thread.join();
}

TEST(Concurrency, DistinctExtractorsReadAtTheSameTime) {
    VELMAR_REQUIRE_CORPUS();
    WebPPlugin webp;
    const char* files[kThreads] = {"test.webp", "lossless1.webp", "lossy_alpha1.webp",
                                   "alpha_filter_2.webp"};
    std::vector<std::vector<std::uint8_t>> expected;
    for (const char* name : files)
        expected.push_back(readAll(*webp.open(corpusFile(name))));
    std::atomic<int> mismatches{0};
    onThreads([&](int t) {
        for (int round = 0; round < 5; ++round) {
            auto view = webp.open(corpusFile(files[t]));
            if (readAll(*view) != expected[static_cast<std::size_t>(t)])
                ++mismatches;
            std::vector<std::uint8_t> pixel(view->dataType().byteCount());
            view->read({1, 1}, pixel.data());
        }
    });
    EXPECT_EQ(mismatches.load(), 0);
}

TEST(Concurrency, DistinctWritersEncodeAtTheSameTime) {
    WebPPlugin webp;
    std::vector<std::shared_ptr<tessik::ImageView>> images;
    for (int t = 0; t < kThreads; ++t) {
        images.push_back(
            makeNoise(40 + t, 30, t % 2 ? 4 : 3, tessik::ImageInterpretation::RGB, t % 2 == 1));
    }
    std::atomic<int> failures{0};
    onThreads([&](int t) {
        for (int round = 0; round < 3; ++round) {
            auto stream = std::make_shared<tessik::MemoryStreamAccess>();
            velmar::OptionMap options;
            options.set("lossless", round % 2 == 0);
            webp.library->writer
                ->createWriter(images[static_cast<std::size_t>(t)], stream, "WEBP", options)
                ->write();
            auto back = webp.extractor().createExtractor(
                tessik::StreamAccessFactory::fromMemory(stream->bytes()), "WEBP", {});
            if (back->shape()[0] != std::uint64_t(40 + t))
                ++failures;
        }
    });
    EXPECT_EQ(failures.load(), 0);
}

TEST(Concurrency, FirstSetLogLevelCallsRaceSafely) {
    WebPPlugin webp;
    onThreads([&](int t) {
        if (t % 2 == 0) {
            webp.library->writer->setLogLevel(3);
        } else {
            webp.extractor().setLogLevel(3);
        }
        // Writers destroyed unfinished log through whichever call created the logger.
        auto writer = webp.library->writer->createWriter(
            makeNoise(4, 4, 3, tessik::ImageInterpretation::RGB, false),
            std::make_shared<tessik::MemoryStreamAccess>(), "WEBP", {});
    });
    SUCCEED();
}

}  // namespace

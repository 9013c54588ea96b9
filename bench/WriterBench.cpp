// Encoding through the plugin beside libwebp encoding the same picture with the same
// configuration: BM_Writer_<Case> and BM_Libwebp_<Case>.
#include <sys/resource.h>
#include <webp/encode.h>

#include "BenchSupport.h"
#include "TestImages.h"
#include "tessik/MemoryStreamAccess.h"

using namespace velmar::bench;

namespace {

const auto& picture() {
    static const auto image = velmar::test::makeImage(
        2048, 1024, 4, tessik::ImageInterpretation::RGB, true,
        [](std::uint32_t c, std::uint64_t x, std::uint64_t y) {
            // Smooth gradients with some texture: neither trivial nor noise.
            const std::uint64_t v =
                c == 3 ? 255 - (x / 64) : (x * (c + 1) + y * (3 - c) + ((x ^ y) & 15));
            return static_cast<std::uint8_t>(v);
        });
    return image;
}

void recordPeakMemory(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MiB"] = double(usage.ru_maxrss) / 1024.0;
}

void writerEncode(benchmark::State& state, bool lossless) {
    velmar::OptionMap options;
    if (!lossless)
        options.set("lossless", false).set("quality", 75.0).set("method", 4);
    std::size_t size = 0;
    for (auto _ : state) {
        auto stream = std::make_shared<tessik::MemoryStreamAccess>();
        webpPlugin().writer->createWriter(picture(), stream, "WEBP", options)->write();
        size = stream->bytes().size();
    }
    state.counters["bytes"] = double(size);
    recordPeakMemory(state);
}

void libwebpEncode(benchmark::State& state, bool lossless) {
    std::size_t size = 0;
    for (auto _ : state) {
        WebPConfig config;
        WebPConfigPreset(&config, WEBP_PRESET_DEFAULT, 60);
        config.lossless = lossless ? 1 : 0;
        config.quality = lossless ? 60 : 75;
        config.method = lossless ? 3 : 4;
        config.alpha_compression = 1;
        config.alpha_quality = 100;
        WebPPicture pic;
        WebPPictureInit(&pic);
        pic.use_argb = 1;
        pic.width = 2048;
        pic.height = 1024;
        WebPPictureImportRGBA(&pic, velmar::test::samplesOf(*picture()), 2048 * 4);
        WebPMemoryWriter memory;
        WebPMemoryWriterInit(&memory);
        pic.writer = WebPMemoryWrite;
        pic.custom_ptr = &memory;
        WebPEncode(&config, &pic);
        size = memory.size;
        WebPMemoryWriterClear(&memory);
        WebPPictureFree(&pic);
    }
    state.counters["bytes"] = double(size);
    recordPeakMemory(state);
}

void BM_Writer_Lossless2048x1024(benchmark::State& s) {
    writerEncode(s, true);
}
void BM_Libwebp_Lossless2048x1024(benchmark::State& s) {
    libwebpEncode(s, true);
}
void BM_Writer_Lossy2048x1024(benchmark::State& s) {
    writerEncode(s, false);
}
void BM_Libwebp_Lossy2048x1024(benchmark::State& s) {
    libwebpEncode(s, false);
}

BENCHMARK(BM_Writer_Lossless2048x1024)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_Libwebp_Lossless2048x1024)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_Writer_Lossy2048x1024)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Libwebp_Lossy2048x1024)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

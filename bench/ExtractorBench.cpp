// Reading through the plugin, each case beside plain libwebp doing the same work. Pairs
// are BM_Extractor_<Case> and BM_Libwebp_<Case>; bench/ratios.py divides them.
#include <webp/decode.h>
#include <webp/demux.h>

#include "BenchSupport.h"
#include "tessik/Region.h"

using namespace velmar::bench;

namespace {

const std::string kBryce = corpusFile("bryce.webp");

std::shared_ptr<tessik::ImageView> openBryce() {
    return webpPlugin().extractor->createExtractor(kBryce, "WEBP", velmar::OptionMap());
}

void BM_Extractor_Open(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(openBryce());
}
BENCHMARK(BM_Extractor_Open)->Unit(benchmark::kMillisecond);

// Features and chunk presence, as the extractor gathers them.
void BM_Libwebp_Open(benchmark::State& state) {
    for (auto _ : state) {
        const auto bytes = readFile(kBryce);
        WebPBitstreamFeatures features;
        benchmark::DoNotOptimize(WebPGetFeatures(bytes.data(), bytes.size(), &features));
        const WebPData data = {bytes.data(), bytes.size()};
        WebPDemuxState demuxState;
        WebPDemuxer* demuxer = WebPDemuxPartial(&data, &demuxState);
        benchmark::DoNotOptimize(WebPDemuxGetI(demuxer, WEBP_FF_FORMAT_FLAGS));
        WebPDemuxDelete(demuxer);
    }
}
BENCHMARK(BM_Libwebp_Open)->Unit(benchmark::kMillisecond);

void extractorRegion(benchmark::State& state, const tessik::RegionX& region) {
    const auto view = openBryce();
    std::vector<std::uint8_t> out(region.elementCount() * view->dataType().byteCount());
    for (auto _ : state) {
        view->readRegion(region, out.data());
        benchmark::DoNotOptimize(out.data());
    }
}

// libwebp's own decode of the file read from disk, cropped as asked, simple upsampling,
// into the caller's buffer.
void libwebpRegion(benchmark::State& state, const tessik::RegionX& region) {
    std::vector<std::uint8_t> out(region.elementCount() * 3);
    for (auto _ : state) {
        const auto bytes = readFile(kBryce);
        WebPDecoderConfig config;
        WebPInitDecoderConfig(&config);
        WebPGetFeatures(bytes.data(), bytes.size(), &config.input);
        const bool full = region.origin()[0] == 0 && region.origin()[1] == 0 &&
                          region.size()[0] == std::uint64_t(config.input.width) &&
                          region.size()[1] == std::uint64_t(config.input.height);
        config.options.use_cropping = full ? 0 : 1;
        config.options.crop_left = int(region.origin()[0]);
        config.options.crop_top = int(region.origin()[1]);
        config.options.crop_width = int(region.size()[0]);
        config.options.crop_height = int(region.size()[1]);
        config.options.no_fancy_upsampling = 1;
        config.output.colorspace = MODE_RGB;
        config.output.is_external_memory = 1;
        config.output.u.RGBA.rgba = out.data();
        config.output.u.RGBA.stride = int(region.size()[0] * 3);
        config.output.u.RGBA.size = out.size();
        if (WebPDecode(bytes.data(), bytes.size(), &config) != VP8_STATUS_OK)
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(out.data());
    }
}

const tessik::RegionX kFull({0, 0}, {11158, 2156});
const tessik::RegionX kTopLeft({0, 0}, {512, 512});
const tessik::RegionX kBottomRight({11158 - 512, 2156 - 512}, {512, 512});
const tessik::RegionX kOdd({1, 1}, {512, 512});

void BM_Extractor_FullRead(benchmark::State& s) {
    extractorRegion(s, kFull);
}
void BM_Libwebp_FullRead(benchmark::State& s) {
    libwebpRegion(s, kFull);
}
void BM_Extractor_TopLeft512(benchmark::State& s) {
    extractorRegion(s, kTopLeft);
}
void BM_Libwebp_TopLeft512(benchmark::State& s) {
    libwebpRegion(s, kTopLeft);
}
void BM_Extractor_BottomRight512(benchmark::State& s) {
    extractorRegion(s, kBottomRight);
}
void BM_Libwebp_BottomRight512(benchmark::State& s) {
    libwebpRegion(s, kBottomRight);
}
// The odd origin is compared with the even one of the same size (target: the path that
// decodes one more row and column and copies costs little).
void BM_Extractor_OddOrigin512(benchmark::State& s) {
    extractorRegion(s, kOdd);
}
void BM_Even_OddOrigin512(benchmark::State& s) {
    extractorRegion(s, kTopLeft);
}

BENCHMARK(BM_Extractor_FullRead)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Libwebp_FullRead)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Extractor_TopLeft512)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Libwebp_TopLeft512)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Extractor_BottomRight512)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Libwebp_BottomRight512)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Extractor_OddOrigin512)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Even_OddOrigin512)->Unit(benchmark::kMillisecond);

}  // namespace

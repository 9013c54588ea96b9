// Bytes as a WebP file over an in-memory stream, then a few regions the input chooses. The
// trailing 4 bytes choose the regions; the rest is the file.
#include <vector>

#include "FuzzSupport.h"
#include "tessik/Error.h"
#include "tessik/StreamAccessFactory.h"

// Images beyond this many pixels are skipped: a bogus header must not turn into an
// out-of-memory report.
constexpr std::uint64_t kMaxPixels = 4u << 20;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    velmar::fuzz::InputReader choices(data + size - 4, 4);
    std::vector<std::uint8_t> file(data, data + size - 4);
    try {
        auto view = velmar::fuzz::webpPlugin().extractor->createExtractor(
            tessik::StreamAccessFactory::fromMemory(std::move(file)), "WEBP", velmar::OptionMap());
        const std::uint64_t w = view->shape()[0], h = view->shape()[1];
        if (w * h > kMaxPixels || w == 0 || h == 0)
            return 0;
        std::vector<std::uint8_t> out(w * h * view->dataType().byteCount());
        for (int i = 0; i < 2; ++i) {
            const std::uint64_t x = choices.byte() % w, y = choices.byte() % h;  // every parity
            const tessik::RegionX region({x, y}, {w - x, h - y});                // to the far edges
            view->readRegion(region, out.data());
        }
        view->read({w - 1, h - 1}, out.data());
    } catch (const tessik::Error&) {
        // Refusals with their fixed messages are the expected outcome for most inputs.
    }
    return 0;
}

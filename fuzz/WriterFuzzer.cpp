// A small picture the input chooses (size, channels, interpretation, alpha flag, options),
// encoded into memory and read back; a file that does not read back is a finding.
#include <vector>

#include "FuzzSupport.h"
#include "tessik/Error.h"
#include "tessik/ImageViewFactory.h"
#include "tessik/MemoryStreamAccess.h"
#include "tessik/StreamAccessFactory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velmar::fuzz::InputReader input(data, size);
    const std::uint64_t w = 1 + input.below(48), h = 1 + input.below(48);
    const std::uint32_t channels = 1 + input.below(4);
    static constexpr tessik::ImageInterpretation kInterpretations[] = {
        tessik::ImageInterpretation::UNKNOWN, tessik::ImageInterpretation::GRAYSCALE,
        tessik::ImageInterpretation::RGB, tessik::ImageInterpretation::YUV};
    const auto interpretation = kInterpretations[input.below(4)];
    const std::uint8_t flags = input.byte();
    velmar::OptionMap options;
    options.set("lossless", (flags & 2) != 0);
    options.set("quality", static_cast<double>(input.below(101)));
    options.set("method", static_cast<std::int64_t>(input.below(7)));
    options.set("alpha_compression", (flags & 4) != 0);
    options.set("alpha_quality", static_cast<std::int64_t>(input.below(101)));

    const tessik::DataType type(tessik::PrimitiveTypeId::UNSIGNED_INTEGER, channels, 8);
    auto image = tessik::ImageViewFactory::allocate({w, h}, type);
    auto* samples = static_cast<std::uint8_t*>(image->buffer());
    for (std::uint64_t i = 0; i < image->bufferSize(); ++i) {
        samples[i] = input.restSize() > 0 ? input.rest()[i % input.restSize()]
                                          : static_cast<std::uint8_t>(i);
    }
    auto properties = tessik::ImageProperties::fromDataType(type);
    properties->imageInfo().setInterpretation(interpretation);
    properties->imageInfo().setAlpha((flags & 1) != 0);
    image->setProperties(properties);

    const auto& webp = velmar::fuzz::webpPlugin();
    auto stream = std::make_shared<tessik::MemoryStreamAccess>();
    try {
        webp.writer->createWriter(image, stream, "WEBP", options)->write();
    } catch (const tessik::Error&) {
        return 0;  // refused (an interpretation the writer cannot apply, say)
    }
    auto back = webp.extractor->createExtractor(
        tessik::StreamAccessFactory::fromMemory(stream->bytes()), "WEBP", velmar::OptionMap());
    if (back->shape() != tessik::VectorX{w, h})
        __builtin_trap();
    std::vector<std::uint8_t> pixels(back->byteCount());
    back->readRegion(tessik::RegionX::createFullRegion(back->shape()), pixels.data());
    return 0;
}

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "AbstractExtractor.h"
#include "tessik/RandomAccess.h"
#include "tessik/StreamAccess.h"
#include "velmar/OptionMap.h"

namespace velmar::webp {

// A read-only view of a WebP image. Construction reads the bitstream features and notes
// which ICCP, EXIF and XMP chunks the file has; every read decodes the stream afresh,
// cropped to the requested rectangle, straight into the caller's buffer when the
// rectangle starts at even coordinates. Pixels are RGB, or RGBA when the image has alpha.
class WebPExtractor final : public common::AbstractExtractor {
public:
    WebPExtractor(std::shared_ptr<tessik::RandomAccess> source, const std::string& format,
                  const velmar::OptionMap& options);
    WebPExtractor(std::shared_ptr<tessik::StreamAccess> source, const std::string& format,
                  const velmar::OptionMap& options);
    WebPExtractor(const std::string& filePath, const std::string& format,
                  const velmar::OptionMap& options);
    ~WebPExtractor() override;

    void read(const tessik::VectorX& index, void* dst) override;
    // Rows the stream does not hold (a file cut short) are left as they were in `dst`.
    void readRegion(const tessik::RegionX& region, void* dst) override;

private:
    WebPExtractor(std::shared_ptr<tessik::StreamAccess> stream, std::int32_t originKind);
    void readHeader();
    void readMetadata();

    std::shared_ptr<tessik::StreamAccess> m_stream;
    std::vector<std::uint8_t> m_buffer;
    bool m_hasAlpha = false;
};

}  // namespace velmar::webp

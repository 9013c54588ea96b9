#pragma once

#include <webp/encode.h>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "tessik/ImageView.h"
#include "tessik/StreamAccess.h"
#include "tessik/View.h"
#include "tessik/Writer.h"
#include "velmar/OptionMap.h"

namespace velmar::webp {

// Writes one image as one WebP file, lossless by default. Options: "lossless" (bool),
// "quality" (0 to 100), "method" (0 to 6), "alpha_compression" (bool), "alpha_quality"
// (0 to 100). Either write(), or writeInit(), writeData(), finish(), each once.
class WebPWriter final : public tessik::Writer {
public:
    enum State : std::int32_t { CREATED = 0, HEADER_WRITTEN = 1, DATA_WRITTEN = 2, DONE = 3 };

    // Writes to a stream shared with the caller, which stays open after finish().
    WebPWriter(std::shared_ptr<tessik::View> view, std::shared_ptr<tessik::StreamAccess> stream,
               const std::string& format, const velmar::OptionMap& options);
    // Writes to a file. The view and the options are checked first: a refused writer
    // leaves a file at `path` untouched and creates none. finish() closes the file and
    // reports a failure to do so.
    WebPWriter(std::shared_ptr<tessik::View> view, const std::string& path,
               const std::string& format, const velmar::OptionMap& options);
    // Logs a warning when the writer did not reach DONE; never throws.
    ~WebPWriter() override;

    void write() override;
    void writeInit() override;
    void writeData() override;
    void finish() override;
    std::string pluginName() const override;
    std::string pluginVersion() const override;
    void setOption(const std::string& name,
                   std::shared_ptr<tessik::VariantDataValue> value) override;

    std::int32_t state() const { return m_state; }

private:
    struct Option;
    static const Option kOptions[];

    void accept(std::shared_ptr<tessik::View> view, const velmar::OptionMap& options);
    void setLossless(bool value);
    void setQuality(double value);
    void setMethod(std::int64_t value);
    void setAlphaCompression(bool value);
    void setAlphaQuality(std::int64_t value);

    void importPacked(bool grey);
    void importYuvPlanes();
    static int writeOutput(const std::uint8_t* data, std::size_t size, const WebPPicture* picture);

    std::int32_t m_state = CREATED;
    std::shared_ptr<tessik::ImageView> m_inputImage;
    std::shared_ptr<tessik::ImageView> m_image;
    std::shared_ptr<tessik::ImageView> m_planeY;
    std::shared_ptr<tessik::ImageView> m_planeU;
    std::shared_ptr<tessik::ImageView> m_planeV;
    std::shared_ptr<tessik::ImageView> m_alphaPlane;
    std::shared_ptr<tessik::StreamAccess> m_output;
    WebPConfig m_config;
    WebPPicture m_picture;
    // The writer opened the output itself (path form) and closes it in finish().
    bool m_ownsOutput = false;
    // An exception the output stream raised inside the encoder's callback, rethrown once
    // the encoder has returned: it must not unwind through libwebp.
    std::exception_ptr m_outputError;
};

}  // namespace velmar::webp

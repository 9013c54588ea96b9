#include "PixelFiles.h"

#include <fmt/format.h>
#include <png.h>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sstream>

#include "tessik/Error.h"
#include "tessik/ImageViewFactory.h"

namespace velmar::cli {

namespace {

using File = std::unique_ptr<FILE, int (*)(FILE*)>;

File openFile(const std::string& path, const char* mode) {
    File file(std::fopen(path.c_str(), mode), &std::fclose);
    if (!file)
        throw tessik::Error(fmt::format("Cannot open {}: {}", path, std::strerror(errno)));
    return file;
}

std::vector<std::uint8_t> readAll(const std::string& path) {
    auto file = openFile(path, "rb");
    std::vector<std::uint8_t> bytes;
    std::uint8_t block[65536];
    std::size_t n;
    while ((n = std::fread(block, 1, sizeof block, file.get())) > 0)
        bytes.insert(bytes.end(), block, block + n);
    if (std::ferror(file.get()))
        throw tessik::Error(fmt::format("Cannot read {}", path));
    return bytes;
}

[[noreturn]] void malformed(const std::string& path, const std::string& why) {
    throw tessik::Error(fmt::format("{}: {}", path, why));
}

// Netpbm headers: tokens separated by white space, "#" comments to the end of the line.
class HeaderReader {
public:
    HeaderReader(const std::vector<std::uint8_t>& bytes, std::size_t at)
        : m_bytes(bytes), m_at(at) {}
    std::string token() {
        skipSpace();
        std::string text;
        while (m_at < m_bytes.size() && !std::isspace(m_bytes[m_at]))
            text += static_cast<char>(m_bytes[m_at++]);
        return text;
    }
    std::string line() {
        skipSpace();
        std::string text;
        while (m_at < m_bytes.size() && m_bytes[m_at] != '\n')
            text += static_cast<char>(m_bytes[m_at++]);
        return text;
    }
    std::uint64_t number(const std::string& path) {
        const std::string text = token();
        if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos ||
            text.size() > 9) {
            malformed(path, "malformed header");
        }
        return std::stoull(text);
    }
    // Past the one white-space byte that ends a PPM/PGM header.
    std::size_t dataStart() const { return m_at + 1; }
    std::size_t at() const { return m_at; }

private:
    void skipSpace() {
        while (m_at < m_bytes.size()) {
            if (m_bytes[m_at] == '#') {
                while (m_at < m_bytes.size() && m_bytes[m_at] != '\n')
                    ++m_at;
            } else if (std::isspace(m_bytes[m_at])) {
                ++m_at;
            } else {
                break;
            }
        }
    }
    const std::vector<std::uint8_t>& m_bytes;
    std::size_t m_at;
};

void requireEightBit(const std::string& path, std::uint64_t maxval) {
    if (maxval != 255) {
        throw tessik::Error(
            fmt::format("{}: only 8-bit samples are supported (maximum value {})", path, maxval));
    }
}

Pixels takeSamples(const std::string& path, const std::vector<std::uint8_t>& bytes,
                   std::size_t start, Pixels pixels) {
    const std::uint64_t count = pixels.width * pixels.height * pixels.channels;
    if (start > bytes.size() || bytes.size() - start < count)
        malformed(path, "pixel data cut short");
    pixels.samples.assign(bytes.begin() + static_cast<long>(start),
                          bytes.begin() + static_cast<long>(start + count));
    return pixels;
}

Pixels readNetpbm(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    HeaderReader header(bytes, 2);
    Pixels pixels;
    if (bytes[1] == '5' || bytes[1] == '6') {
        pixels.channels = bytes[1] == '5' ? 1 : 3;
        pixels.width = header.number(path);
        pixels.height = header.number(path);
        requireEightBit(path, header.number(path));
        return takeSamples(path, bytes, header.dataStart(), std::move(pixels));
    }
    std::uint64_t maxval = 0;
    std::string tupleType;
    while (true) {
        const std::string key = header.token();
        if (key.empty())
            malformed(path, "PAM header without ENDHDR");
        if (key == "ENDHDR")
            break;
        if (key == "WIDTH")
            pixels.width = header.number(path);
        else if (key == "HEIGHT")
            pixels.height = header.number(path);
        else if (key == "DEPTH")
            pixels.channels = static_cast<std::uint32_t>(header.number(path));
        else if (key == "MAXVAL")
            maxval = header.number(path);
        else if (key == "TUPLTYPE")
            tupleType = header.line();
        else
            malformed(path, "unknown PAM header field " + key);
    }
    requireEightBit(path, maxval);
    if (pixels.channels < 1 || pixels.channels > 4)
        malformed(path, "PAM depth must be 1 to 4");
    return takeSamples(path, bytes, header.dataStart(), std::move(pixels));
}

struct PngRead {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngRead() { png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr); }
};

struct PngSource {
    const std::vector<std::uint8_t>* bytes;
    std::size_t at;
};

void pngError(png_structp png, png_const_charp message) {
    auto* text = static_cast<std::string*>(png_get_error_ptr(png));
    *text = message;
    png_longjmp(png, 1);
}

Pixels readPng(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::string error;
    PngRead read;
    read.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &error, pngError, nullptr);
    if (read.png == nullptr)
        throw tessik::Error("PNG reader cannot be created");
    read.info = png_create_info_struct(read.png);
    PngSource source{&bytes, 0};
    Pixels pixels;
    std::vector<png_bytep> rows;
    // libpng reports errors by longjmp; nothing with a destructor is created below.
    if (setjmp(png_jmpbuf(read.png)))
        malformed(path, error);
    png_set_read_fn(read.png, &source, [](png_structp png, png_bytep out, png_size_t n) {
        auto* src = static_cast<PngSource*>(png_get_io_ptr(png));
        if (src->bytes->size() - src->at < n)
            png_error(png, "file cut short");
        std::memcpy(out, src->bytes->data() + src->at, n);
        src->at += n;
    });
    png_read_info(read.png, read.info);
    const int depth = png_get_bit_depth(read.png, read.info);
    const int type = png_get_color_type(read.png, read.info);
    if (depth == 16) {
        throw tessik::Error(
            fmt::format("{}: 16-bit PNG files are not supported; convert to 8 bits first", path));
    }
    if (type == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(read.png);
    if (type == PNG_COLOR_TYPE_GRAY && depth < 8)
        png_set_expand_gray_1_2_4_to_8(read.png);
    if (png_get_valid(read.png, read.info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(read.png);
    png_read_update_info(read.png, read.info);
    pixels.width = png_get_image_width(read.png, read.info);
    pixels.height = png_get_image_height(read.png, read.info);
    pixels.channels = png_get_channels(read.png, read.info);
    pixels.samples.resize(pixels.width * pixels.height * pixels.channels);
    rows.resize(pixels.height);
    for (std::uint64_t y = 0; y < pixels.height; ++y)
        rows[y] = pixels.samples.data() + y * pixels.width * pixels.channels;
    png_read_image(read.png, rows.data());
    return pixels;
}

void writeNetpbm(const Pixels& pixels, bool pam, FILE* out) {
    const bool alpha = pixels.channels == 2 || pixels.channels == 4;
    const std::uint32_t colour = pixels.channels >= 3 ? 3 : 1;
    const std::uint32_t depth = pam ? colour + (alpha ? 1 : 0) : 3;
    std::string header;
    if (pam) {
        header = fmt::format("P7\nWIDTH {}\nHEIGHT {}\nDEPTH {}\nMAXVAL 255\nTUPLTYPE {}\nENDHDR\n",
                             pixels.width, pixels.height, depth,
                             colour == 3 ? (alpha ? "RGB_ALPHA" : "RGB")
                                         : (alpha ? "GRAYSCALE_ALPHA" : "GRAYSCALE"));
    } else {
        header = fmt::format("P6\n{} {}\n255\n", pixels.width, pixels.height);
    }
    std::vector<std::uint8_t> data(header.begin(), header.end());
    data.reserve(data.size() + pixels.width * pixels.height * depth);
    for (std::uint64_t i = 0; i < pixels.width * pixels.height; ++i) {
        const std::uint8_t* p = pixels.samples.data() + i * pixels.channels;
        for (std::uint32_t c = 0; c < (pam ? colour : 3); ++c)
            data.push_back(p[colour == 3 ? c : 0]);
        if (pam && alpha)
            data.push_back(p[pixels.channels - 1]);
    }
    if (std::fwrite(data.data(), 1, data.size(), out) != data.size())
        throw tessik::Error("Cannot write the picture");
}

struct PngWrite {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngWrite() { png_destroy_write_struct(&png, info != nullptr ? &info : nullptr); }
};

void writePng(const Pixels& pixels, FILE* out) {
    std::string error;
    PngWrite write;
    write.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, pngError, nullptr);
    if (write.png == nullptr)
        throw tessik::Error("PNG writer cannot be created");
    write.info = png_create_info_struct(write.png);
    std::vector<png_bytep> rows(pixels.height);
    for (std::uint64_t y = 0; y < pixels.height; ++y) {
        rows[y] = const_cast<png_bytep>(pixels.samples.data() + y * pixels.width * pixels.channels);
    }
    static constexpr int kTypes[] = {0, PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_GRAY_ALPHA,
                                     PNG_COLOR_TYPE_RGB, PNG_COLOR_TYPE_RGB_ALPHA};
    if (setjmp(png_jmpbuf(write.png)))
        throw tessik::Error("Cannot write PNG: " + error);
    png_init_io(write.png, out);
    png_set_IHDR(write.png, write.info, static_cast<png_uint_32>(pixels.width),
                 static_cast<png_uint_32>(pixels.height), 8, kTypes[pixels.channels],
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(write.png, write.info);
    png_write_image(write.png, rows.data());
    png_write_end(write.png, nullptr);
}

}  // namespace

Pixels readPicture(const std::string& path) {
    const auto bytes = readAll(path);
    static constexpr std::uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes.size() >= 8 && std::memcmp(bytes.data(), kPng, 8) == 0)
        return readPng(path, bytes);
    if (bytes.size() >= 3 && bytes[0] == 'P' &&
        (bytes[1] == '5' || bytes[1] == '6' || bytes[1] == '7')) {
        return readNetpbm(path, bytes);
    }
    malformed(path, "not a PNG, PPM, PGM or PAM file");
}

void writePicture(const Pixels& pixels, const std::string& format, const std::string& path) {
    auto out = openFile(path, "wb");
    if (format == "png") {
        writePng(pixels, out.get());
    } else {
        writeNetpbm(pixels, format == "pam", out.get());
    }
    if (std::fflush(out.get()) != 0 || std::fclose(out.release()) != 0) {
        throw tessik::Error(fmt::format("Cannot write {}: {}", path, std::strerror(errno)));
    }
}

std::shared_ptr<tessik::ImageView> toImage(const Pixels& pixels) {
    const tessik::DataType type(tessik::PrimitiveTypeId::UNSIGNED_INTEGER, pixels.channels, 8);
    auto image = tessik::ImageViewFactory::allocate({pixels.width, pixels.height}, type);
    std::memcpy(image->buffer(), pixels.samples.data(), pixels.samples.size());
    auto properties = tessik::ImageProperties::fromDataType(type);
    properties->imageInfo().setInterpretation(pixels.channels >= 3
                                                  ? tessik::ImageInterpretation::RGB
                                                  : tessik::ImageInterpretation::GRAYSCALE);
    properties->imageInfo().setAlpha(pixels.channels == 2 || pixels.channels == 4);
    image->setProperties(properties);
    return image;
}

}  // namespace velmar::cli

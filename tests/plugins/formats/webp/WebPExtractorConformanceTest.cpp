// Every corpus file opens with the shape, data type and properties libwebp reports, and
// reads byte for byte as libwebp decodes it with the same options.
#include <fmt/format.h>
#include <fstream>
#include <map>

#include "Md5.h"
#include "WebPTestSupport.h"

using namespace velmar::test;

namespace {

std::map<std::string, std::string> publishedSums() {
    std::map<std::string, std::string> sums;
    std::ifstream in(corpusFile("libwebp_tests.md5"));
    std::string sum, name;
    while (in >> sum >> name)
        sums[name] = sum;
    return sums;
}

std::vector<std::uint8_t> withHeader(const std::string& header,
                                     const std::vector<std::uint8_t>& pixels) {
    std::vector<std::uint8_t> file(header.begin(), header.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

class CorpusFile : public ::testing::TestWithParam<std::string> {};

TEST_P(CorpusFile, ReadsAsLibwebpDecodesIt) {
    const std::string path = corpusFile(GetParam());
    const auto bytes = readBytes(path);
    WebPBitstreamFeatures features;
    ASSERT_EQ(WebPGetFeatures(bytes.data(), bytes.size(), &features), VP8_STATUS_OK);

    WebPPlugin webp;
    auto view = webp.open(path);
    const bool alpha = features.has_alpha != 0;
    EXPECT_EQ(view->shape(),
              (tessik::VectorX{std::uint64_t(features.width), std::uint64_t(features.height)}));
    EXPECT_EQ(view->dataType(),
              tessik::DataType(alpha ? tessik::DataTypeId::UINT8X4 : tessik::DataTypeId::UINT8X3));
    const auto& info = view->properties()->imageInfo();
    EXPECT_EQ(info.interpretation(), tessik::ImageInterpretation::RGB);
    EXPECT_EQ(info.hasAlpha(), alpha);
    EXPECT_EQ(info.axesInterpretation(), tessik::ImageType(tessik::ImageTypeId::IMAGE));

    const auto pixels = readAll(*view);
    ASSERT_EQ(pixels, libwebpDecode(bytes, alpha));

    if (features.format != 2)
        return;  // published sums are of fancy upsampling for lossy files
    static const auto sums = publishedSums();
    const std::uint64_t count = view->shape().product();
    std::vector<std::uint8_t> rgb, rgba;
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint8_t* p = pixels.data() + i * (alpha ? 4 : 3);
        rgb.insert(rgb.end(), p, p + 3);
        rgba.insert(rgba.end(), p, p + 3);
        rgba.push_back(alpha ? p[3] : 255);
    }
    const auto w = features.width, h = features.height;
    const auto ppmFile = withHeader(fmt::format("P6\n{} {}\n255\n", w, h), rgb);
    // The coding-tool vectors hold the grid (set 1) or the peak picture (set 2).
    if (GetParam().rfind("lossless_vec_1_", 0) == 0) {
        EXPECT_EQ(ppmFile, readBytes(corpusFile("grid.ppm")));
        return;
    }
    if (GetParam().rfind("lossless_vec_2_", 0) == 0) {
        EXPECT_EQ(ppmFile, readBytes(corpusFile("peak.ppm")));
        return;
    }
    const auto ppm = sums.find(GetParam() + ".ppm");
    if (ppm == sums.end())
        return;  // no published sum: libwebp's decode above is the reference
    EXPECT_EQ(md5Hex(ppmFile), ppm->second);
    // The published RGBA sums keep the decoder's alpha even where the file declares none,
    // so they only apply to files with alpha.
    if (!alpha)
        return;
    const auto pam = sums.find(GetParam() + ".pam");
    ASSERT_NE(pam, sums.end()) << "no published sum for " << GetParam();
    EXPECT_EQ(md5Hex(withHeader(fmt::format("P7\nWIDTH {}\nHEIGHT {}\nDEPTH 4\nMAXVAL 255\n"
                                            "TUPLTYPE RGB_ALPHA\nENDHDR\n",
                                            w, h),
                                rgba)),
              pam->second);
}

INSTANTIATE_TEST_SUITE_P(WebPCorpus, CorpusFile, ::testing::ValuesIn(corpusWebPFiles()),
                         fileTestName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CorpusFile);

TEST(WebPCorpus, IsPresent) {
    VELMAR_REQUIRE_CORPUS();
    EXPECT_GT(corpusWebPFiles().size(), 100u);
}

}  // namespace

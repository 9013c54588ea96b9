// Every corpus file cut at a spread of lengths and corrupted at seeded places, read through
// the loaded plugin: each either reads or fails with one of the fixed messages.
#include <random>
#include <set>

#include "WebPTestSupport.h"
#include "tessik/Error.h"
#include "tessik/StreamAccessFactory.h"

using namespace velmar::test;

namespace {

const std::set<std::string> kFixedMessages = {
    "Problem occured during retrieving image informations", "Error during parsing",
    "Error occured during WEBP decoding", "Error at WEBP decoder initialization"};

// Opens and reads the bytes; true when it read, false when it failed with a fixed message.
bool readOrFail(const WebPPlugin& webp, std::vector<std::uint8_t> bytes, std::string& unexpected) {
    try {
        auto view = webp.extractor().createExtractor(
            tessik::StreamAccessFactory::fromMemory(std::move(bytes)), "WEBP", {});
        std::vector<std::uint8_t> out(view->byteCount());
        view->readRegion(tessik::RegionX::createFullRegion(view->shape()), out.data());
        if (view->shape()[0] > 1 && view->shape()[1] > 1) {
            view->readRegion(tessik::RegionX({1, 1}, {view->shape()[0] - 1, view->shape()[1] - 1}),
                             out.data());
        }
        return true;
    } catch (const tessik::Error& error) {
        if (kFixedMessages.count(error.what()) == 0)
            unexpected = error.what();
        return false;
    }
}

class Sweep : public ::testing::TestWithParam<std::string> {};

TEST_P(Sweep, CutsAndCorruptionsReadOrFailWithAFixedMessage) {
    WebPPlugin webp;
    const auto bytes = readBytes(corpusFile(GetParam()));
    std::mt19937 random(static_cast<std::uint32_t>(bytes.size()));
    std::string unexpected;
    for (double fraction : {0.0, 0.05, 0.1, 0.25, 0.5, 0.75, 0.9, 0.99}) {
        const auto length = static_cast<std::size_t>(fraction * double(bytes.size()));
        readOrFail(webp, {bytes.begin(), bytes.begin() + static_cast<long>(length)}, unexpected);
        EXPECT_EQ(unexpected, "") << "cut at " << length;
    }
    for (int round = 0; round < 6; ++round) {
        auto corrupt = bytes;
        for (int k = 0; k < 1 + round; ++k) {
            corrupt[random() % corrupt.size()] = static_cast<std::uint8_t>(random());
        }
        readOrFail(webp, corrupt, unexpected);
        EXPECT_EQ(unexpected, "") << "corruption round " << round;
    }
}

std::vector<std::string> sweptFiles() {
    auto files = corpusWebPFiles();
    // The large picture is for benchmarks: decoding it dozens of times adds nothing here.
    files.erase(std::remove(files.begin(), files.end(), "bryce.webp"), files.end());
    return files;
}

INSTANTIATE_TEST_SUITE_P(WebPCorpus, Sweep, ::testing::ValuesIn(sweptFiles()), fileTestName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(Sweep);

}  // namespace

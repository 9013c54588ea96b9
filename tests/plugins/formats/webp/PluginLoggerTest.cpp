// The plugin's logger comes into being with the first valid setLogLevel. The logger is
// process-wide state, so every case runs in a child process of its own.
#include <spdlog/spdlog.h>
#include <cstdlib>

#include "ExpectThrow.h"
#include "ProcessHelpers.h"
#include "WebPTestSupport.h"
#include "tessik/Error.h"

using namespace velmar::test;

namespace {

// What the plugin's logger writes on standard output for one record of each level.
std::string recordsWritten() {
    auto logger = spdlog::get("Tarsine");
    if (!logger)
        return "<no logger>";
    ::testing::internal::CaptureStdout();
    logger->critical("c-record");
    logger->error("e-record");
    logger->warn("w-record");
    logger->info("i-record");
    logger->debug("d-record");
    return ::testing::internal::GetCapturedStdout();
}

bool has(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

TEST(PluginLogger, FirstLevelStaysAndLaterCallsChangeNothing) {
    inFreshProcess([] {
        WebPPlugin webp;
        EXPECT_EQ(spdlog::get("Tarsine"), nullptr);
        webp.extractor().setLogLevel(4);
        webp.extractor().setLogLevel(0);
        if (webp.library->writer)
            webp.library->writer->setLogLevel(6);
        const std::string out = recordsWritten();
        EXPECT_TRUE(has(out, "i-record")) << out;
        EXPECT_TRUE(has(out, "[Tarsine]")) << out;
        EXPECT_FALSE(has(out, "d-record")) << out;
    });
}

TEST(PluginLogger, LevelZeroCreatesASilentLogger) {
    inFreshProcess([] {
        WebPPlugin webp;
        webp.extractor().setLogLevel(0);
        EXPECT_EQ(recordsWritten(), "");
    });
}

TEST(PluginLogger, WarningsAreWrittenAtLevelThreeNotTwo) {
    for (int level : {3, 2}) {
        inFreshProcess([level] {
            WebPPlugin webp;
            webp.extractor().setLogLevel(level);
            const std::string out = recordsWritten();
            EXPECT_TRUE(has(out, "e-record")) << out;
            EXPECT_EQ(has(out, "w-record"), level == 3) << out;
            EXPECT_FALSE(has(out, "i-record")) << out;
        });
    }
}

TEST(PluginLogger, ARefusedFirstLevelLeavesNoLoggerAndALaterValidOneWorks) {
    for (int refused : {7, -1}) {
        inFreshProcess([refused] {
            WebPPlugin webp;
            EXPECT_THROW_EXACT(webp.extractor().setLogLevel(refused), tessik::Error,
                               "unsupported log level");
            EXPECT_EQ(spdlog::get("Tarsine"), nullptr);
            webp.extractor().setLogLevel(3);
            EXPECT_TRUE(has(recordsWritten(), "w-record"));
        });
    }
}

}  // namespace

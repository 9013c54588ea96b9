// The "http" protocol plugin and the data model's URI access behind it, against the test's
// own server on 127.0.0.1.
#include <arpa/inet.h>
#include <fmt/format.h>
#include <gmock/gmock.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <fstream>
#include <functional>

#include "ExpectThrow.h"
#include "ProcessHelpers.h"
#include "TestHttpServer.h"
#include "WebPTestSupport.h"
#include "tessik/Error.h"
#include "tessik/HttpSettings.h"
#include "velmar/Exceptions.h"

using namespace velmar::test;
using ::testing::HasSubstr;

namespace {

struct HttpFixture : ::testing::Test {
    void SetUp() override {
        if (!hasCorpus())
            GTEST_SKIP() << "WebP corpus not found at " VELMAR_WEBP_CORPUS;
        tessik::HttpSettings settings;
        settings.connectTimeoutSeconds = 5;
        settings.stallTimeoutSeconds = 2;
        tessik::setHttpSettings(settings);
        server = std::make_unique<TestHttpServer>(corpusDir().string(), uploads.path().string());
    }
    void TearDown() override { tessik::setHttpSettings({}); }

    velmar::ProtocolPlugin& plugin() const { return *library->protocol; }
    std::string message(const std::function<void()>& call) {
        try {
            call();
        } catch (const tessik::Error& error) {
            return error.what();
        }
        return "<no error>";
    }

    velmar::PluginLoader loader;
    std::shared_ptr<const velmar::PluginLibrary> library = loader.load(pluginPath("velmar-http"));
    TempDir uploads;
    std::unique_ptr<TestHttpServer> server;
};

TEST_F(HttpFixture, AWebPReadOverHttpEqualsTheFileOnDisk) {
    WebPPlugin webp;
    for (const char* path : {"/files/lossy_alpha1.webp", "/redirect/lossy_alpha1.webp"}) {
        auto source = plugin().openRead(server->url(path), {});
        auto view = webp.extractor().createExtractor(source, "WEBP", {});
        EXPECT_EQ(readAll(*view), readAll(*webp.open(corpusFile("lossy_alpha1.webp")))) << path;
    }
}

TEST_F(HttpFixture, FailuresNameTheirCauseAndTheUri) {
    for (int status : {404, 500}) {
        const std::string uri = server->url(fmt::format("/status/{}", status));
        EXPECT_THROW_EXACT(plugin().openRead(uri, {}), tessik::Error,
                           fmt::format("HTTP {} for {}", status, uri));
    }
    EXPECT_THROW_EXACT(plugin().openRead(server->url("/files/none.webp"), {}), tessik::Error,
                       "HTTP 404 for " + server->url("/files/none.webp"));
    const struct {
        const char* path;
        const char* cause;
    } broken[] = {
        {"/loop", "Maximum (5) redirects followed"},
        {"/short", "transfer closed with 990 bytes remaining"},
        {"/silent", "Operation too slow"},
    };
    for (const auto& b : broken) {
        const std::string uri = server->url(b.path);
        EXPECT_THAT(message([&] { plugin().openRead(uri, {}); }),
                    HasSubstr(fmt::format("Cannot transfer {}: {}", uri, b.cause)));
    }
}

TEST_F(HttpFixture, AClosedPortIsRefusedAtOnce) {
    // A port that was free a moment ago and has no listener now.
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    socklen_t length = sizeof address;
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    close(probe);
    const std::string uri =
        fmt::format("http://127.0.0.1:{}/files/a.webp", ntohs(address.sin_port));
    EXPECT_THAT(message([&] { plugin().openRead(uri, {}); }), HasSubstr("Cannot transfer " + uri));
}

TEST_F(HttpFixture, AnUploadArrivesByteForByteWhenClosed) {
    const auto bytes = readBytes(corpusFile("test.webp"));
    auto stream = plugin().openWrite(server->url("/upload/up.webp"), {});
    EXPECT_TRUE(stream->support(tessik::StreamAccessCapability::WRITE));
    ASSERT_EQ(stream->write(bytes.size(), bytes.data()), bytes.size());
    EXPECT_FALSE(std::filesystem::exists(uploads.file("up.webp")));  // nothing sent before close
    stream->close();
    EXPECT_EQ(readBytes(uploads.file("up.webp")), bytes);
    EXPECT_THROW(stream->write(1, bytes.data()), tessik::Error);
}

TEST_F(HttpFixture, ARefusedUploadReachesTheCallerOfClose) {
    const std::string uri = server->url("/forbidden/up.webp");
    auto stream = plugin().openWrite(uri, {});
    stream->write(3, "abc");
    EXPECT_THROW_EXACT(stream->close(), tessik::Error, "HTTP 403 for " + uri);
}

TEST_F(HttpFixture, AStreamDestroyedWithoutCloseSendsNothing) {
    {
        auto stream = plugin().openWrite(server->url("/upload/dropped.webp"), {});
        stream->write(3, "abc");
    }
    EXPECT_TRUE(plugin().openRead(server->url("/status/200"), {})->size() ==
                0);  // server still answers
    EXPECT_FALSE(std::filesystem::exists(uploads.file("dropped.webp")));
}

TEST(HttpsAccess, TrustsOnlyCertificatesOfAKnownAuthority) {
    VELMAR_REQUIRE_CORPUS();
    TempDir dir;
    const auto at = [&](const char* name) { return dir.file(name); };
    {
        std::ofstream ext(at("ext.cnf"));
        ext << "subjectAltName=IP:127.0.0.1\n";
    }
    ASSERT_TRUE(
        run(fmt::format("{0} req -x509 -newkey rsa:2048 -nodes -keyout {1} -out {2} -days 2 "
                        "-subj /CN=velmar-test-ca",
                        VELMAR_OPENSSL, at("ca.key"), at("ca.pem"))));
    ASSERT_TRUE(
        run(fmt::format("{0} req -newkey rsa:2048 -nodes -keyout {1} -out {2} -subj /CN=127.0.0.1",
                        VELMAR_OPENSSL, at("server.key"), at("server.csr"))));
    ASSERT_TRUE(
        run(fmt::format("{0} x509 -req -in {1} -CA {2} -CAkey {3} -CAcreateserial -out {4} -days 2 "
                        "-extfile {5}",
                        VELMAR_OPENSSL, at("server.csr"), at("ca.pem"), at("ca.key"),
                        at("server.pem"), at("ext.cnf"))));
    TestHttpServer server(corpusDir().string(), dir.path().string(), at("server.pem"),
                          at("server.key"));
    velmar::PluginLoader loader;
    auto http = loader.load(pluginPath("velmar-http"))->protocol;
    const std::string uri = server.url("/files/test.webp");

    tessik::setHttpSettings({});  // the system's store does not know the test's authority
    try {
        http->openRead(uri, {});
        ADD_FAILURE() << "an untrusted certificate was accepted";
    } catch (const tessik::Error& error) {
        EXPECT_THAT(error.what(), HasSubstr("Cannot transfer " + uri));
    }
    tessik::HttpSettings trusting;
    trusting.caBundle = at("ca.pem");
    tessik::setHttpSettings(trusting);
    EXPECT_EQ(http->openRead(uri, {})->size(), readBytes(corpusFile("test.webp")).size());
    tessik::setHttpSettings({});
}

TEST(HttpPlugin, AnswersItsIdentityAndRefusesWhatItDoesNotSupport) {
    velmar::PluginLoader loader;
    auto library = loader.load(pluginPath("velmar-http"));
    auto& http = *library->protocol;
    EXPECT_EQ(http.apiVersion(), 2);
    EXPECT_EQ(http.name(), "http_plugin");
    EXPECT_EQ(http.version(), velmar::PluginVersion("1.0.0"));
    EXPECT_EQ(http.schemes(), (std::unordered_set<std::string>{"http", "https"}));
    for (int level : {-1, 0, 6, 99})
        EXPECT_NO_THROW(http.setLogLevel(level));
    for (const std::string arg : {"", "http://h/a", "anything"}) {
        EXPECT_THROW_EXACT(http.exists(arg), velmar::UnsupportedOperation,
                           "Existence check is not supported for HTTP protocol");
        EXPECT_THROW_EXACT(http.list(arg, arg), velmar::UnsupportedOperation,
                           "Listing is not supported for HTTP protocol");
        EXPECT_THROW_EXACT(http.addCredentials(arg, arg, arg), velmar::UnsupportedOperation,
                           "Adding credentials is not supported for HTTP protocol");
    }
    EXPECT_EQ(loader.findProtocol("http"), library->protocol);
    EXPECT_EQ(loader.findProtocol("https"), library->protocol);
}

TEST(HttpPlugin, HandsEveryStringToTheDataModelUntouched) {
    VELMAR_REQUIRE_CORPUS();
    velmar::PluginLoader loader;
    auto http = loader.load(pluginPath("velmar-http"))->protocol;
    // Another scheme is not refused by the plugin: the data model serves "file" itself.
    const std::string path = corpusFile("test.webp");
    EXPECT_EQ(http->openRead("file://" + path, {})->size(), readBytes(path).size());
    EXPECT_THROW_EXACT(http->openRead("ftp://h/a.webp", {}), tessik::Error,
                       "Unsupported URI scheme ftp in ftp://h/a.webp");
    EXPECT_THROW_EXACT(http->openRead("not a uri", {}), tessik::InvalidArgument,
                       "Invalid URI: not a uri");
    EXPECT_THROW_EXACT(http->openWrite("", {}), tessik::InvalidArgument, "Invalid URI: ");
}

TEST(HttpPlugin, ExportsItsPluginObjectAsData) {
    EXPECT_TRUE(exportsDataSymbol(pluginPath("velmar-http"), "velmar_protocol_plugin"));
}

}  // namespace

// The "file" protocol plugin, loaded through the loader as the host loads it.
#include <fmt/format.h>
#include <boost/filesystem.hpp>
#include <boost/system/system_error.hpp>
#include <regex>

#include "ExpectThrow.h"
#include "ProcessHelpers.h"
#include "WebPTestSupport.h"
#include "tessik/Error.h"
#include "velmar/Exceptions.h"

using namespace velmar::test;
namespace fs = std::filesystem;

namespace {

struct FilePlugin {
    FilePlugin() : library(loader.load(pluginPath("velmar-filesystem"))) {}
    velmar::PluginLoader loader;
    std::shared_ptr<const velmar::PluginLibrary> library;
    velmar::ProtocolPlugin& plugin() const { return *library->protocol; }
};

// Works inside `dir` for the scope, so that relative paths land there.
class InFolder {
public:
    explicit InFolder(const fs::path& dir) : m_previous(fs::current_path()) {
        fs::current_path(dir);
    }
    ~InFolder() { fs::current_path(m_previous); }

private:
    fs::path m_previous;
};

std::string contents(velmar::ProtocolPlugin& plugin, const std::string& uri) {
    auto source = plugin.openRead(uri, {});
    std::string bytes(source->size(), '\0');
    source->readAt(0, bytes.size(), bytes.data());
    return bytes;
}

void writeThrough(velmar::ProtocolPlugin& plugin, const std::string& uri, const std::string& text) {
    auto stream = plugin.openWrite(uri, {});
    ASSERT_EQ(stream->write(text.size(), text.data()), text.size());
    stream->close();
}

TEST(FileSystemPlugin, OpensTheFileEachUriNames) {
    FilePlugin file;
    TempDir dir;
    InFolder here(dir.path());
    const std::string tmp = dir.path().string();
    const std::pair<std::string, std::string> cases[] = {
        {"file:///C:/data/a.png", "C:/data/a.png"},
        {"file:///C:/My%20Images/a+b.png", "C:/My Images/a+b.png"},
        {"file:///C:/data/b.png?v=2#top", "C:/data/b.png"},
        {"file://" + tmp + "/abs.png", tmp + "/abs.png"},
        {"file://server" + tmp + "/share.png", tmp + "/share.png"},
        {"file:C:/data/c.png", "C:/data/c.png"},
        {"data/a.png", "data/a.png"},
        {"other:" + tmp + "/other.png", tmp + "/other.png"},
    };
    fs::create_directories("C:/data");
    fs::create_directories("C:/My Images");
    fs::create_directories("data");
    for (const auto& [uri, path] : cases) {
        SCOPED_TRACE(uri);
        writeThrough(file.plugin(), uri, "bytes of " + path);
        EXPECT_EQ(readBytes(path).size(), ("bytes of " + path).size());
        EXPECT_EQ(contents(file.plugin(), uri), "bytes of " + path);
    }
    // Writing again replaces the file entirely.
    writeThrough(file.plugin(), "data/a.png", "x");
    EXPECT_EQ(contents(file.plugin(), "data/a.png"), "x");
}

TEST(FileSystemPlugin, RefusesUrisWithoutPathOrThatAreNoUriReferences) {
    FilePlugin file;
    for (const char* uri : {"file://server", "file:", "?q", ""}) {
        const std::string message = std::string("URI does not contain a valid path: ") + uri;
        EXPECT_THROW_EXACT(file.plugin().openRead(uri, {}), tessik::InvalidArgument, message);
        EXPECT_THROW_EXACT(file.plugin().openWrite(uri, {}), tessik::InvalidArgument, message);
    }
    for (const char* uri : {"file:///C:\\data\\a.png", "file:///a b.png", "file:///a%zz.png"}) {
        EXPECT_THROW(file.plugin().openRead(uri, {}), boost::system::system_error) << uri;
        EXPECT_THROW(file.plugin().openWrite(uri, {}), boost::system::system_error) << uri;
    }
    EXPECT_THROW(file.plugin().openRead("file:///nonexistent/a.png", {}), tessik::Error);
}

TEST(FileSystemPlugin, ExistsTakesFileUrisAsPathsAndOtherStringsLiterally) {
    FilePlugin file;
    TempDir dir;
    const std::string tmp = dir.path().string();
    writeBytes(dir.file("a.png"), {1});
    fs::create_directory(dir.path() / "folder");
    fs::create_symlink(dir.path() / "missing", dir.path() / "dangling");
    fs::create_symlink(dir.path() / "a.png", dir.path() / "link");
    const std::pair<std::string, bool> cases[] = {
        {tmp + "/a.png", true},
        {tmp + "/folder", true},
        {tmp + "/link", true},
        {tmp + "/dangling", false},
        {tmp + "/none", false},
        {"file://" + tmp + "/a.png", true},
        {"FILE://" + tmp + "/folder", true},
        {"file://" + tmp + "/none", false},
        {"http://h" + tmp + "/a.png", false},  // not a file URI: a literal path
    };
    for (const auto& [text, exists] : cases)
        EXPECT_EQ(file.plugin().exists(text), exists) << text;
}

class Listing : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name :
             {"a.png", "b.png", "a.png.bak", "A.PNG", "with space.png", "100%.png", "hash#.png",
              "back\\slash.png", "na\xC3\xAFve.png", "re(x)[1]+$.png", "sub/c.png"}) {
            fs::create_directories((root / name).parent_path());
            writeBytes((root / name).string(), {'x'});
        }
        fs::create_symlink(root / "a.png", root / "link.png");
    }
    std::vector<std::string> names(const std::unordered_set<std::string>& uris,
                                   const std::string& host = "") {
        std::vector<std::string> result;
        const std::string prefix =
            "file://" + host + root.string() + "/";  // temp paths need no escaping
        for (const auto& uri : uris) {
            EXPECT_EQ(uri.rfind(prefix, 0), 0u) << uri;
            result.push_back(uri.substr(prefix.size()));
        }
        std::sort(result.begin(), result.end());
        return result;
    }

    FilePlugin file;
    TempDir dir;
    fs::path root = dir.path() / "tree";
};

TEST_F(Listing, SelectsMatchingEntriesOfOneFolderAsUris) {
    const auto uris = file.plugin().list("", root.string() + "/*.png");
    EXPECT_EQ(names(uris), (std::vector<std::string>{"100%25.png", "a.png", "a.png.bak", "b.png",
                                                     "hash%23.png", "link.png", "na%C3%AFve.png",
                                                     "re(x)%5B1%5D+$.png", "with%20space.png"}));
    // Every listed URI opens the entry it names.
    for (const auto& uri : uris)
        EXPECT_EQ(contents(file.plugin(), uri), "x") << uri;
    EXPECT_EQ(file.plugin().list("", root.string() + "/*.png"),
              uris);  // unchanged folder, same set
}

TEST_F(Listing, ListsSubfoldersWithoutEnteringThemAndKeepsBackslashNames) {
    EXPECT_EQ(names(file.plugin().list("", root.string() + "/s*")),
              (std::vector<std::string>{"sub"}));
    const auto all = names(file.plugin().list("", root.string() + "/*"));
    EXPECT_EQ(all.size(), 12u);
    EXPECT_EQ(std::count(all.begin(), all.end(), "sub/c.png"), 0);
    // The name with a backslash matches as "back/slash.png" and its URI still opens it.
    const auto backslash = file.plugin().list("", root.string() + "/back*");
    ASSERT_EQ(backslash.size(), 1u);
    EXPECT_EQ(contents(file.plugin(), *backslash.begin()), "x");
}

TEST_F(Listing, IsCaseSensitiveAndTakesRegularExpressionCharactersLiterally) {
    EXPECT_EQ(names(file.plugin().list("", root.string() + "/*.PNG")),
              (std::vector<std::string>{"A.PNG"}));
    EXPECT_EQ(names(file.plugin().list("", root.string() + "/re(x)[1]+$.png")),
              (std::vector<std::string>{"re(x)%5B1%5D+$.png"}));
    EXPECT_EQ(names(file.plugin().list("", root.string() + "/a?png")), std::vector<std::string>{});
}

TEST_F(Listing, GivesNothingForMissingFoldersFilesAsFoldersAndBarePatterns) {
    EXPECT_TRUE(file.plugin().list("", root.string() + "/none/*").empty());
    EXPECT_TRUE(file.plugin().list("", root.string() + "/a.png/*").empty());
    EXPECT_TRUE(file.plugin().list("", "*.png").empty());
    EXPECT_TRUE(file.plugin().list("", root.string() + "/\\").empty());  // a literal backslash
}

TEST_F(Listing, RelativeFoldersGiveUrisOfTheAbsoluteEntry) {
    InFolder here(dir.path());
    const auto uris = file.plugin().list("", "tree/b.p*");
    ASSERT_EQ(uris.size(), 1u);
    EXPECT_EQ(*uris.begin(), "file://" + root.string() + "/b.png");
    EXPECT_EQ(contents(file.plugin(), *uris.begin()), "x");
}

TEST_F(Listing, PutsTheHostIntoEveryUriAndRefusesUrisPastTheirBuffer) {
    const std::string pattern = root.string() + "/b.p*";
    EXPECT_EQ(names(file.plugin().list("server", pattern), "server"),
              (std::vector<std::string>{"b.png"}));
    const std::size_t base = ("file://" + root.string() + "/b.png").size();
    EXPECT_THROW(file.plugin().list(std::string(1025 - base, 'h'), pattern),
                 boost::system::system_error);
    EXPECT_EQ(file.plugin().list(std::string(1024 - base, 'h'), pattern).begin()->size(), 1024u);
}

TEST(FileSystemPlugin, ListsALargeFolderWithManyAsterisksInThePattern) {
    FilePlugin file;
    TempDir dir;
    for (int i = 0; i < 300; ++i)
        writeBytes(dir.file(fmt::format("{:03}", i) + std::string(252, 'a')), {});
    std::string pattern = dir.path().string() + "/";
    for (int i = 0; i < 20; ++i)
        pattern += "*a";
    EXPECT_EQ(file.plugin().list("", pattern + "b").size(), 0u);
    EXPECT_EQ(file.plugin().list("", pattern).size(), 300u);
}

TEST(FileSystemPlugin, AnswersItsIdentityAndRefusesCredentials) {
    FilePlugin file;
    EXPECT_EQ(file.plugin().apiVersion(), 2);
    EXPECT_EQ(file.plugin().name(), "filesystem_plugin");
    EXPECT_EQ(file.plugin().version(), velmar::PluginVersion("1.0.0"));
    EXPECT_EQ(file.plugin().schemes(), (std::unordered_set<std::string>{"file"}));
    for (int level : {-1, 0, 3, 100})
        EXPECT_NO_THROW(file.plugin().setLogLevel(level));
    EXPECT_THROW_EXACT(file.plugin().addCredentials("", "", ""), velmar::UnsupportedOperation,
                       "Adding credentials is not supported for FileSystem protocol");
    EXPECT_EQ(file.loader.findProtocol("file"), file.library->protocol);
    EXPECT_EQ(file.loader.findProtocol("http"), nullptr);
    EXPECT_TRUE(exportsDataSymbol(pluginPath("velmar-filesystem"), "velmar_protocol_plugin"));
}

TEST(FileSystemPlugin, AWebPFileOpenedThroughItReadsThroughTheWebPExtractor) {
    VELMAR_REQUIRE_CORPUS();
    FilePlugin file;
    WebPPlugin webp;
    const std::string path = corpusFile("lossy_alpha1.webp");
    auto source = file.plugin().openRead("file://" + path, {});
    auto view = webp.extractor().createExtractor(source, "WEBP", {});
    EXPECT_EQ(readAll(*view), readAll(*webp.open(path)));
}

}  // namespace

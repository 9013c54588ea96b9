#include "velmar/PluginLoader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TempDir.h"
#include "tessik/Error.h"

using ::testing::HasSubstr;

namespace {

std::string testPlugin(const std::string& name) {
    return std::string(VELMAR_TEST_PLUGIN_DIR) + "/lib" + name + VELMAR_DEBUG_POSTFIX + ".so";
}

std::string refusal(const std::string& path) {
    velmar::PluginLoader loader;
    try {
        loader.load(path);
    } catch (const tessik::Error& error) {
        EXPECT_TRUE(loader.libraries().empty());
        return error.what();
    }
    ADD_FAILURE() << "loaded " << path;
    return {};
}

TEST(PluginLoader, RefusesAFileThatIsNotALibrary) {
    velmar::test::TempDir dir;
    const std::string path = dir.file("libfake.so");
    velmar::test::writeBytes(path, {'n', 'o', 't', ' ', 'E', 'L', 'F'});
    const std::string message = refusal(path);
    EXPECT_THAT(message, HasSubstr("Cannot load plugin library " + path));
}

TEST(PluginLoader, RefusesAMissingFile) {
    EXPECT_THAT(refusal("/nonexistent/libx.so"), HasSubstr("Cannot load plugin library"));
}

TEST(PluginLoader, RefusesALibraryWithoutPluginObjects) {
    const std::string path = testPlugin("velmar-test-nosymbols");
    EXPECT_THAT(refusal(path),
                HasSubstr("Plugin library " + path + " refused: it exports none of"));
}

TEST(PluginLoader, RefusesAPluginOfAnotherInterfaceVersionAskingNothingElse) {
    const std::string path = testPlugin("velmar-test-wrongapi");
    EXPECT_EQ(refusal(path), "Plugin library " + path +
                                 " refused: velmar_protocol_plugin has interface version 3, "
                                 "expected 2");
}

TEST(PluginLoader, LoadDirectoryKeepsRefusalsAndFailsOnUnreadableFolders) {
    velmar::PluginLoader loader;
    loader.loadDirectory(VELMAR_TEST_PLUGIN_DIR);
    EXPECT_GE(loader.errors().size(), 2u);
    EXPECT_THROW(loader.loadDirectory("/nonexistent-folder"), tessik::Error);
}

}  // namespace

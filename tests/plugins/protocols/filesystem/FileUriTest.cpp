#include "FileUri.h"

#include <gtest/gtest.h>
#include <boost/system/system_error.hpp>

#include "ExpectThrow.h"
#include "ListingPattern.h"
#include "tessik/Error.h"

using velmar::filesystem::compilePattern;
using velmar::filesystem::isFileUri;
using velmar::filesystem::translatePattern;
using velmar::filesystem::uriToLocalPath;

namespace {

TEST(FileUriToPath, KeepsTheLeadingSlashOfAbsolutePathsAndDropsItBeforeDrives) {
    const std::pair<const char*, const char*> cases[] = {
        {"file:///C:/data/a.png", "C:/data/a.png"},
        {"file:///C:/My%20Images/a+b.png", "C:/My Images/a+b.png"},
        {"file:///C:/data/a.png?v=2#top", "C:/data/a.png"},
        {"file:///tmp/a.png", "/tmp/a.png"},
        {"file://server/share/a.png", "/share/a.png"},
        {"file://C:/data/a.png", "/data/a.png"},  // C: is a host with an empty port
        {"file:////server/share/a.png", "//server/share/a.png"},
        {"file:C:/data/a.png", "C:/data/a.png"},
        {"data/a.png", "data/a.png"},
        {"C:/data/a.png", "/data/a.png"},  // C is the scheme
        {"other:/data/a.png", "/data/a.png"},
        {"file:///tmp/a%2Fb.png", "/tmp/a/b.png"},  // an encoded slash is decoded too
        {"file:///", "/"},
    };
    for (const auto& [uri, path] : cases)
        EXPECT_EQ(uriToLocalPath(uri), path) << uri;
}

TEST(FileUriToPath, RefusesAnEmptyPathWithTheUri) {
    for (const char* uri : {"file://server", "file:", "?q", ""}) {
        EXPECT_THROW_EXACT(uriToLocalPath(uri), tessik::InvalidArgument,
                           std::string("URI does not contain a valid path: ") + uri);
    }
}

TEST(FileUriToPath, PassesOnTheUriLibrarysErrorForWhatIsNotAUriReference) {
    for (const char* uri : {"file:///C:\\data\\a.png", "file:///a b.png", "file:///a%zz.png"}) {
        EXPECT_THROW(uriToLocalPath(uri), boost::system::system_error) << uri;
    }
}

TEST(FileUriToPath, RecognisesFileUrisInAnyCase) {
    EXPECT_TRUE(isFileUri("file:///tmp/a"));
    EXPECT_TRUE(isFileUri("FILE:///tmp/a"));
    EXPECT_FALSE(isFileUri("/tmp/a"));
    EXPECT_FALSE(isFileUri("C:/tmp/a"));
    EXPECT_FALSE(isFileUri("http://h/a"));
}

TEST(ListingPattern, EscapesRegularExpressionCharactersAndMakesAsterisksWildcards) {
    EXPECT_EQ(translatePattern("/d/*.png"), "/d/[^/]*\\.png(.*)");
    EXPECT_EQ(translatePattern("/d/a***b"), "/d/a[^/]*b(.*)");
    EXPECT_EQ(translatePattern("/d/(x)[1]{2}+^$|?"), "/d/\\(x\\)\\[1\\]\\{2\\}\\+\\^\\$\\|\\?(.*)");
    const std::pair<const char*, bool> names[] = {
        {"/d/a.png", true},  {"/d/a.png.bak", true}, {"/d/apng", false},
        {"/d/A.PNG", false}, {"/d/s/a.png", false},  {"/e/a.png", false},
    };
    const auto pattern = compilePattern("/d/*.png");
    for (const auto& [name, matches] : names)
        EXPECT_EQ(std::regex_match(name, pattern), matches) << name;
}

// Found by the file-URI fuzzer: a backslash followed by a long number reached the
// standard library's expression compiler, which overflows a signed integer on it.
TEST(ListingPattern, BackslashesAreLiteralSoNoEscapeReachesTheCompiler) {
    EXPECT_EQ(translatePattern("/d/a\\1"), "/d/a\\\\1(.*)");
    for (const char* pattern :
         {"/d/\\3333333333333333333333", "/d/\\{3333333333333333333333}", "/d/a\\", "/d/\\d+"}) {
        const auto expression = compilePattern(pattern);
        EXPECT_TRUE(std::regex_match(pattern, expression)) << pattern;
    }
    EXPECT_FALSE(std::regex_match("/d/a1", compilePattern("/d/a\\1")));
}

TEST(ListingPattern, ManyAsterisksAgainstLongNamesStayPolynomial) {
    // A backtracking matcher needs exponential time here; the test's timeout guards it.
    std::string pattern = "/d/";
    for (int i = 0; i < 20; ++i)
        pattern += "*a";
    pattern += "b";
    const auto expression = compilePattern(pattern);
    const std::string name = "/d/" + std::string(254, 'a') + "c";
    for (int i = 0; i < 50; ++i)
        EXPECT_FALSE(std::regex_match(name, expression));
}

}  // namespace

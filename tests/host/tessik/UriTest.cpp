#include "tessik/Uri.h"

#include <gtest/gtest.h>

#include "ExpectThrow.h"
#include "tessik/Error.h"

namespace {

TEST(Uri, SplitsAnAbsoluteUriIntoItsParts) {
    const tessik::Uri uri("HTTPS://user@example.org:8443/a%20b/c.webp?x=1#top");
    EXPECT_EQ(uri.scheme(), "https");
    EXPECT_TRUE(uri.hasAuthority());
    EXPECT_EQ(uri.userInfo(), "user");
    EXPECT_EQ(uri.host(), "example.org");
    EXPECT_EQ(uri.port(), "8443");
    EXPECT_EQ(uri.path(), "/a%20b/c.webp");
    EXPECT_EQ(uri.decodedPath(), "/a b/c.webp");
    EXPECT_EQ(uri.query(), "x=1");
    EXPECT_EQ(uri.fragment(), "top");
    EXPECT_EQ(uri.toString(), "HTTPS://user@example.org:8443/a%20b/c.webp?x=1#top");
}

TEST(Uri, KeepsAbsentQueryAndFragmentApartFromEmptyOnes) {
    const tessik::Uri plain("file:///tmp/a.webp");
    EXPECT_FALSE(plain.query().has_value());
    EXPECT_FALSE(plain.fragment().has_value());
    const tessik::Uri empty("http://h/p?#");
    EXPECT_EQ(empty.query(), "");
    EXPECT_EQ(empty.fragment(), "");
}

TEST(Uri, RefusesWhatIsNotAnAbsoluteUri) {
    const char* refused[] = {
        "",                     // empty
        "relative/path.webp",   // no scheme
        "http://a b/",          // space
        "http://h/%zz",         // bad percent escape
        "file:///C:\\data\\a",  // backslashes
        "1http://h/",           // scheme must start with a letter
    };
    for (const char* text : refused) {
        EXPECT_THROW_EXACT(tessik::Uri{text}, tessik::InvalidArgument,
                           std::string("Invalid URI: ") + text);
    }
}

}  // namespace

// The built tool run as a person runs it: a process, its exit status, its output and the
// files it writes.
#include <fcntl.h>
#include <fmt/format.h>
#include <gmock/gmock.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TempDir.h"
#include "WebPTestSupport.h"

using namespace velmar::test;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

namespace {

struct Run {
    int status = -1;
    std::string out, err;
};

std::string slurp(int fd) {
    std::string text;
    char buffer[65536];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(n));
    close(fd);
    return text;
}

// Runs the tool with `args`; standard error goes to a file so both pipes never block.
Run velmar(std::vector<std::string> args, const std::vector<std::string>& env = {}) {
    TempDir scratch;
    const std::string errPath = scratch.file("stderr");
    int out[2];
    EXPECT_EQ(pipe(out), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(err, 2);
        close(out[0]);
        unsetenv("VELMAR_PLUGIN_PATH");
        for (const auto& e : env)
            putenv(const_cast<char*>(e.c_str()));
        std::vector<char*> argv{const_cast<char*>(VELMAR_TOOL)};
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(VELMAR_TOOL, argv.data());
        _exit(127);
    }
    close(out[1]);
    Run run;
    run.out = slurp(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    const auto err = readBytes(errPath);
    run.err.assign(err.begin(), err.end());
    return run;
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        if (!hasCorpus())
            GTEST_SKIP() << "WebP corpus not found at " VELMAR_WEBP_CORPUS;
    }
    TempDir dir;
};

TEST_F(Cli, ListsThePluginsItFindsNextToItself) {
    const auto run = velmar({"plugins"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("Tarsine 2.2.0\n  formats:    WEBP (.webp)"));
    EXPECT_THAT(run.out, HasSubstr("filesystem_plugin 1.0.0\n  schemes:    file"));
    EXPECT_THAT(run.out, HasSubstr("http_plugin 1.0.0\n  schemes:    http, https"));
    EXPECT_THAT(run.out, HasSubstr("libvelmar-WebP"));
}

TEST_F(Cli, InfoDescribesAnImageInTextAndJson) {
    TempDir d;
    writeBytes(d.file("p"), {'x'});
    const std::string file = d.file("meta.webp");
    ASSERT_TRUE(run(fmt::format("{} -set xmp {} {} -o {}", VELMAR_WEBPMUX, d.file("p"),
                                corpusFile("lossy_alpha1.webp"), file)));
    const auto text = velmar({"info", file});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(
        text.out,
        "width:          1000\nheight:         307\ndata type:      UINT8x4\nchannels:       4\n"
        "alpha:          yes\ninterpretation: RGB\nmetadata:       XMP\n"
        "origin:         Tarsine Extractor (kind 2, file)\n");
    const auto json = velmar({"info", "--json", "file://" + file});
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(
        json.out,
        "{\"width\":1000,\"height\":307,\"dataType\":\"UINT8x4\",\"channels\":4,\"hasAlpha\":true,"
        "\"interpretation\":\"RGB\",\"metadata\":[\"XMP\"],\"origin\":{\"kind\":0,\"description\":"
        "\"Tarsine Extractor\"}}\n");
}

TEST_F(Cli, DecodesAnImageOrARegionByTheOutputsExtension) {
    WebPPlugin webp;
    const auto view = webp.open(corpusFile("lossy_alpha1.webp"));
    const auto full = readAll(*view);
    const auto raw =
        velmar({"decode", corpusFile("lossy_alpha1.webp"), "-", "--region", "3,2,5,4"});
    ASSERT_EQ(raw.status, 0) << raw.err;
    std::vector<std::uint8_t> expected;
    for (int y = 2; y < 6; ++y) {
        expected.insert(expected.end(), full.begin() + (y * 1000 + 3) * 4,
                        full.begin() + (y * 1000 + 8) * 4);
    }
    EXPECT_EQ(std::vector<std::uint8_t>(raw.out.begin(), raw.out.end()), expected);

    for (const char* name : {"r.ppm", "r.pam", "r.png", "r.raw"}) {
        const auto run = velmar(
            {"decode", corpusFile("lossy_alpha1.webp"), dir.file(name), "--region", "3,2,5,4"});
        EXPECT_EQ(run.status, 0) << name << run.err;
    }
    EXPECT_EQ(readBytes(dir.file("r.raw")), expected);
    const auto pam = readBytes(dir.file("r.pam"));
    const std::string header =
        "P7\nWIDTH 5\nHEIGHT 4\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    EXPECT_EQ(std::string(pam.begin(), pam.begin() + static_cast<long>(header.size())), header);
    EXPECT_EQ(std::vector<std::uint8_t>(pam.begin() + static_cast<long>(header.size()), pam.end()),
              expected);
    EXPECT_EQ(readBytes(dir.file("r.ppm")).size(),
              std::string("P6\n5 4\n255\n").size() + 5 * 4 * 3);
    // A PNG of an opaque region reads back, through the tool, as the same pixels.
    ASSERT_EQ(
        velmar({"decode", corpusFile("test.webp"), dir.file("t.png"), "--region", "7,9,31,17"})
            .status,
        0);
    const auto back = velmar({"encode", dir.file("t.png"), dir.file("back.webp")});
    ASSERT_EQ(back.status, 0) << back.err;
    const auto source = webp.open(corpusFile("test.webp"));
    std::vector<std::uint8_t> region(31 * 17 * 3);
    source->readRegion(tessik::RegionX({7, 9}, {31, 17}), region.data());
    EXPECT_EQ(readAll(*webp.open(dir.file("back.webp"))), region);
}

TEST_F(Cli, EncodesLosslesslyByDefaultAndLossilyOnRequest) {
    WebPPlugin webp;
    const std::string grid = corpusFile("grid.png");
    ASSERT_EQ(velmar({"encode", grid, dir.file("lossless.webp")}).status, 0);
    const auto lossless = readAll(*webp.open(dir.file("lossless.webp")));
    // grid.pam's pixels: the PPM form holds the colours; transparent pixels aside, exact.
    const auto ppm = readBytes(corpusFile("grid.ppm"));
    for (int i = 0; i < 256; ++i) {
        if (lossless[i * 4 + 3] == 0)
            continue;
        EXPECT_EQ(lossless[i * 4], ppm[13 + i * 3]) << i;
    }
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--lossy", "--quality", "30"},
             {"--lossy", "--quality", "90", "--method", "6", "--alpha-quality", "50",
              "--no-alpha-compression"},
             {"--option", "lossless=false", "--option", "quality=75.5"}}) {
        std::vector<std::string> all = {"encode", corpusFile("peak.png"), dir.file("lossy.webp")};
        all.insert(all.end(), args.begin(), args.end());
        const auto run = velmar(all);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(webp.open(dir.file("lossy.webp"))->shape()[0], 128u);
    }
    // Several inputs into a folder.
    fs::create_directory(dir.path() / "out");
    const auto many = velmar({"encode", grid, corpusFile("peak.ppm"), "-o", dir.file("out")});
    EXPECT_EQ(many.status, 0) << many.err;
    EXPECT_TRUE(fs::exists(dir.path() / "out/grid.webp"));
    EXPECT_TRUE(fs::exists(dir.path() / "out/peak.webp"));
}

TEST_F(Cli, ARefusedEncodeLeavesTheExistingFileAsItWas) {
    const std::vector<std::uint8_t> precious = {'k', 'e', 'e', 'p'};
    writeBytes(dir.file("target.webp"), precious);
    const auto run =
        velmar({"encode", corpusFile("peak.png"), dir.file("target.webp"), "--quality", "101"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "velmar: Quality should be between 0 (lossy: smallest, lossless: fastest) and 100 "
              "(lossy: largest, "
              "lossless: slowest/best)\n");
    EXPECT_EQ(readBytes(dir.file("target.webp")), precious);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()),
              1);  // no temporary left
}

TEST_F(Cli, ReportsErrorsInOneLineWithTheirOwnMessage) {
    const std::string text = dir.file("text.webp");
    writeBytes(text, {'h', 'e', 'l', 'l', 'o', '\n'});
    writeBytes(dir.file("deep.png"), {});
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err;
    } cases[] = {
        {{"info", dir.file("missing.webp")},
         1,
         "velmar: Cannot open file " + dir.file("missing.webp") +
             " for reading: No such file or directory\n"},
        {{"info", text}, 1, "velmar: Problem occured during retrieving image informations\n"},
        {{"decode", corpusFile("test.webp"), dir.file("o.png"), "--region", "100,0,29,1"},
         1,
         "velmar: Required region out of image bounds\n"},
        {{"encode", corpusFile("peak.png"), dir.file("o.webp"), "--option", "method=9"},
         1,
         "velmar: Method should be between 0 (fast) and 6 (slower-better)\n"},
        {{"encode", corpusFile("peak.png"), dir.file("o.webp"), "--bogus"},
         2,
         "velmar: unknown option --bogus\nTry 'velmar --help'.\n"},
        {{"decode", corpusFile("test.webp"), dir.file("o.bmp")},
         2,
         "velmar: OUT must end in .ppm, .pam, .png or .raw, or be -\nTry 'velmar --help'.\n"},
        {{"--plugins", dir.file("none"), "plugins"},
         1,
         "velmar: Cannot read plugin folder " + dir.file("none") + ": No such file or directory\n"},
        {{"frobnicate"}, 2, "velmar: unknown command frobnicate\nTry 'velmar --help'.\n"},
    };
    for (const auto& c : cases) {
        const auto run = velmar(c.args);
        EXPECT_EQ(run.status, c.status) << c.args[0];
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "");
    }
}

TEST_F(Cli, RefusesSixteenBitPicturesClearly) {
    // A 1 x 1, 16-bit grey PGM.
    writeBytes(dir.file("deep.pgm"),
               {'P', '5', '\n', '1', ' ', '1', '\n', '6', '5', '5', '3', '5', '\n', 0, 0});
    const auto run = velmar({"encode", dir.file("deep.pgm"), dir.file("o.webp")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "velmar: " + dir.file("deep.pgm") +
                           ": only 8-bit samples are supported (maximum value 65535)\n");
}

TEST_F(Cli, ListsMatchingFilesSortedAsUris) {
    for (const char* name : {"b.webp", "a.webp", "c.png"})
        writeBytes(dir.file(name), {});
    const auto run = velmar({"ls", dir.file("*.webp")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "file://" + dir.file("a.webp") + "\nfile://" + dir.file("b.webp") + "\n");
    EXPECT_THAT(velmar({"ls", dir.file("*.webp"), "--host", "server"}).out,
                HasSubstr("file://server/"));
}

TEST_F(Cli, FindsPluginsThroughThePathVariableAndPluginsOption) {
    // From an empty folder of its own the tool finds nothing; the variable brings them back.
    const std::string tool = dir.file("velmar");
    fs::copy_file(VELMAR_TOOL, tool);
    fs::permissions(tool, fs::perms::owner_all);
    auto runCopy = [&](std::vector<std::string> args, std::vector<std::string> env) {
        std::string command;
        for (const auto& e : env)
            command += e + " ";
        command += tool;
        for (const auto& a : args)
            command += " '" + a + "'";
        return std::system((command + " > /dev/null 2>&1").c_str());
    };
    EXPECT_NE(runCopy({"info", corpusFile("test.webp")}, {"env -u VELMAR_PLUGIN_PATH"}), 0);
    EXPECT_EQ(runCopy({"info", corpusFile("test.webp")},
                      {"env", "VELMAR_PLUGIN_PATH=/nonexistent-a:" VELMAR_PLUGIN_DIR}),
              256);  // an unreadable folder in the variable is an error too
    EXPECT_EQ(runCopy({"info", corpusFile("test.webp")},
                      {"env", "VELMAR_PLUGIN_PATH=" VELMAR_PLUGIN_DIR}),
              0);
    EXPECT_EQ(runCopy({"--plugins", VELMAR_PLUGIN_DIR, "info", corpusFile("test.webp")},
                      {"env -u VELMAR_PLUGIN_PATH"}),
              0);
}

TEST_F(Cli, AnswersHelpAndVersion) {
    EXPECT_THAT(velmar({"--help"}).out, HasSubstr("usage: velmar"));
    for (const char* command : {"plugins", "info", "decode", "encode", "ls"}) {
        const auto run = velmar({command, "--help"});
        EXPECT_EQ(run.status, 0);
        EXPECT_THAT(run.out, HasSubstr(std::string("usage: velmar ") + command));
    }
    EXPECT_EQ(velmar({"--version"}).out, "velmar 0.1.0\n");
    EXPECT_EQ(velmar({}).status, 2);
}

}  // namespace

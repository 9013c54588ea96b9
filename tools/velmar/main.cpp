// velmar: read, write and list images through the velmar plugins, as a host does.
#include <fmt/format.h>
#include <unistd.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <sstream>

#include "AtomicOutput.h"
#include "PixelFiles.h"
#include "PluginSet.h"
#include "tessik/Error.h"
#include "tessik/StreamAccessFactory.h"

namespace velmar::cli {
namespace {

constexpr const char* kVersion = "0.1.0";

// A mistake in the command line: exit status 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

const std::map<std::string, std::string> kHelp = {
    {"", R"(usage: velmar [--plugins DIR]... COMMAND [ARGS]

Commands:
  plugins                    list the plugins found
  info [--json] IMAGE        shape, type, metadata and origin of an image
  decode IMAGE OUT [--region X,Y,W,H]
                             write the image, or a region of it, as .ppm, .pam, .png,
                             .raw, or raw samples to standard output with "-"
  encode IN... (OUT | -o DIR) [--lossy] [--quality Q] [--method M]
         [--alpha-quality A] [--no-alpha-compression] [--option KEY=VALUE]...
                             encode PNG, PPM, PGM or PAM pictures (WebP by OUT's extension)
  ls PATTERN [--host H]      list the files matching a pattern, as URIs

IMAGE and OUT are paths or URIs (file://, http://, https://). Plugins are loaded from the
tool's own plugin folder, each folder of VELMAR_PLUGIN_PATH (":"-separated) and each --plugins.
Run 'velmar COMMAND --help' for a command's options.
)"},
    {"plugins",
     "usage: velmar plugins\n\nEach plugin: name, version, formats and extensions or schemes, "
     "library.\n"},
    {"info",
     "usage: velmar info [--json] IMAGE\n\nWidth, height, data type, channels, alpha, "
     "interpretation,\n"
     "metadata children and origin of IMAGE. --json prints one JSON object.\n"},
    {"decode",
     "usage: velmar decode IMAGE OUT [--region X,Y,W,H]\n\nOUT by extension: .ppm (RGB, alpha "
     "dropped), "
     ".pam (RGB or RGB_ALPHA),\n.png, .raw (samples as read); \"-\" writes raw samples to standard "
     "output.\n"},
    {"encode",
     "usage: velmar encode IN OUT [options]\n       velmar encode IN... -o DIR [options]\n\n"
     "  --lossy                 lossy coding (default: lossless)\n"
     "  --quality Q             0 to 100 (default 60)\n"
     "  --method M              0 (fast) to 6 (slower, better; default 3)\n"
     "  --alpha-quality A       0 to 100 (default 100)\n"
     "  --no-alpha-compression  store alpha uncompressed\n"
     "  --option KEY=VALUE      any writer option (true/false, integers, numbers, text)\n"
     "The output is written to a temporary file and renamed over OUT only on success.\n"},
    {"ls",
     "usage: velmar ls PATTERN [--host H]\n\nThe entries of PATTERN's folder matching it (\"*\" "
     "within a name), "
     "as URIs,\none a line, sorted.\n"},
};

// Arguments of one command: positionals and "--name [value]" options.
class Arguments {
public:
    Arguments(std::vector<std::string> args, const std::vector<std::string>& flags,
              const std::vector<std::string>& valued) {
        for (std::size_t i = 0; i < args.size(); ++i) {
            const std::string& a = args[i];
            if (a.size() > 1 && a[0] == '-' && a != "-") {
                if (std::find(flags.begin(), flags.end(), a) != flags.end()) {
                    m_flags.push_back(a);
                } else if (std::find(valued.begin(), valued.end(), a) != valued.end()) {
                    if (i + 1 >= args.size())
                        throw UsageError(a + " needs a value");
                    m_values.emplace_back(a, args[++i]);
                } else {
                    throw UsageError("unknown option " + a);
                }
            } else {
                m_positional.push_back(a);
            }
        }
    }
    bool has(const std::string& flag) const {
        return std::find(m_flags.begin(), m_flags.end(), flag) != m_flags.end();
    }
    std::vector<std::string> all(const std::string& name) const {
        std::vector<std::string> out;
        for (const auto& [key, value] : m_values) {
            if (key == name)
                out.push_back(value);
        }
        return out;
    }
    std::optional<std::string> value(const std::string& name) const {
        const auto values = all(name);
        if (values.empty())
            return std::nullopt;
        return values.back();
    }
    const std::vector<std::string>& positional() const { return m_positional; }

private:
    std::vector<std::string> m_flags;
    std::vector<std::pair<std::string, std::string>> m_values;
    std::vector<std::string> m_positional;
};

template <typename T>
T number(const std::string& text, const char* what) {
    std::istringstream in(text);
    T value{};
    if (!(in >> value) || !in.eof())
        throw UsageError(fmt::format("{} must be a number, not '{}'", what, text));
    return value;
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            out += fmt::format("\\u{:04x}", c);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

const char* interpretationName(tessik::ImageInterpretation i) {
    switch (i) {
        case tessik::ImageInterpretation::GRAYSCALE:
            return "GRAYSCALE";
        case tessik::ImageInterpretation::RGB:
            return "RGB";
        case tessik::ImageInterpretation::YUV:
            return "YUV";
        case tessik::ImageInterpretation::UNKNOWN:
            break;
    }
    return "UNKNOWN";
}

const char* originKindName(std::int32_t kind) {
    static constexpr const char* names[] = {"stream",    "memory",  "file", "network",
                                            "generated", "derived", "mixed"};
    return kind >= 0 && kind < 7 ? names[kind] : "unknown";
}

std::string joined(const std::vector<std::string>& items) {
    std::string out;
    for (const auto& item : items)
        out += (out.empty() ? "" : ", ") + item;
    return out;
}

template <typename Container>
std::vector<std::string> sorted(const Container& items) {
    std::vector<std::string> out(items.begin(), items.end());
    std::sort(out.begin(), out.end());
    return out;
}

int commandPlugins(const PluginSet& plugins, const Arguments& args) {
    if (!args.positional().empty())
        throw UsageError("plugins takes no arguments");
    for (const auto& error : plugins.loader().errors())
        std::cerr << "velmar: skipped: " << error << "\n";
    for (const auto& library : plugins.loader().libraries()) {
        const velmar::Plugin* identity =
            library->extractor ? static_cast<const velmar::Plugin*>(library->extractor.get())
            : library->writer  ? static_cast<const velmar::Plugin*>(library->writer.get())
                               : library->protocol.get();
        std::cout << identity->name() << " " << identity->version().toString() << "\n";
        const velmar::FormatPlugin* format =
            library->extractor ? static_cast<const velmar::FormatPlugin*>(library->extractor.get())
                               : library->writer.get();
        if (format != nullptr) {
            std::vector<std::string> extensions;
            for (const auto& [ext, name] : format->extensions())
                extensions.push_back("." + ext);
            std::cout << "  formats:    " << joined(sorted(format->formats())) << " ("
                      << joined(sorted(extensions)) << ")\n";
            std::cout << "  reads:      " << (library->extractor ? "yes" : "no")
                      << "\n  writes:     " << (library->writer ? "yes" : "no") << "\n";
        }
        if (library->protocol)
            std::cout << "  schemes:    " << joined(sorted(library->protocol->schemes())) << "\n";
        std::cout << "  library:    " << library->path << "\n";
    }
    return 0;
}

int commandInfo(const PluginSet& plugins, const Arguments& args) {
    if (args.positional().size() != 1)
        throw UsageError("info needs one IMAGE");
    const auto image = plugins.openImage(locate(args.positional()[0]));
    const auto& info = image->properties()->imageInfo();
    std::vector<std::string> children;
    if (image->metadata()) {
        for (const auto& child : image->metadata()->children())
            children.push_back(child->name());
    }
    const auto origin = image->viewOrigin();
    const std::uint64_t width = image->shape().size() > 0 ? image->shape()[0] : 0;
    const std::uint64_t height = image->shape().size() > 1 ? image->shape()[1] : 1;
    if (args.has("--json")) {
        std::string metadata;
        for (const auto& c : children)
            metadata += (metadata.empty() ? "" : ",") + jsonString(c);
        std::cout << fmt::format(
            "{{\"width\":{},\"height\":{},\"dataType\":{},\"channels\":{},\"hasAlpha\":{},"
            "\"interpretation\":{},"
            "\"metadata\":[{}],\"origin\":{}}}\n",
            width, height, jsonString(image->dataType().toString()),
            image->dataType().elementCount(), info.hasAlpha() ? "true" : "false",
            jsonString(interpretationName(info.interpretation())), metadata,
            origin ? fmt::format("{{\"kind\":{},\"description\":{}}}", origin->kind(),
                                 jsonString(origin->description()))
                   : "null");
        return 0;
    }
    std::cout << "width:          " << width << "\nheight:         " << height
              << "\ndata type:      " << image->dataType().toString()
              << "\nchannels:       " << image->dataType().elementCount()
              << "\nalpha:          " << (info.hasAlpha() ? "yes" : "no")
              << "\ninterpretation: " << interpretationName(info.interpretation())
              << "\nmetadata:       " << (children.empty() ? "(none)" : joined(children)) << "\n";
    if (origin) {
        std::cout << "origin:         " << origin->description() << " (kind " << origin->kind()
                  << ", " << originKindName(origin->kind()) << ")\n";
    }
    return 0;
}

tessik::RegionX parseRegion(const std::string& text) {
    std::vector<std::uint64_t> values;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, ',')) {
        if (part.empty() || part.find_first_not_of("0123456789") != std::string::npos ||
            part.size() > 18) {
            throw UsageError("--region must be X,Y,W,H with non-negative integers");
        }
        values.push_back(std::stoull(part));
    }
    if (values.size() != 4)
        throw UsageError("--region must be X,Y,W,H with non-negative integers");
    return tessik::RegionX({values[0], values[1]}, {values[2], values[3]});
}

int commandDecode(const PluginSet& plugins, const Arguments& args) {
    if (args.positional().size() != 2)
        throw UsageError("decode needs IMAGE and OUT");
    const std::string out = args.positional()[1];
    const std::string format = out == "-" ? "raw" : locate(out).extension();
    if (format != "ppm" && format != "pam" && format != "png" && format != "raw") {
        throw UsageError("OUT must end in .ppm, .pam, .png or .raw, or be -");
    }
    const auto image = plugins.openImage(locate(args.positional()[0]));
    const auto region = args.value("--region") ? parseRegion(*args.value("--region"))
                                               : tessik::RegionX::createFullRegion(image->shape());
    Pixels pixels;
    pixels.width = region.size()[0];
    pixels.height = region.dimensionCount() > 1 ? region.size()[1] : 1;
    pixels.channels = image->dataType().elementCount();
    pixels.samples.resize(region.elementCount() * image->dataType().byteCount());
    image->readRegion(region, pixels.samples.data());
    if (out == "-") {
        std::fwrite(pixels.samples.data(), 1, pixels.samples.size(), stdout);
        if (std::fflush(stdout) != 0)
            throw tessik::Error("Cannot write to standard output");
        return 0;
    }
    AtomicOutput target(locate(out).path);
    if (format == "raw") {
        auto stream = tessik::StreamAccessFactory::openFileWrite(target.temporaryPath());
        if (stream->write(pixels.samples.size(), pixels.samples.data()) != pixels.samples.size()) {
            stream->close();
            throw tessik::Error("Cannot write " + out);
        }
        stream->close();
    } else {
        writePicture(pixels, format, target.temporaryPath());
    }
    target.commit();
    return 0;
}

velmar::OptionMap writerOptions(const Arguments& args) {
    velmar::OptionMap options;
    for (const auto& pair : args.all("--option")) {
        const auto equals = pair.find('=');
        if (equals == std::string::npos || equals == 0)
            throw UsageError("--option needs KEY=VALUE, not " + pair);
        const std::string key = pair.substr(0, equals), value = pair.substr(equals + 1);
        if (value == "true" || value == "false") {
            options.set(key, value == "true");
        } else if (!value.empty() && value.find_first_not_of("-0123456789") == std::string::npos) {
            options.set(key, number<std::int64_t>(value, key.c_str()));
        } else if (char* end = nullptr;
                   !value.empty() && (std::strtod(value.c_str(), &end), *end == '\0')) {
            options.set(key, number<double>(value, key.c_str()));
        } else {
            options.set(key, value);
        }
    }
    if (args.has("--lossy"))
        options.set("lossless", false);
    if (auto q = args.value("--quality"))
        options.set("quality", number<double>(*q, "--quality"));
    if (auto m = args.value("--method"))
        options.set("method", number<std::int64_t>(*m, "--method"));
    if (auto a = args.value("--alpha-quality"))
        options.set("alpha_quality", number<std::int64_t>(*a, "--alpha-quality"));
    if (args.has("--no-alpha-compression"))
        options.set("alpha_compression", false);
    return options;
}

void encodeOne(const PluginSet& plugins, const std::string& input, const std::string& output,
               const velmar::OptionMap& options) {
    const Location target = locate(output);
    const auto writer = plugins.writerFor(target);
    const std::string format = plugins.formatOf(*writer, target);
    const auto image = toImage(readPicture(input));
    if (target.scheme.empty() || target.scheme == "file") {
        AtomicOutput file(target.path);
        writer->createWriter(image, file.temporaryPath(), format, options)->write();
        file.commit();
        return;
    }
    // An upload: the stream reports on close whether the file arrived.
    auto stream = plugins.protocolFor(target.scheme)->openWrite(target.text, {});
    writer->createWriter(image, stream, format, options)->write();
    stream->close();
}

int commandEncode(const PluginSet& plugins, const Arguments& args) {
    const velmar::OptionMap options = writerOptions(args);
    const auto folder = args.value("-o");
    const auto& inputs = args.positional();
    if (!folder) {
        if (inputs.size() != 2)
            throw UsageError("encode needs IN and OUT, or IN... -o DIR");
        encodeOne(plugins, inputs[0], inputs[1], options);
        return 0;
    }
    if (inputs.empty())
        throw UsageError("encode -o DIR needs at least one IN");
    if (!std::filesystem::is_directory(*folder))
        throw tessik::Error("Not a folder: " + *folder);
    const bool terminal = ::isatty(2) != 0;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const auto name = std::filesystem::path(inputs[i]).stem().string() + ".webp";
        if (terminal)
            std::cerr << fmt::format("\r[{}/{}] {}\x1b[K", i + 1, inputs.size(), name)
                      << std::flush;
        encodeOne(plugins, inputs[i], (std::filesystem::path(*folder) / name).string(), options);
    }
    if (terminal)
        std::cerr << "\n";
    return 0;
}

int commandLs(const PluginSet& plugins, const Arguments& args) {
    if (args.positional().size() != 1)
        throw UsageError("ls needs one PATTERN");
    const Location pattern = locate(args.positional()[0]);
    const auto protocol = plugins.protocolFor(pattern.scheme.empty() ? "file" : pattern.scheme);
    for (const auto& uri :
         sorted(protocol->list(args.value("--host").value_or(""), pattern.path))) {
        std::cout << uri << "\n";
    }
    return 0;
}

std::string ownPluginFolder() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return (exe.parent_path() / VELMAR_PLUGIN_RELATIVE_DIR).lexically_normal().string();
}

int run(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::vector<std::string> folders;
    if (const char* path = std::getenv("VELMAR_PLUGIN_PATH")) {
        std::stringstream in(path);
        std::string folder;
        while (std::getline(in, folder, ':')) {
            if (!folder.empty())
                folders.push_back(folder);
        }
    }
    while (!args.empty() && args[0] == "--plugins") {
        if (args.size() < 2)
            throw UsageError("--plugins needs a folder");
        folders.push_back(args[1]);
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        std::cout << kHelp.at("");
        return args.empty() ? 2 : 0;
    }
    if (args[0] == "--version") {
        std::cout << "velmar " << kVersion << "\n";
        return 0;
    }
    const std::string command = args[0];
    args.erase(args.begin());
    if (kHelp.count(command) == 0 || command.empty())
        throw UsageError("unknown command " + command);
    if (std::find(args.begin(), args.end(), "--help") != args.end()) {
        std::cout << kHelp.at(command);
        return 0;
    }
    const std::map<std::string, std::pair<std::vector<std::string>, std::vector<std::string>>>
        grammar = {
            {"plugins", {{}, {}}},
            {"info", {{"--json"}, {}}},
            {"decode", {{}, {"--region"}}},
            {"encode",
             {{"--lossy", "--no-alpha-compression"},
              {"--quality", "--method", "--alpha-quality", "--option", "-o"}}},
            {"ls", {{}, {"--host"}}},
        };
    const auto& [flags, valued] = grammar.at(command);
    const Arguments parsed(args, flags, valued);
    const PluginSet plugins(ownPluginFolder(), folders);
    if (command == "plugins")
        return commandPlugins(plugins, parsed);
    if (command == "info")
        return commandInfo(plugins, parsed);
    if (command == "decode")
        return commandDecode(plugins, parsed);
    if (command == "encode")
        return commandEncode(plugins, parsed);
    return commandLs(plugins, parsed);
}

}  // namespace
}  // namespace velmar::cli

int main(int argc, char** argv) {
    try {
        return velmar::cli::run(argc, argv);
    } catch (const velmar::cli::UsageError& error) {
        std::cerr << "velmar: " << error.what() << "\nTry 'velmar --help'.\n";
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "velmar: " << error.what() << "\n";
        return 1;
    }
}

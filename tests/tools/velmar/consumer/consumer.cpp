// Loads the installed plugins and reads a WebP file: prints "WIDTHxHEIGHT first-pixel".
#include <cstdio>
#include <vector>

#include "tessik/Error.h"
#include "velmar/PluginLoader.h"

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    try {
        velmar::PluginLoader loader;
        loader.loadDirectory(VELMAR_INSTALLED_PLUGINS);
        auto extractor = loader.findExtractorByExtension("webp");
        if (!extractor)
            return 3;
        auto view = extractor->createExtractor(argv[1], "WEBP", velmar::OptionMap());
        std::vector<unsigned char> pixel(view->dataType().byteCount());
        view->read({0, 0}, pixel.data());
        std::printf("%llux%llu %u\n", static_cast<unsigned long long>(view->shape()[0]),
                    static_cast<unsigned long long>(view->shape()[1]), pixel[0]);
        return 0;
    } catch (const tessik::Error& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}

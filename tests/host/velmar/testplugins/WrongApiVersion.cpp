// A protocol plugin built for another interface version.
#include <stdexcept>

#include "velmar/ProtocolPlugin.h"

namespace {

class WrongApiVersionPlugin final : public velmar::ProtocolPlugin {
public:
    int apiVersion() const override { return 3; }
    const std::string& name() const override { fail(); }
    const velmar::PluginVersion& version() const override { fail(); }
    void setLogLevel(int) override { fail(); }
    const std::unordered_set<std::string>& schemes() const override { fail(); }
    bool exists(const std::string&) override { fail(); }
    std::shared_ptr<tessik::RandomAccess> openRead(const std::string&,
                                                   const velmar::OptionMap&) override {
        fail();
    }
    std::shared_ptr<tessik::StreamAccess> openWrite(const std::string&,
                                                    const velmar::OptionMap&) override {
        fail();
    }
    std::unordered_set<std::string> list(const std::string&, const std::string&) override {
        fail();
    }
    void addCredentials(const std::string&, const std::string&, const std::string&) override {
        fail();
    }

private:
    // The loader must not call anything but apiVersion() on a plugin it refuses.
    [[noreturn]] static void fail() { throw std::logic_error("called on a refused plugin"); }
};

}  // namespace

extern "C" __attribute__((visibility("default"))) WrongApiVersionPlugin velmar_protocol_plugin;
WrongApiVersionPlugin velmar_protocol_plugin;

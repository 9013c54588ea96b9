#include "tessik/UidGenerator.h"

#include <atomic>
#include <random>

namespace tessik {

namespace {
std::uint64_t randomStart() {
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) ^ device();
}
}  // namespace

std::uint64_t UidGenerator::generate() {
    // A random start keeps identifiers of different processes apart; the counter keeps
    // those of one process distinct.
    static std::atomic<std::uint64_t> next{randomStart()};
    return next.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace tessik

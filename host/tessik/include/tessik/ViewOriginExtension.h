#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "tessik/Export.h"
#include "tessik/Extension.h"

namespace tessik {

// Where a view's data come from. Codes 0 to 6; a derived origin takes the kind of its
// parents, or MIXED when they differ.
enum class ViewOriginKind : std::int32_t {
    STREAM = 0,     // a byte stream or random-access source
    MEMORY = 1,     // samples in memory
    FILE = 2,       // a local file given by path
    NETWORK = 3,    // a resource reached through a URI
    GENERATED = 4,  // computed from nothing
    DERIVED = 5,    // a transformation of other views
    MIXED = 6,      // parents of more than one kind
};
inline constexpr std::int32_t kViewOriginKindCount = 7;

// The view-origin extension, found under kViewOriginExtensionId.
class TESSIK_API ViewOriginExtension : public Extension {
public:
    ~ViewOriginExtension() override;
    virtual std::uint64_t uid() const = 0;
    virtual std::uint64_t parentCount() const = 0;
    virtual std::shared_ptr<ViewOriginExtension> parent(std::uint64_t index) const = 0;
    virtual std::int32_t kind() const = 0;
    virtual std::string description() const = 0;
};

}  // namespace tessik

#pragma once

#include <cstdint>
#include <memory>

#include "tessik/Export.h"
#include "tessik/Extension.h"
#include "tessik/ViewOriginExtension.h"

namespace tessik {

// Anything a client can look at: an image, a stack of images.
class TESSIK_API View {
public:
    virtual ~View();
    // The extension stored under `id`; tessik::Error "Extension {id} not found" when absent.
    virtual std::shared_ptr<Extension> extension(std::uint64_t id) const = 0;

    // The view-origin extension, or null when the view has none.
    std::shared_ptr<ViewOriginExtension> viewOrigin() const;
};

}  // namespace tessik

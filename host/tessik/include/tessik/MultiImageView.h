#pragma once

#include <cstdint>
#include <memory>

#include "tessik/Export.h"
#include "tessik/FlagSet.h"
#include "tessik/ImageView.h"
#include "tessik/View.h"

namespace tessik {

// An ordered collection of images.
class TESSIK_API MultiImageView : public View {
public:
    ~MultiImageView() override;
    virtual FlagSet<MultiImageCapability> capabilities() const = 0;
    virtual std::uint64_t imageCount() const = 0;
    virtual std::shared_ptr<ImageView> image(std::uint64_t index) const = 0;
};

}  // namespace tessik

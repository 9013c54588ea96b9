#pragma once

#include <memory>

#include "tessik/ImageView.h"
#include "tessik/View.h"

namespace velmar::common {

// The view as a readable image an encoder can consume: a 2-D image as it is, an image of
// other dimension count with its channel axis folded into the pixel. tessik::Error
// "Unsupported view type", "Image is not readable" or "Unsupported image dimension".
std::shared_ptr<tessik::ImageView> prepareImage(std::shared_ptr<tessik::View> view);

// As prepareImage for images, and a readable multi-image view stacked into one image;
// the dimension count is not checked. tessik::Error "Unsupported view type",
// "Impossible to read the stack" or "Image is not readable".
std::shared_ptr<tessik::ImageView> prepareImageOrStack(std::shared_ptr<tessik::View> view);

}  // namespace velmar::common

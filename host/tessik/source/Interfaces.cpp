// Out-of-line destructors: the key functions that give each interface one vtable and one
// type identity, in this library.
#include "tessik/Error.h"
#include "tessik/Extension.h"
#include "tessik/MultiImageView.h"
#include "tessik/RandomAccess.h"
#include "tessik/StreamAccess.h"
#include "tessik/View.h"
#include "tessik/ViewOriginExtension.h"
#include "tessik/Writer.h"

namespace tessik {

Extension::~Extension() = default;
ViewOriginExtension::~ViewOriginExtension() = default;
View::~View() = default;
MultiImageView::~MultiImageView() = default;
Writer::~Writer() = default;
StreamAccess::~StreamAccess() = default;
RandomAccess::~RandomAccess() = default;

std::shared_ptr<ViewOriginExtension> View::viewOrigin() const {
    try {
        return std::dynamic_pointer_cast<ViewOriginExtension>(extension(kViewOriginExtensionId));
    } catch (const Error&) {
        return nullptr;  // the view has no origin
    }
}

}  // namespace tessik

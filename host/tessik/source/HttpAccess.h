#pragma once

#include <memory>

#include "tessik/RandomAccess.h"
#include "tessik/StreamAccess.h"
#include "tessik/Uri.h"

namespace tessik::detail {

// The body of one GET, in memory.
std::shared_ptr<RandomAccess> httpGet(const Uri& uri);
// A stream whose bytes are sent with one PUT when it is closed.
std::shared_ptr<StreamAccess> httpPut(const Uri& uri);

}  // namespace tessik::detail

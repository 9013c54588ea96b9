#include "HttpAccess.h"

#include <fmt/format.h>

#include "tessik/Error.h"

namespace tessik::detail {

std::shared_ptr<RandomAccess> httpGet(const Uri& uri) {
    throw Error(fmt::format("HTTP access is not available for {}", uri.toString()));
}

std::shared_ptr<StreamAccess> httpPut(const Uri& uri) {
    throw Error(fmt::format("HTTP access is not available for {}", uri.toString()));
}

}  // namespace tessik::detail

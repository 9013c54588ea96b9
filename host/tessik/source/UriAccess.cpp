#include <fmt/format.h>

#include "HttpAccess.h"
#include "tessik/Error.h"
#include "tessik/StreamAccessFactory.h"

namespace tessik {

namespace {
bool isHttp(const Uri& uri) {
    return uri.scheme() == "http" || uri.scheme() == "https";
}

std::string localPath(const Uri& uri) {
    if (uri.hasAuthority() && !uri.host().empty() && uri.host() != "localhost") {
        throw InvalidArgument(fmt::format("File URI names another host: {}", uri.toString()));
    }
    return uri.decodedPath();
}
}  // namespace

std::shared_ptr<RandomAccess> RandomAccessFactory::openURIRead(const Uri& uri) {
    if (isHttp(uri))
        return detail::httpGet(uri);
    if (uri.scheme() == "file") {
        return fromStream(StreamAccessFactory::openFileRead(localPath(uri)));
    }
    throw Error(fmt::format("Unsupported URI scheme {} in {}", uri.scheme(), uri.toString()));
}

std::shared_ptr<StreamAccess> StreamAccessFactory::openURIWrite(const Uri& uri) {
    if (isHttp(uri))
        return detail::httpPut(uri);
    if (uri.scheme() == "file")
        return openFileWrite(localPath(uri));
    throw Error(fmt::format("Unsupported URI scheme {} in {}", uri.scheme(), uri.toString()));
}

}  // namespace tessik

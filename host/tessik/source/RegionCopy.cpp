#include "RegionCopy.h"

#include <cstring>

#include "tessik/Error.h"

namespace tessik::detail {

void forEachIndex(const VectorX& size, const std::function<void(const VectorX&)>& visit) {
    if (size.product() == 0)
        return;
    VectorX index(size.size());
    while (true) {
        visit(index);
        std::size_t axis = 0;
        while (axis < size.size() && ++index[axis] == size[axis])
            index[axis++] = 0;
        if (axis == size.size())
            return;
    }
}

namespace {

// Visits every row of the box: the byte offset of its first pixel in the image and in
// the packed box buffer.
template <typename RowFn>
void forEachRow(const VectorX& shape, std::uint64_t pixelBytes, const RegionX& region, RowFn fn) {
    const std::size_t n = shape.size();
    if (region.elementCount() == 0)
        return;
    if (n == 0) {
        fn(0, 0, pixelBytes);
        return;
    }
    const std::uint64_t rowBytes = region.size()[0] * pixelBytes;
    VectorX rows(n - 1);
    for (std::size_t i = 1; i < n; ++i)
        rows[i - 1] = region.size()[i];
    std::uint64_t boxOffset = 0;
    forEachIndex(rows, [&](const VectorX& r) {
        std::uint64_t offset = 0;
        std::uint64_t stride = pixelBytes;
        for (std::size_t axis = 0; axis < n; ++axis) {
            const std::uint64_t coordinate = region.origin()[axis] + (axis == 0 ? 0 : r[axis - 1]);
            offset += coordinate * stride;
            stride *= shape[axis];
        }
        fn(offset, boxOffset, rowBytes);
        boxOffset += rowBytes;
    });
}

}  // namespace

void extractRegion(const std::uint8_t* image, const VectorX& shape, std::uint64_t pixelBytes,
                   const RegionX& region, std::uint8_t* dst) {
    forEachRow(shape, pixelBytes, region,
               [&](std::uint64_t at, std::uint64_t boxAt, std::uint64_t n) {
                   std::memcpy(dst + boxAt, image + at, n);
               });
}

void insertRegion(std::uint8_t* image, const VectorX& shape, std::uint64_t pixelBytes,
                  const RegionX& region, const std::uint8_t* src) {
    forEachRow(shape, pixelBytes, region,
               [&](std::uint64_t at, std::uint64_t boxAt, std::uint64_t n) {
                   std::memcpy(image + at, src + boxAt, n);
               });
}

void requireInside(const VectorX& shape, const RegionX& region) {
    if (!RegionX::createFullRegion(shape).contains(region)) {
        throw InvalidArgument("Required region out of image bounds");
    }
}

}  // namespace tessik::detail

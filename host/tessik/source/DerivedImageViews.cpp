#include "DerivedImageViews.h"

#include <fmt/format.h>
#include <cstring>
#include <vector>

#include "RegionCopy.h"
#include "tessik/Error.h"

namespace tessik::detail {

DerivedImageView::DerivedImageView(VectorX shape, DataType dataType,
                                   std::shared_ptr<ImageProperties> properties,
                                   std::shared_ptr<MetadataNode> metadata)
    : m_shape(std::move(shape)),
      m_dataType(dataType),
      m_properties(std::move(properties)),
      m_metadata(std::move(metadata)) {}

std::shared_ptr<Extension> DerivedImageView::extension(std::uint64_t id) const {
    throw Error(fmt::format("Extension {} not found", id));
}

void DerivedImageView::readRegion(const RegionX& region, void* dst) {
    requireInside(m_shape, region);
    compute(region, static_cast<std::uint8_t*>(dst));
}

namespace {

std::shared_ptr<ImageView> requireSource(std::shared_ptr<ImageView> source) {
    if (!source)
        throw InvalidArgument("Source view cannot be null");
    return source;
}

std::shared_ptr<ImageProperties> copyProperties(const ImageView& view, const DataType& dataType) {
    auto properties = ImageProperties::fromDataType(dataType);
    if (auto source = view.properties())
        properties->imageInfo() = source->imageInfo();
    return properties;
}

std::vector<std::uint8_t> readSource(ImageView& source, const RegionX& region) {
    std::vector<std::uint8_t> samples(region.elementCount() * source.dataType().byteCount());
    source.readRegion(region, samples.data());
    return samples;
}

class ChannelView final : public DerivedImageView {
public:
    ChannelView(std::shared_ptr<ImageView> source, std::uint32_t index,
                std::shared_ptr<ImageProperties> p)
        : DerivedImageView(source->shape(), source->dataType().withElementCount(1), std::move(p),
                           source->metadata()),
          m_source(std::move(source)),
          m_index(index) {}

private:
    void compute(const RegionX& region, std::uint8_t* dst) override {
        const auto samples = readSource(*m_source, region);
        const std::uint64_t pixelBytes = m_source->dataType().byteCount();
        const std::uint64_t elementBytes = m_source->dataType().elementByteCount();
        const std::uint64_t count = region.elementCount();
        for (std::uint64_t i = 0; i < count; ++i) {
            std::memcpy(dst + i * elementBytes,
                        samples.data() + i * pixelBytes + m_index * elementBytes, elementBytes);
        }
    }

    std::shared_ptr<ImageView> m_source;
    std::uint32_t m_index;
};

VectorX subSampledShape(const VectorX& shape, std::uint64_t factor) {
    VectorX result(shape.size());
    for (std::size_t i = 0; i < shape.size(); ++i) {
        result[i] = shape[i] == 0 ? 0 : (shape[i] - 1) / factor + 1;
    }
    return result;
}

class SubSampledView final : public DerivedImageView {
public:
    SubSampledView(std::shared_ptr<ImageView> source, std::uint64_t factor)
        : DerivedImageView(subSampledShape(source->shape(), factor), source->dataType(),
                           copyProperties(*source, source->dataType()), source->metadata()),
          m_source(std::move(source)),
          m_factor(factor) {}

private:
    void compute(const RegionX& region, std::uint8_t* dst) override {
        const std::size_t n = region.dimensionCount();
        if (region.elementCount() == 0)
            return;
        VectorX origin(n), size(n);
        for (std::size_t i = 0; i < n; ++i) {
            origin[i] = region.origin()[i] * m_factor;
            size[i] = (region.size()[i] - 1) * m_factor + 1;
        }
        const auto samples = readSource(*m_source, RegionX(origin, size));
        const std::uint64_t pixelBytes = m_source->dataType().byteCount();
        const Indexer sourceIndex(size, pixelBytes);
        std::uint64_t out = 0;
        VectorX at(n);
        forEachIndex(region.size(), [&](const VectorX& index) {
            for (std::size_t i = 0; i < n; ++i)
                at[i] = index[i] * m_factor;
            std::memcpy(dst + out, samples.data() + sourceIndex.offset(at), pixelBytes);
            out += pixelBytes;
        });
    }

    std::shared_ptr<ImageView> m_source;
    std::uint64_t m_factor;
};

class AssembledView final : public DerivedImageView {
public:
    AssembledView(std::shared_ptr<ImageView> source, std::size_t channelAxis, VectorX shape,
                  DataType dataType, std::shared_ptr<ImageProperties> properties)
        : DerivedImageView(std::move(shape), dataType, std::move(properties), source->metadata()),
          m_source(std::move(source)),
          m_channelAxis(channelAxis) {}

private:
    void compute(const RegionX& region, std::uint8_t* dst) override {
        const VectorX& sourceShape = m_source->shape();
        const std::size_t n = sourceShape.size();
        const std::uint64_t channels = sourceShape[m_channelAxis];
        VectorX origin(n), size(n);
        for (std::size_t i = 0, j = 0; i < n; ++i) {
            if (i == m_channelAxis) {
                size[i] = channels;
            } else {
                origin[i] = region.origin()[j];
                size[i] = region.size()[j++];
            }
        }
        const auto samples = readSource(*m_source, RegionX(origin, size));
        const std::uint64_t elementBytes = m_source->dataType().byteCount();
        const Indexer sourceIndex(size, elementBytes);
        const std::uint64_t channelStride = sourceIndex.strides()[m_channelAxis];
        VectorX at(n);
        std::uint64_t out = 0;
        forEachIndex(region.size(), [&](const VectorX& index) {
            for (std::size_t i = 0, j = 0; i < n; ++i)
                at[i] = i == m_channelAxis ? 0 : index[j++];
            const std::uint64_t base = sourceIndex.offset(at);
            for (std::uint64_t c = 0; c < channels; ++c) {
                std::memcpy(dst + out, samples.data() + base + c * channelStride, elementBytes);
                out += elementBytes;
            }
        });
    }

    std::shared_ptr<ImageView> m_source;
    std::size_t m_channelAxis;
};

class StackedView final : public DerivedImageView {
public:
    StackedView(std::shared_ptr<MultiImageView> stack, VectorX shape, DataType dataType,
                std::shared_ptr<ImageProperties> properties, std::shared_ptr<MetadataNode> metadata)
        : DerivedImageView(std::move(shape), dataType, std::move(properties), std::move(metadata)),
          m_stack(std::move(stack)) {}

private:
    void compute(const RegionX& region, std::uint8_t* dst) override {
        const std::size_t last = region.dimensionCount() - 1;
        VectorX origin(last), size(last);
        for (std::size_t i = 0; i < last; ++i) {
            origin[i] = region.origin()[i];
            size[i] = region.size()[i];
        }
        const RegionX plane(origin, size);
        const std::uint64_t planeBytes = plane.elementCount() * dataType().byteCount();
        for (std::uint64_t k = 0; k < region.size()[last]; ++k) {
            m_stack->image(region.origin()[last] + k)->readRegion(plane, dst + k * planeBytes);
        }
    }

    std::shared_ptr<MultiImageView> m_stack;
};

}  // namespace

std::shared_ptr<ImageView> makeChannelView(std::shared_ptr<ImageView> source, std::uint32_t index) {
    requireSource(source);
    const DataType type = source->dataType();
    if (index >= type.elementCount()) {
        throw InvalidArgument(fmt::format("Channel {} out of range: the pixels of {} have {}",
                                          index, type.toString(), type.elementCount()));
    }
    auto properties = copyProperties(*source, type.withElementCount(1));
    properties->imageInfo().setInterpretation(ImageInterpretation::GRAYSCALE);
    properties->imageInfo().setAlpha(false);
    return std::make_shared<ChannelView>(std::move(source), index, std::move(properties));
}

std::shared_ptr<ImageView> makeSubSampledView(std::shared_ptr<ImageView> source,
                                              std::uint64_t factor) {
    requireSource(source);
    if (factor == 0)
        throw InvalidArgument("Sub-sampling factor must be at least 1");
    return std::make_shared<SubSampledView>(std::move(source), factor);
}

std::shared_ptr<ImageView> makeAssembledView(std::shared_ptr<ImageView> source) {
    requireSource(source);
    const auto properties = source->properties();
    const ImageType axes = properties ? properties->imageInfo().axesInterpretation() : ImageType();
    const auto channelAxis = axes.indexOf(ImageDimension::CHANNEL);
    if (!channelAxis || *channelAxis >= source->dimensionCount()) {
        throw InvalidArgument("Image has no channel axis to assemble");
    }
    const DataType type = source->dataType();
    const std::uint64_t channels = source->shape()[*channelAxis];
    if (type.elementCount() != 1 || channels == 0 || channels > 255) {
        throw InvalidArgument(fmt::format("Cannot assemble {} channels of {} into one pixel",
                                          channels, type.toString()));
    }
    VectorX shape(source->dimensionCount() - 1);
    for (std::size_t i = 0, j = 0; i < source->dimensionCount(); ++i) {
        if (i != *channelAxis)
            shape[j++] = source->shape()[i];
    }
    const DataType assembled = type.withElementCount(static_cast<std::uint32_t>(channels));
    auto assembledProperties = copyProperties(*source, assembled);
    assembledProperties->imageInfo().setAxesInterpretation(axes.without(*channelAxis));
    return std::make_shared<AssembledView>(std::move(source), *channelAxis, std::move(shape),
                                           assembled, std::move(assembledProperties));
}

std::shared_ptr<ImageView> makeStackedView(std::shared_ptr<MultiImageView> stack) {
    if (!stack)
        throw InvalidArgument("Stack cannot be null");
    if (stack->imageCount() == 0)
        throw InvalidArgument("Cannot stack an empty collection");
    const auto first = stack->image(0);
    for (std::uint64_t i = 1; i < stack->imageCount(); ++i) {
        const auto image = stack->image(i);
        if (image->shape() != first->shape() || image->dataType() != first->dataType()) {
            throw InvalidArgument("Stacked images must share shape and data type");
        }
    }
    VectorX shape(first->dimensionCount() + 1);
    for (std::size_t i = 0; i < first->dimensionCount(); ++i)
        shape[i] = first->shape()[i];
    shape[first->dimensionCount()] = stack->imageCount();
    auto properties = copyProperties(*first, first->dataType());
    std::vector<ImageDimension> axes = properties->imageInfo().axesInterpretation().axes();
    axes.push_back(ImageDimension::DEPTH);
    properties->imageInfo().setAxesInterpretation(ImageType(std::move(axes)));
    return std::make_shared<StackedView>(std::move(stack), std::move(shape), first->dataType(),
                                         std::move(properties), first->metadata());
}

}  // namespace tessik::detail

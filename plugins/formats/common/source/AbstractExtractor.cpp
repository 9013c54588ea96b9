#include "AbstractExtractor.h"

#include <fmt/format.h>

#include "tessik/Error.h"

namespace velmar::common {

AbstractExtractor::~AbstractExtractor() = default;

std::shared_ptr<tessik::Extension> AbstractExtractor::extension(std::uint64_t id) const {
    const auto it = m_extensions.find(id);
    if (it == m_extensions.end())
        throw tessik::Error(fmt::format("Extension {0} not found", id));
    return it->second;
}

tessik::FlagSet<tessik::ImageCapability> AbstractExtractor::capabilities() const {
    return m_capabilities;
}

const tessik::VectorX& AbstractExtractor::shape() const {
    return m_shape;
}

tessik::DataType AbstractExtractor::dataType() const {
    return m_dataType;
}

std::shared_ptr<const tessik::ImageProperties> AbstractExtractor::properties() const {
    return m_properties;
}

std::shared_ptr<tessik::MetadataNode> AbstractExtractor::metadata() const {
    return m_metadata;
}

void AbstractExtractor::addExtension(std::uint64_t id,
                                     std::shared_ptr<tessik::Extension> extension) {
    m_extensions.emplace(id, std::move(extension));
}

}  // namespace velmar::common

#include "ViewOriginExtensionImpl.h"

#include <fmt/format.h>
#include <algorithm>

#include "tessik/Error.h"
#include "tessik/UidGenerator.h"

namespace velmar::common {

ViewOriginExtensionImpl::ViewOriginExtensionImpl(const std::string& description, std::int32_t kind)
    : m_uid(tessik::UidGenerator::generate()), m_kind(kind), m_description(description) {}

ViewOriginExtensionImpl::ViewOriginExtensionImpl(const std::string& description,
                                                 const tessik::View* parent)
    : m_uid(tessik::UidGenerator::generate()),
      m_description(description),
      m_kindCounts(tessik::kViewOriginKindCount, 0) {
    if (parent == nullptr)
        throw tessik::Error("Parent view cannot be null");
    addParent(parent);
}

ViewOriginExtensionImpl::ViewOriginExtensionImpl(const std::string& description,
                                                 const std::vector<const tessik::View*>& parents)
    : m_uid(tessik::UidGenerator::generate()),
      m_description(description),
      m_kindCounts(tessik::kViewOriginKindCount, 0) {
    for (const tessik::View* parent : parents)
        addParent(parent);
    updateKind();
}

ViewOriginExtensionImpl::~ViewOriginExtensionImpl() = default;

std::uint64_t ViewOriginExtensionImpl::uid() const {
    return m_uid;
}

std::uint64_t ViewOriginExtensionImpl::parentCount() const {
    return m_parents.size();
}

std::shared_ptr<tessik::ViewOriginExtension> ViewOriginExtensionImpl::parent(
    std::uint64_t index) const {
    if (index >= m_parents.size())
        throw tessik::Error("Index out of bound");
    return m_parents[index];
}

std::int32_t ViewOriginExtensionImpl::kind() const {
    return m_kind;
}

std::string ViewOriginExtensionImpl::description() const {
    return m_description;
}

void ViewOriginExtensionImpl::addParent(const tessik::View* view) {
    if (view == nullptr)
        throw tessik::Error("Parent view cannot be null");
    auto origin = view->viewOrigin();
    if (!origin)
        throw tessik::Error("Parent view has no origin");
    const std::int32_t kind = origin->kind();
    if (kind < 0 || kind >= tessik::kViewOriginKindCount) {
        throw tessik::Error(fmt::format("Parent origin kind {} is not a known kind", kind));
    }
    ++m_kindCounts[static_cast<std::size_t>(kind)];
    m_parents.push_back(std::move(origin));
    updateKind();
}

void ViewOriginExtensionImpl::updateKind() {
    const auto used = std::count_if(m_kindCounts.begin(), m_kindCounts.end(),
                                    [](std::uint64_t n) { return n != 0; });
    if (used >= 2) {
        m_kind = static_cast<std::int32_t>(tessik::ViewOriginKind::MIXED);
    } else if (used == 1) {
        const auto it = std::find_if(m_kindCounts.begin(), m_kindCounts.end(),
                                     [](std::uint64_t n) { return n != 0; });
        m_kind = static_cast<std::int32_t>(it - m_kindCounts.begin());
    } else {
        m_kind = 0;
    }
}

}  // namespace velmar::common

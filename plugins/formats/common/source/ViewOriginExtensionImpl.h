#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tessik/View.h"
#include "tessik/ViewOriginExtension.h"

namespace velmar::common {

// A view's origin: a kind code, a description and the origins of the views it was derived
// from. Immutable once constructed.
class ViewOriginExtensionImpl : public tessik::ViewOriginExtension {
public:
    // An origin without parents; the kind is kept as given.
    ViewOriginExtensionImpl(const std::string& description, std::int32_t kind);
    // Derived from one view; tessik::Error "Parent view cannot be null".
    ViewOriginExtensionImpl(const std::string& description, const tessik::View* parent);
    // Derived from several views; the kind is that of the parents, 6 if they differ, 0 if
    // there are none.
    ViewOriginExtensionImpl(const std::string& description,
                            const std::vector<const tessik::View*>& parents);
    ~ViewOriginExtensionImpl() override;

    std::uint64_t uid() const override;
    std::uint64_t parentCount() const override;
    // tessik::Error "Index out of bound" at or past parentCount().
    std::shared_ptr<tessik::ViewOriginExtension> parent(std::uint64_t index) const override;
    std::int32_t kind() const override;
    std::string description() const override;

private:
    // Refuses, with tessik::Error, a null parent, a parent without origin and a parent
    // origin whose kind is not one of the seven codes: counting it would go past the
    // counters.
    void addParent(const tessik::View* view);
    void updateKind();

    std::uint64_t m_uid;
    std::int32_t m_kind = 0;
    std::string m_description;
    std::vector<std::shared_ptr<tessik::ViewOriginExtension>> m_parents;
    std::vector<std::uint64_t> m_kindCounts;
};

}  // namespace velmar::common

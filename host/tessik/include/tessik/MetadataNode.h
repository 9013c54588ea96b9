#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "tessik/Export.h"
#include "tessik/VariantDataValue.h"

namespace tessik {

// A node of a metadata tree: a name, an optional value and ordered children.
class TESSIK_API MetadataNode {
public:
    MetadataNode(std::string name, std::shared_ptr<VariantDataValue> value)
        : m_name(std::move(name)), m_value(std::move(value)) {}

    const std::string& name() const { return m_name; }
    const std::shared_ptr<VariantDataValue>& value() const { return m_value; }
    void addChild(std::shared_ptr<MetadataNode> child);
    std::size_t childCount() const { return m_children.size(); }
    // tessik::Error "Index out of bound" past the last child.
    std::shared_ptr<MetadataNode> child(std::size_t index) const;
    const std::vector<std::shared_ptr<MetadataNode>>& children() const { return m_children; }

private:
    std::string m_name;
    std::shared_ptr<VariantDataValue> m_value;
    std::vector<std::shared_ptr<MetadataNode>> m_children;
};

class TESSIK_API MetadataNodeFactory {
public:
    static std::shared_ptr<MetadataNode> create(const std::string& name,
                                                std::shared_ptr<VariantDataValue> value);
};

}  // namespace tessik

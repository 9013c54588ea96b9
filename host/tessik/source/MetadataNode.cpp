#include "tessik/MetadataNode.h"

#include "tessik/Error.h"

namespace tessik {

void MetadataNode::addChild(std::shared_ptr<MetadataNode> child) {
    if (!child)
        throw InvalidArgument("Metadata child cannot be null");
    m_children.push_back(std::move(child));
}

std::shared_ptr<MetadataNode> MetadataNode::child(std::size_t index) const {
    if (index >= m_children.size())
        throw Error("Index out of bound");
    return m_children[index];
}

std::shared_ptr<MetadataNode> MetadataNodeFactory::create(const std::string& name,
                                                          std::shared_ptr<VariantDataValue> value) {
    return std::make_shared<MetadataNode>(name, std::move(value));
}

}  // namespace tessik

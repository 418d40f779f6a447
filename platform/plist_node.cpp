#include "platform/plist_node.h"

#include "catalog-core/plist_shape.h"

#include <plist/plist.h>

#include <cstdlib>
#include <limits>
#include <utility>

namespace orbitdeck {

PlistNode::PlistNode(const PlistNode& other)
    : node_(other.node_ ? plist_copy(static_cast<plist_t>(other.node_)) : nullptr) {}

PlistNode::PlistNode(PlistNode&& other) noexcept
    : node_(other.release()) {}

PlistNode& PlistNode::operator=(PlistNode other) noexcept {
    std::swap(node_, other.node_);
    return *this;
}

PlistNode::~PlistNode() {
    if (node_)
        plist_free(static_cast<plist_t>(node_));
}

PlistNode PlistNode::dictionary() {
    return PlistNode(plist_new_dict());
}

PlistNode PlistNode::array(const std::vector<PlistNode>& items) {
    plist_t node = plist_new_array();
    for (const PlistNode& item : items)
        if (!item.isNull())
            plist_array_append_item(node, plist_copy(static_cast<plist_t>(item.node_)));
    return PlistNode(node);
}

PlistNode PlistNode::string(const std::string& text) {
    return PlistNode(plist_new_string(text.c_str()));
}

PlistNode PlistNode::integer(std::int64_t value) {
    return PlistNode(plist_new_uint(static_cast<uint64_t>(value)));
}

std::optional<PlistNode> PlistNode::parse(const QByteArray& bytes) {
    if (bytes.isEmpty() || bytes.size() > std::numeric_limits<uint32_t>::max() ||
        !plistSafeToParse(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                    static_cast<std::size_t>(bytes.size()))))
        return std::nullopt;
    plist_t node = nullptr;
    plist_from_memory(bytes.constData(), static_cast<uint32_t>(bytes.size()), &node);
    if (!node)
        return std::nullopt;
    return PlistNode(node);
}

bool PlistNode::isDictionary() const {
    return node_ && plist_get_node_type(static_cast<plist_t>(node_)) == PLIST_DICT;
}

bool PlistNode::isArray() const {
    return node_ && plist_get_node_type(static_cast<plist_t>(node_)) == PLIST_ARRAY;
}

std::optional<std::string> PlistNode::stringValue() const {
    if (!node_ || plist_get_node_type(static_cast<plist_t>(node_)) != PLIST_STRING)
        return std::nullopt;
    char* text = nullptr;
    plist_get_string_val(static_cast<plist_t>(node_), &text);
    if (!text)
        return std::nullopt;
    std::string result(text);
    std::free(text);
    return result;
}

std::optional<std::int64_t> PlistNode::integerValue() const {
    if (!node_ || plist_get_node_type(static_cast<plist_t>(node_)) != PLIST_UINT)
        return std::nullopt;
    uint64_t value = 0;
    plist_get_uint_val(static_cast<plist_t>(node_), &value);
    return static_cast<std::int64_t>(value);
}

PlistNode PlistNode::child(const std::string& key) const {
    if (!isDictionary())
        return {};
    plist_t item = plist_dict_get_item(static_cast<plist_t>(node_), key.c_str());
    return item ? PlistNode(plist_copy(item)) : PlistNode();
}

std::optional<std::vector<PlistNode>> PlistNode::items() const {
    if (!isArray())
        return std::nullopt;
    std::vector<PlistNode> result;
    const uint32_t count = plist_array_get_size(static_cast<plist_t>(node_));
    for (uint32_t i = 0; i < count; ++i)
        result.push_back(
            PlistNode(plist_copy(plist_array_get_item(static_cast<plist_t>(node_), i))));
    return result;
}

void PlistNode::set(const std::string& key, PlistNode value) {
    if (isDictionary() && !value.isNull())
        plist_dict_set_item(static_cast<plist_t>(node_), key.c_str(), value.release());
}

QByteArray PlistNode::toXml() const {
    if (!node_)
        return {};
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(static_cast<plist_t>(node_), &xml, &length);
    QByteArray bytes(xml, static_cast<qsizetype>(length));
    plist_to_xml_free(xml);
    return bytes;
}

} // namespace orbitdeck

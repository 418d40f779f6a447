#include "layout-core/layout_coding.h"

namespace orbitdeck {
namespace {

using Json = nlohmann::json;
std::string foundDescription(const Json& value) {
    switch (value.type()) {
    case Json::value_t::null:
        return "null";
    case Json::value_t::boolean:
        return "bool";
    case Json::value_t::string:
        return "a string";
    case Json::value_t::array:
        return "an array";
    case Json::value_t::object:
        return "a dictionary";
    default:
        return "a number";
    }
}

[[noreturn]] void failTypeMismatch(const Json& value, const CodingPath& path,
                                   std::string_view expected) {
    throw LayoutDecodingError::typeMismatch(std::string(expected), path.keys(),
                                            "Expected to decode " + std::string(expected) +
                                                " but found " + foundDescription(value) +
                                                " instead.");
}

// Null where a value is required is "not found"; any other wrong kind is a type mismatch.
[[noreturn]] void failKind(const Json& value, const CodingPath& path, std::string_view expected) {
    if (value.is_null())
        throw LayoutDecodingError::valueNotFound(std::string(expected), path.keys(),
                                                 "Expected " + std::string(expected) +
                                                     " value but found null instead.");
    failTypeMismatch(value, path, expected);
}

// The item and its case object: anything but an object, null included, is a type mismatch.
const Json& itemObject(const Json& value, const CodingPath& path) {
    if (!value.is_object())
        failTypeMismatch(value, path, "Dictionary<String, Any>");
    return value;
}

template <typename Identity>
Identity decodeIdentity(const Json& value, const CodingPath& path) {
    const Json& object = json_decode::object(value, path);
    const CodingPath rawPath = path.key("rawValue");
    return Identity{json_decode::string(json_decode::member(object, "rawValue", path), rawPath)};
}

} // namespace

std::vector<CodingKey> CodingPath::keys() const {
    std::vector<CodingKey> reversed;
    for (const CodingPath* frame = this; frame && !frame->isRoot_; frame = frame->parent_) {
        if (frame->isIndex_)
            reversed.push_back({.stringValue = "Index " + std::to_string(frame->position_),
                                .intValue = static_cast<std::int64_t>(frame->position_)});
        else
            reversed.push_back({.stringValue = std::string(frame->name_), .intValue = {}});
    }
    return {reversed.rbegin(), reversed.rend()};
}

namespace json_decode {

Json parse(std::string_view bytes) {
    try {
        return Json::parse(bytes);
    } catch (const Json::exception&) {
        throw LayoutDecodingError::dataCorrupted({}, "The given data was not valid JSON.");
    }
}

const Json& object(const Json& value, const CodingPath& path) {
    if (!value.is_object())
        failKind(value, path, "Dictionary<String, Any>");
    return value;
}

const Json& array(const Json& value, const CodingPath& path) {
    if (!value.is_array())
        failKind(value, path, "Array<Any>");
    return value;
}

std::string string(const Json& value, const CodingPath& path) {
    if (!value.is_string())
        failKind(value, path, "String");
    return value.get_ref<const std::string&>();
}

const Json& member(const Json& object, std::string_view key, const CodingPath& path) {
    const auto found = object.find(key);
    if (found == object.end())
        throw LayoutDecodingError::keyNotFound(
            CodingKey{.stringValue = std::string(key), .intValue = {}}, path.keys(),
            "No value associated with key CodingKeys(stringValue: \"" + std::string(key) +
                "\", intValue: nil) (\"" + std::string(key) + "\").");
    return *found;
}

} // namespace json_decode

PageID decodePageID(const Json& value, const CodingPath& path) {
    return decodeIdentity<PageID>(value, path);
}

FolderID decodeFolderID(const Json& value, const CodingPath& path) {
    return decodeIdentity<FolderID>(value, path);
}

LayoutItem decodeLayoutItem(const Json& value, const CodingPath& path) {
    const Json& object = itemObject(value, path);
    // Keys that are not case names are ignored, so only case names are counted.
    std::size_t caseCount = 0;
    std::size_t caseIndex = 0;
    for (std::size_t i = 0; i < kLayoutItemCaseNames.size(); ++i) {
        if (object.contains(kLayoutItemCaseNames[i])) {
            ++caseCount;
            caseIndex = i;
        }
    }
    if (caseCount != 1)
        throw LayoutDecodingError::typeMismatch("LayoutItem", path.keys(),
                                                std::string(kInvalidItemKeysDescription));

    const std::string_view caseName = kLayoutItemCaseNames[caseIndex];
    const CodingPath casePath = path.key(caseName);
    const Json& caseObject = itemObject(object.find(caseName).value(), casePath);
    const Json& payload = json_decode::member(caseObject, "_0", casePath);
    const CodingPath payloadPath = casePath.key("_0");
    const auto kind = static_cast<LayoutItem::Kind>(caseIndex);
    if (kind == LayoutItem::Kind::folder)
        return LayoutItem::folder(decodeFolderID(payload, payloadPath));
    return {.kind = kind, .payload = json_decode::string(payload, payloadPath)};
}

template <typename AnyJson>
std::optional<std::string> platformJSONBytes(const AnyJson& document) {
    std::string compact;
    try {
        compact = document.dump();
    } catch (const nlohmann::json::exception&) {
        return std::nullopt;
    }
    // A solidus only occurs inside strings in compact output, so every one can be escaped.
    std::string out;
    out.reserve(compact.size() + compact.size() / 16);
    for (const char c : compact) {
        if (c == '/')
            out.push_back('\\');
        out.push_back(c);
    }
    return out;
}

template std::optional<std::string> platformJSONBytes(const nlohmann::json&);
template std::optional<std::string> platformJSONBytes(const nlohmann::ordered_json&);

} // namespace orbitdeck

#pragma once
// The JSON forms of identities and items, and decoding errors shaped like the platform decoder's:
// a kind, the coding path from the document root, and a description.
#include "layout-core/layout_ids.h"
#include "layout-core/layout_item.h"

#include <array>
#include <cstdint>
#include <exception>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbitdeck {

struct CodingKey {
    std::string stringValue;
    std::optional<std::int64_t> intValue;
    friend bool operator==(const CodingKey&, const CodingKey&) = default;
};

// A path frame on the caller's stack, pointing at its parent frame: keep it no longer than the
// call that made it. The vector form is only built when an error is thrown.
class CodingPath {
public:
    CodingPath() = default;
    CodingPath key(std::string_view name) const { return CodingPath(this, name, 0, false); }
    CodingPath index(std::size_t position) const { return CodingPath(this, {}, position, true); }
    std::vector<CodingKey> keys() const;

private:
    CodingPath(const CodingPath* parent, std::string_view name, std::size_t position, bool isIndex)
        : parent_(parent)
        , name_(name)
        , position_(position)
        , isIndex_(isIndex)
        , isRoot_(false) {}

    const CodingPath* parent_ = nullptr;
    std::string_view name_;
    std::size_t position_ = 0;
    bool isIndex_ = false;
    bool isRoot_ = true;
};

// Made only through the four kinds' factories, so each carries what its kind names: a type
// mismatch and a missing value the type that was expected, a missing key that key.
class LayoutDecodingError : public std::exception {
public:
    enum class Kind : std::uint8_t { typeMismatch, keyNotFound, valueNotFound, dataCorrupted };

    static LayoutDecodingError typeMismatch(std::string expectedType,
                                            std::vector<CodingKey> codingPath,
                                            std::string description) {
        return {Kind::typeMismatch,
                std::move(expectedType),
                {},
                std::move(codingPath),
                std::move(description)};
    }
    static LayoutDecodingError valueNotFound(std::string expectedType,
                                             std::vector<CodingKey> codingPath,
                                             std::string description) {
        return {Kind::valueNotFound,
                std::move(expectedType),
                {},
                std::move(codingPath),
                std::move(description)};
    }
    static LayoutDecodingError keyNotFound(CodingKey key, std::vector<CodingKey> codingPath,
                                           std::string description) {
        return {
            Kind::keyNotFound, {}, std::move(key), std::move(codingPath), std::move(description)};
    }
    static LayoutDecodingError dataCorrupted(std::vector<CodingKey> codingPath,
                                             std::string description) {
        return {Kind::dataCorrupted, {}, {}, std::move(codingPath), std::move(description)};
    }

    Kind kind() const { return kind_; }
    // The type the decoder expected ("LayoutItem", "String", "Dictionary<String, Any>"...) for a
    // type mismatch or a missing value; empty for the other kinds.
    const std::string& expectedType() const { return expectedType_; }
    // The key that was not found, for keyNotFound.
    const std::optional<CodingKey>& missingKey() const { return missingKey_; }
    const std::vector<CodingKey>& codingPath() const { return codingPath_; }
    const std::string& description() const { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

private:
    LayoutDecodingError(Kind kind, std::string expectedType, std::optional<CodingKey> missingKey,
                        std::vector<CodingKey> codingPath, std::string description)
        : kind_(kind)
        , expectedType_(std::move(expectedType))
        , missingKey_(std::move(missingKey))
        , codingPath_(std::move(codingPath))
        , description_(std::move(description)) {}

    Kind kind_;
    std::string expectedType_;
    std::optional<CodingKey> missingKey_;
    std::vector<CodingKey> codingPath_;
    std::string description_;
};

// The item's JSON key per case, in case order.
inline constexpr std::array<std::string_view, 3> kLayoutItemCaseNames = {"application", "folder",
                                                                         "placeholder"};

inline constexpr std::string_view kInvalidItemKeysDescription =
    "Invalid number of keys found, expected one.";

// Readers for the pieces of a stored document, each failing the way the platform decoder does.
namespace json_decode {
// Parses bytes; anything that is not one JSON value fails as corrupted data.
nlohmann::json parse(std::string_view bytes);
const nlohmann::json& object(const nlohmann::json& value, const CodingPath& path);
const nlohmann::json& array(const nlohmann::json& value, const CodingPath& path);
std::string string(const nlohmann::json& value, const CodingPath& path);
// The value under a required key of an object (already checked to be one).
const nlohmann::json& member(const nlohmann::json& object, std::string_view key,
                             const CodingPath& path);
} // namespace json_decode

// Templated on the JSON type so documents that keep their key order (nlohmann::ordered_json)
// embed identities and items without a conversion.
template <typename Json = nlohmann::json>
Json encodeJSON(const PageID& id) {
    return Json{{"rawValue", id.rawValue}};
}

template <typename Json = nlohmann::json>
Json encodeJSON(const FolderID& id) {
    return Json{{"rawValue", id.rawValue}};
}

template <typename Json = nlohmann::json>
Json encodeJSON(const LayoutItem& item) {
    Json payload = item.isFolder() ? encodeJSON<Json>(item.folderID()) : Json(item.payload);
    Json inner = Json::object();
    inner["_0"] = std::move(payload);
    Json outer = Json::object();
    outer[std::string(kLayoutItemCaseNames[static_cast<std::size_t>(item.kind)])] =
        std::move(inner);
    return outer;
}

PageID decodePageID(const nlohmann::json& value, const CodingPath& path = {});
FolderID decodeFolderID(const nlohmann::json& value, const CodingPath& path = {});
LayoutItem decodeLayoutItem(const nlohmann::json& value, const CodingPath& path = {});

// Compact bytes as the platform encoder writes them (solidus escaped); none when a text is not
// valid UTF-8.
template <typename AnyJson>
std::optional<std::string> platformJSONBytes(const AnyJson& document);
extern template std::optional<std::string> platformJSONBytes(const nlohmann::json&);
extern template std::optional<std::string> platformJSONBytes(const nlohmann::ordered_json&);

// Hooks so documents holding these types convert with j.get<T>() and json(value).
inline void to_json(nlohmann::json& j, const PageID& id) {
    j = encodeJSON(id);
}
inline void to_json(nlohmann::json& j, const FolderID& id) {
    j = encodeJSON(id);
}
inline void to_json(nlohmann::json& j, const LayoutItem& item) {
    j = encodeJSON(item);
}
inline void from_json(const nlohmann::json& j, PageID& id) {
    id = decodePageID(j);
}
inline void from_json(const nlohmann::json& j, FolderID& id) {
    id = decodeFolderID(j);
}
inline void from_json(const nlohmann::json& j, LayoutItem& item) {
    item = decodeLayoutItem(j);
}

} // namespace orbitdeck

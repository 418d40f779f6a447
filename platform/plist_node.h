#pragma once

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orbitdeck {

// An owned property-list value of any kind (a libplist node): copies are deep, so it behaves
// as a value. Whatever it holds is carried along whole when written back.
class PlistNode {
public:
    PlistNode() = default;
    PlistNode(const PlistNode& other);
    PlistNode(PlistNode&& other) noexcept;
    PlistNode& operator=(PlistNode other) noexcept;
    ~PlistNode();

    static PlistNode dictionary();
    static PlistNode array(const std::vector<PlistNode>& items);
    static PlistNode string(const std::string& text);
    static PlistNode integer(std::int64_t value);
    // XML or binary; none when unparsable or unsafe for the parser.
    static std::optional<PlistNode> parse(const QByteArray& bytes);

    bool isNull() const { return node_ == nullptr; }
    bool isDictionary() const;
    bool isArray() const;
    std::optional<std::string> stringValue() const;
    std::optional<std::int64_t> integerValue() const;
    // A copy of a dictionary's entry; null when absent or when this is no dictionary.
    PlistNode child(const std::string& key) const;
    // The items of an array; none when this is no array.
    std::optional<std::vector<PlistNode>> items() const;
    // Sets a dictionary's entry; does nothing on other kinds.
    void set(const std::string& key, PlistNode value);

    QByteArray toXml() const;
    // Hands the libplist node to the caller, who frees it; this becomes null.
    void* release() { return std::exchange(node_, nullptr); }

private:
    explicit PlistNode(void* node)
        : node_(node) {}

    void* node_ = nullptr;
};

} // namespace orbitdeck

#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace orbitdeck {

// One installed application. All fields are fixed at construction; `id` is always derived by the
// identity rule, so two scans of the same bundle agree on it wherever it was found.
class AppDescriptor {
public:
    AppDescriptor(std::string displayName, std::optional<std::string> bundleIdentifier,
                  std::filesystem::path bundleURL);

    // "bundle:" + lower-cased identifier, else "path:" + standardised path.
    static std::string identity(const std::optional<std::string>& bundleIdentifier,
                                const std::filesystem::path& bundleURL);

    const std::string& id() const { return id_; }
    const std::string& displayName() const { return displayName_; }
    const std::optional<std::string>& bundleIdentifier() const { return bundleIdentifier_; }
    // The bundle folder as the scan met it (not standardised).
    std::filesystem::path bundleURL() const { return bundlePath_; }

    // Display name, then id, both in code-point order after canonical composition.
    static bool displayNameOrder(const AppDescriptor& left, const AppDescriptor& right);

    // Texts are equal when canonically equivalent ("é" composed or not), as in every order.
    friend bool operator==(const AppDescriptor& left, const AppDescriptor& right);

private:
    friend struct std::hash<AppDescriptor>;

    std::string id_;
    std::string displayName_;
    std::optional<std::string> bundleIdentifier_;
    // Text rather than a path: a path keeps a list of its parts beside its text, about 400 bytes
    // for an entry's path, and every application is held by the library and its search index.
    std::string bundlePath_;
    const std::string& displayNameKey() const {
        return displayNameKey_.empty() ? displayName_ : displayNameKey_;
    }
    const std::string& idKey() const { return idKey_.empty() ? id_ : idKey_; }

    // Composed forms kept so sorting does not normalise on every comparison; empty when the
    // field is composed already (nearly always), to spare the copies.
    std::string displayNameKey_;
    std::string idKey_;
};

// "." and ".." resolved lexically, repeated and trailing separators dropped; links are not
// resolved.
std::string standardizedPath(const std::filesystem::path& path);

} // namespace orbitdeck

template <>
struct std::hash<orbitdeck::AppDescriptor> {
    std::size_t operator()(const orbitdeck::AppDescriptor& descriptor) const noexcept;
};

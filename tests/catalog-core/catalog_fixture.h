#pragma once

// Builds throwaway application trees for the catalog tests.

#include <plist/plist.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>

namespace orbitdeck::testing {

enum class PlistFormat { xml, binary };

struct FixtureBundle {
    std::optional<std::string> identifier = std::nullopt;
    std::optional<std::string> displayName = std::nullopt;
    std::optional<std::string> name = std::nullopt;
    std::optional<std::string> packageType = "APPL";
    PlistFormat format = PlistFormat::xml;
};

inline void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string encodePlist(const std::map<std::string, std::string>& values,
                               PlistFormat format) {
    plist_t dictionary = plist_new_dict();
    for (const auto& [key, value] : values)
        plist_dict_set_item(dictionary, key.c_str(), plist_new_string(value.c_str()));
    char* data = nullptr;
    std::uint32_t length = 0;
    if (format == PlistFormat::xml)
        plist_to_xml(dictionary, &data, &length);
    else
        plist_to_bin(dictionary, &data, &length);
    std::string bytes(data, length);
    if (format == PlistFormat::xml)
        plist_to_xml_free(data);
    else
        plist_to_bin_free(data);
    plist_free(dictionary);
    return bytes;
}

inline std::filesystem::path makeBundle(const std::filesystem::path& bundle,
                                        const FixtureBundle& wanted) {
    std::map<std::string, std::string> values;
    if (wanted.identifier)
        values["CFBundleIdentifier"] = *wanted.identifier;
    if (wanted.displayName)
        values["CFBundleDisplayName"] = *wanted.displayName;
    if (wanted.name)
        values["CFBundleName"] = *wanted.name;
    if (wanted.packageType)
        values["CFBundlePackageType"] = *wanted.packageType;
    writeFile(bundle / "Contents" / "Info.plist", encodePlist(values, wanted.format));
    return bundle;
}

// A fresh folder under the system's temporary folder, removed with the object.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "orbitdeck-XXXXXX");
        path_ = ::mkdtemp(pattern.data());
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& relative) const { return path_ / relative; }

private:
    std::filesystem::path path_;
};

} // namespace orbitdeck::testing

namespace orbitdeck::testing {

// Runs scripts/make-sample-apps.py into home; false when it failed.
inline bool makeSampleApps(const std::filesystem::path& home, int count, bool systemRoot) {
    // CTest sets the source folder; a direct run finds it from this header's place.
    const char* fromEnvironment = std::getenv("ORBITDECK_SOURCE_DIR");
    const std::string source =
        fromEnvironment ? fromEnvironment
                        : std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();
    const std::string command = "python3 '" + source + "/scripts/make-sample-apps.py' --home '" +
                                home.string() + "' --count " + std::to_string(count) +
                                (systemRoot ? " --system-root" : "") + " > /dev/null";
    return std::system(command.c_str()) == 0;
}

// Sets an environment variable for one scope, restoring the old value.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value)
        : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedVariable() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

} // namespace orbitdeck::testing

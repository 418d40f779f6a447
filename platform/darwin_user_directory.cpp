#include "platform/darwin_user_directory.h"

#include <cstdlib>
#include <string_view>

namespace orbitdeck {

namespace {

std::optional<std::string_view> environmentValue(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value)
        return std::nullopt;
    return std::string_view(value);
}

} // namespace

std::optional<std::filesystem::path> darwinUserDirectory() {
    if (const auto overridden = environmentValue("ORBITDECK_DARWIN_USER_DIR"))
        return std::filesystem::path(*overridden);
    std::filesystem::path dataHome;
    if (const auto xdg = environmentValue("XDG_DATA_HOME"))
        dataHome = *xdg;
    else if (const auto home = environmentValue("HOME"))
        dataHome = std::filesystem::path(*home) / ".local" / "share";
    else
        return std::nullopt;
    return dataHome / "orbitdeck" / "darwin-user";
}

} // namespace orbitdeck

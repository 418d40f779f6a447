#pragma once

#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace orbitdeck {

// The desktop's own list of favourite applications by desktop-file id, which its dock shows.
class FavoriteApps {
public:
    enum class State {
        unavailable, // this desktop keeps no such list (or it cannot be asked)
        list,
        malformed, // present but unreadable: never written over
    };
    struct Read {
        State state = State::unavailable;
        std::vector<std::string> ids;
    };

    virtual ~FavoriteApps() = default;
    virtual Read read() = 0;
    // True when the list was stored.
    virtual bool write(const std::vector<std::string>& ids) = 0;
};

// GNOME Shell's org.gnome.shell favorite-apps through gsettings, on a GNOME session only.
class GnomeFavoriteApps final : public FavoriteApps {
public:
    Read read() override;
    bool write(const std::vector<std::string>& ids) override;
};

// A string array as gsettings prints it ("['a.desktop', \"it's.desktop\"]", "@as []"); none when
// the text is not one.
std::optional<std::vector<std::string>> parseGVariantStrings(const QString& text);
// The array in the same text form, for gsettings set.
QString formatGVariantStrings(const std::vector<std::string>& items);

} // namespace orbitdeck

#pragma once

#include <QString>

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

// GNOME Shell's favorite-apps (schema org.gnome.shell), which its dash and the docks built on it
// show, on a GNOME session only.
class GnomeFavoriteApps final : public FavoriteApps {
public:
    explicit GnomeFavoriteApps(QString schema = QStringLiteral("org.gnome.shell"));
    Read read() override;
    bool write(const std::vector<std::string>& ids) override;

private:
    QString schema_;
};

} // namespace orbitdeck

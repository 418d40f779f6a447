#pragma once

#include <QString>

#include <optional>

namespace orbitdeck {

// Whether the launcher starts when the user logs in.
enum class LoginItemStatus { notRegistered, enabled, requiresApproval };

// The login-item registration of the launcher itself. Register and unregister answer an error
// text on failure; the status is read back afterwards, since a request may succeed without the
// item being enabled yet.
class LoginItem {
public:
    virtual ~LoginItem() = default;
    virtual LoginItemStatus status() const = 0;
    virtual std::optional<QString> registerItem() = 0;
    virtual std::optional<QString> unregisterItem() = 0;
};

// The freedesktop autostart entry "$XDG_CONFIG_HOME/autostart/orbitdeck.desktop" ($HOME/.config
// when the variable is unset). An entry that desktop sessions skip (Hidden=true, or disabled
// for GNOME) counts as not registered, and registering replaces it.
class XdgAutostartLoginItem final : public LoginItem {
public:
    // executable: the program the session starts; the running one when empty.
    explicit XdgAutostartLoginItem(QString executable = {});

    static QString entryPath();
    // The Exec line for a program path, quoted so that blanks, quotes, dollars, backslashes and
    // percent signs in the path reach the program unchanged.
    static QString execLine(const QString& executable);

    LoginItemStatus status() const override;
    std::optional<QString> registerItem() override;
    std::optional<QString> unregisterItem() override;

private:
    QString executable_;
};

} // namespace orbitdeck

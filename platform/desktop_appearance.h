#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <optional>

namespace orbitdeck {

enum class DesktopAppearance { light, dark };

// Whether the desktop is set to a light or a dark look; none when nobody answers.
class DesktopAppearanceSource {
public:
    virtual ~DesktopAppearanceSource() = default;
    virtual std::optional<DesktopAppearance> appearance() const = 0;
};

// Asks KDE (kdeglobals) on a KDE session, otherwise GNOME (gsettings), then KDE's file anyway.
// An answer is kept for a moment because skins are resolved by many views in one pass.
class LinuxDesktopAppearance final : public DesktopAppearanceSource {
public:
    std::optional<DesktopAppearance> appearance() const override;

private:
    mutable std::optional<DesktopAppearance> cached_;
    mutable std::chrono::steady_clock::time_point cachedAt_{};
    mutable bool hasCache_ = false;
};

// A fixed answer, for tests and for running without a desktop.
class FixedDesktopAppearance final : public DesktopAppearanceSource {
public:
    explicit FixedDesktopAppearance(std::optional<DesktopAppearance> answer)
        : answer_(answer) {}
    std::optional<DesktopAppearance> appearance() const override { return answer_; }

private:
    std::optional<DesktopAppearance> answer_;
};

// "'prefer-dark'" and the like as gsettings prints them; "'default'" falls back to the GTK
// theme's name, whose "-dark" suffix is the older way to ask for a dark look.
std::optional<DesktopAppearance> appearanceFromGnome(const QString& colorScheme,
                                                     const QString& gtkTheme);
// The window background colour of a kdeglobals file decides: dark when its luminance is low.
std::optional<DesktopAppearance> appearanceFromKdeGlobals(const QByteArray& contents);

} // namespace orbitdeck

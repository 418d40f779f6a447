#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace orbitdeck {

enum class DesktopAppearance { light, dark };

// Whether the desktop is set to a light or a dark look; none when nobody answers.
class DesktopAppearanceSource {
public:
    virtual ~DesktopAppearanceSource() = default;
    virtual std::optional<DesktopAppearance> appearance() const = 0;
};

// What the desktop says about the look and motion it wants; a value is none when nobody says.
struct DesktopPreferences {
    std::optional<DesktopAppearance> appearance;
    std::optional<bool> reduceMotion;

    bool operator==(const DesktopPreferences&) const = default;
};

// Asks KDE (kdeglobals) first on a KDE session, otherwise GNOME (GSettings) first, each filling
// what the other left open. Reads a file: call it off the main thread.
DesktopPreferences readDesktopPreferences();

// The desktop's preferences for the whole run, read again whenever GNOME announces a change of
// them. Reads run on a worker thread, so start-up never waits for them: until the first answer
// every value is none (night skin, motion on).
class DesktopPreferencesWatch final : public QObject, public DesktopAppearanceSource {
    Q_OBJECT
public:
    using Reader = std::function<DesktopPreferences()>;

    // Starts the first read at once.
    explicit DesktopPreferencesWatch(Reader reader = readDesktopPreferences,
                                     QObject* parent = nullptr);
    ~DesktopPreferencesWatch() override;

    // The one watch of the process, made (and so first read) on the first call.
    static DesktopPreferencesWatch& shared();

    const DesktopPreferences& current() const { return current_; }
    std::optional<DesktopAppearance> appearance() const override { return current_.appearance; }

    // Reads again in the background unless a read is running; changed follows a new answer.
    void refresh();

signals:
    void changed();

private:
    void answered(const DesktopPreferences& answer);

    Reader reader_;
    DesktopPreferences current_;
    bool reading_ = false;
    bool readAgain_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
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

// GNOME's color-scheme ("prefer-dark" and the like); "default" falls back to the GTK theme's
// name, whose "-dark" suffix is the older way to ask for a dark look.
std::optional<DesktopAppearance> appearanceFromGnome(const QString& colorScheme,
                                                     const QString& gtkTheme);
// The window background colour of a kdeglobals file decides: dark when its luminance is low.
std::optional<DesktopAppearance> appearanceFromKdeGlobals(const QByteArray& contents);

// KDE's [KDE] AnimationDurationFactor: 0 turns animations off.
std::optional<bool> reduceMotionFromKdeGlobals(const QByteArray& contents);

} // namespace orbitdeck

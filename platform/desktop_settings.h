#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <string>
#include <vector>

namespace orbitdeck::desktop_settings {

// GNOME's settings, read and written through GLib's GSettings. GSettings is asked only where a
// backend is chosen (GSETTINGS_BACKEND) or a session bus is known, since its dconf backend
// would otherwise try to start a bus of its own; a schema or key that is not installed reads as
// none (asking GLib for a missing schema would end the process). Reads are local and fast and
// may run on any thread.

// A key's value: a QString for text (enumerations included), a bool, a QStringList for a list
// of texts, an invalid QVariant for any other type. None when the key is not there to read.
std::optional<QVariant> gsettingsValue(const QString& schema, const QString& key);
// The value when it is text or a Boolean; none otherwise.
std::optional<QString> gsettingsString(const QString& schema, const QString& key);
std::optional<bool> gsettingsBool(const QString& schema, const QString& key);

// Stores a list of texts in a key of that type; false when the key is missing, of another type
// or not writable, or an item is not UTF-8 (a setting holds only UTF-8 text).
bool setGsettingsStrings(const QString& schema, const QString& key,
                         const std::vector<std::string>& items);

// Reports changes of a schema's keys as GLib announces them, with no polling: GLib's default
// main context runs inside Qt's event loop on Linux (else it is pumped here). Made on the main
// thread. Watches nothing when the schema is not there to read.
class GsettingsWatch final : public QObject {
    Q_OBJECT
public:
    // keys: the keys whose changes matter (GSettings announces a key only once it was read).
    GsettingsWatch(const QString& schema, const QStringList& keys, QObject* parent = nullptr);
    ~GsettingsWatch() override;

    bool watching() const { return settings_ != nullptr; }

signals:
    void changed(const QString& key);

private:
    static void onChanged(void* settings, const char* key, void* self);

    void* settings_ = nullptr;
};

// The contents of KDE's kdeglobals in the user's configuration folder, when it can be read.
std::optional<QByteArray> kdeGlobals();

// The value of key in [group] of an INI-style file such as kdeglobals, trimmed.
std::optional<QByteArray> iniValue(const QByteArray& contents, const QByteArray& group,
                                   const QByteArray& key);

// Whether the session is KDE's, whose own files then answer before GNOME's settings.
bool onKdeSession();

// The icon theme the desktop uses: KDE's [Icons] Theme on a KDE session, GNOME's icon-theme on a
// GNOME-like one, else GTK's settings.ini, else "hicolor". Reads files: keep it off the main
// thread.
QString iconThemeName();

} // namespace orbitdeck::desktop_settings

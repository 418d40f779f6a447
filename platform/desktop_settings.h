#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

namespace orbitdeck::desktop_settings {

// A GNOME setting as `gsettings get` prints it (e.g. "'prefer-dark'"), trimmed; none when
// gsettings is missing, fails or hangs. Starts a process: keep it off the main thread.
std::optional<QString> gsettingsValue(const QString& schema, const QString& key);

// Sets a GNOME setting to a value in gsettings' text form; false when gsettings is missing,
// refuses or hangs.
bool gsettingsSet(const QString& schema, const QString& key, const QString& value);

// Every key of a GNOME schema with its value as `gsettings get` prints it, read by one process
// (`gsettings list-recursively`); none when gsettings is missing, fails or hangs.
std::optional<QHash<QString, QString>> gsettingsSchema(const QString& schema);

// The contents of KDE's kdeglobals in the user's configuration folder, when it can be read.
std::optional<QByteArray> kdeGlobals();

// The value of key in [group] of an INI-style file such as kdeglobals, trimmed.
std::optional<QByteArray> iniValue(const QByteArray& contents, const QByteArray& group,
                                   const QByteArray& key);

// Whether the session is KDE's, whose own files then answer before GNOME's settings.
bool onKdeSession();

// The icon theme the desktop uses: KDE's [Icons] Theme on a KDE session, GNOME's icon-theme on a
// GNOME-like one, else GTK's settings.ini, else "hicolor". May start gsettings: keep it off the
// main thread.
QString iconThemeName();

} // namespace orbitdeck::desktop_settings

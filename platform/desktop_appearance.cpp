#include "platform/desktop_appearance.h"

#include "platform/desktop_settings.h"
#include "platform/main_thread.h"

#include <QCoreApplication>
#include <QThreadPool>

namespace orbitdeck {
namespace {

const QString gnomeInterface = QStringLiteral("org.gnome.desktop.interface");

DesktopPreferences askGnome() {
    using namespace desktop_settings;
    DesktopPreferences answer;
    if (const auto scheme = gsettingsString(gnomeInterface, QStringLiteral("color-scheme")))
        answer.appearance = appearanceFromGnome(
            *scheme,
            gsettingsString(gnomeInterface, QStringLiteral("gtk-theme")).value_or(QString()));
    if (const auto animations = gsettingsBool(gnomeInterface, QStringLiteral("enable-animations")))
        answer.reduceMotion = !*animations;
    return answer;
}

DesktopPreferences askKde() {
    const auto contents = desktop_settings::kdeGlobals();
    if (!contents)
        return {};
    return {.appearance = appearanceFromKdeGlobals(*contents),
            .reduceMotion = reduceMotionFromKdeGlobals(*contents)};
}

// first's answers, with second asked only for what first left open.
DesktopPreferences merged(DesktopPreferences first, DesktopPreferences (*second)()) {
    if (first.appearance && first.reduceMotion)
        return first;
    const DesktopPreferences more = second();
    return {.appearance = first.appearance ? first.appearance : more.appearance,
            .reduceMotion = first.reduceMotion ? first.reduceMotion : more.reduceMotion};
}

} // namespace

std::optional<DesktopAppearance> appearanceFromGnome(const QString& colorScheme,
                                                     const QString& gtkTheme) {
    if (colorScheme == u"prefer-dark")
        return DesktopAppearance::dark;
    if (colorScheme == u"prefer-light")
        return DesktopAppearance::light;
    if (colorScheme != u"default")
        return std::nullopt;
    return gtkTheme.endsWith(u"-dark", Qt::CaseInsensitive) ? DesktopAppearance::dark
                                                            : DesktopAppearance::light;
}

std::optional<DesktopAppearance> appearanceFromKdeGlobals(const QByteArray& contents) {
    const auto background =
        desktop_settings::iniValue(contents, "Colors:Window", "BackgroundNormal");
    if (!background)
        return std::nullopt;
    const QList<QByteArray> parts = background->split(',');
    if (parts.size() < 3)
        return std::nullopt;
    double channels[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        channels[i] = parts[i].trimmed().toInt(&ok) / 255.0;
        if (!ok || channels[i] < 0 || channels[i] > 1)
            return std::nullopt;
    }
    const double luminance = 0.2126 * channels[0] + 0.7152 * channels[1] + 0.0722 * channels[2];
    return luminance < 0.5 ? DesktopAppearance::dark : DesktopAppearance::light;
}

std::optional<bool> reduceMotionFromKdeGlobals(const QByteArray& contents) {
    const auto factor = desktop_settings::iniValue(contents, "KDE", "AnimationDurationFactor");
    if (!factor)
        return std::nullopt;
    bool ok = false;
    const double value = factor->toDouble(&ok);
    if (!ok || value < 0)
        return std::nullopt;
    return value == 0;
}

DesktopPreferences readDesktopPreferences() {
    if (desktop_settings::onKdeSession())
        return merged(askKde(), askGnome);
    return merged(askGnome(), askKde);
}

DesktopPreferencesWatch::DesktopPreferencesWatch(Reader reader, QObject* parent)
    : QObject(parent)
    , reader_(std::move(reader)) {
    // GNOME announces its changes; KDE's file is read again when the window hides.
    auto* gnome = new desktop_settings::GsettingsWatch(gnomeInterface,
                                                       {QStringLiteral("color-scheme"),
                                                        QStringLiteral("gtk-theme"),
                                                        QStringLiteral("enable-animations")},
                                                       this);
    connect(gnome, &desktop_settings::GsettingsWatch::changed, this,
            &DesktopPreferencesWatch::refresh);
    refresh();
}

DesktopPreferencesWatch::~DesktopPreferencesWatch() {
    *alive_ = false;
}

DesktopPreferencesWatch& DesktopPreferencesWatch::shared() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    static DesktopPreferencesWatch watch;
    return watch;
}

void DesktopPreferencesWatch::refresh() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (reading_) {
        readAgain_ = true;
        return;
    }
    reading_ = true;
    QThreadPool::globalInstance()->start([this, reader = reader_, alive = alive_] {
        const DesktopPreferences answer = reader();
        // Back on the main thread; the watch may be gone by then (alive is only touched there).
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [this, answer, alive] {
                if (*alive)
                    answered(answer);
            },
            Qt::QueuedConnection);
    });
}

void DesktopPreferencesWatch::answered(const DesktopPreferences& answer) {
    reading_ = false;
    const bool isNew = answer != current_;
    current_ = answer;
    if (isNew)
        emit changed();
    if (std::exchange(readAgain_, false))
        refresh();
}

} // namespace orbitdeck

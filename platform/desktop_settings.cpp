#include "platform/desktop_settings.h"

#include "platform/config_home.h"
#include "platform/durable_file.h"
#include "platform/main_thread.h"
#include "platform/platform_log.h"
#include "platform/session_bus.h"

#include <QAbstractEventDispatcher>
#include <QTimer>

// GLib names a structure field "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

#include <memory>

namespace orbitdeck::desktop_settings {

namespace {

constexpr qint64 kdeGlobalsCap = 1024 * 1024;
// Without GLib's loop inside Qt's, GLib's announcements are collected this often.
constexpr int pumpIntervalMs = 500;

struct SchemaUnref {
    void operator()(GSettingsSchema* schema) const { g_settings_schema_unref(schema); }
};
struct ObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct VariantUnref {
    void operator()(GVariant* value) const { g_variant_unref(value); }
};
using Schema = std::unique_ptr<GSettingsSchema, SchemaUnref>;
using Settings = std::unique_ptr<GSettings, ObjectUnref>;
using Variant = std::unique_ptr<GVariant, VariantUnref>;

bool gsettingsUsable() {
    return qEnvironmentVariableIsSet("GSETTINGS_BACKEND") || sessionBusAdvertised();
}

// The installed schema, when it has a fixed path (a relocatable one needs a path of its own).
Schema installedSchema(const QString& id) {
    if (!gsettingsUsable())
        return nullptr;
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (source == nullptr)
        return nullptr;
    Schema schema(g_settings_schema_source_lookup(source, id.toUtf8().constData(), TRUE));
    if (schema && g_settings_schema_get_path(schema.get()) == nullptr)
        return nullptr;
    return schema;
}

Settings open(const Schema& schema) {
    return Settings(g_settings_new_full(schema.get(), nullptr, nullptr));
}

QVariant converted(GVariant* value) {
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING))
        return QString::fromUtf8(g_variant_get_string(value, nullptr));
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_BOOLEAN))
        return g_variant_get_boolean(value) != FALSE;
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING_ARRAY)) {
        QStringList items;
        gsize count = 0;
        const gchar** strings = g_variant_get_strv(value, &count);
        for (gsize i = 0; i < count; ++i)
            items.append(QString::fromUtf8(strings[i]));
        g_free(strings);
        return items;
    }
    return {};
}

} // namespace

std::optional<QVariant> gsettingsValue(const QString& schemaId, const QString& key) {
    const Schema schema = installedSchema(schemaId);
    if (!schema || !g_settings_schema_has_key(schema.get(), key.toUtf8().constData()))
        return std::nullopt;
    const Settings settings = open(schema);
    const Variant value(g_settings_get_value(settings.get(), key.toUtf8().constData()));
    return value ? converted(value.get()) : QVariant();
}

std::optional<QString> gsettingsString(const QString& schema, const QString& key) {
    const auto value = gsettingsValue(schema, key);
    if (!value || value->typeId() != QMetaType::QString)
        return std::nullopt;
    return value->toString();
}

std::optional<bool> gsettingsBool(const QString& schema, const QString& key) {
    const auto value = gsettingsValue(schema, key);
    if (!value || value->typeId() != QMetaType::Bool)
        return std::nullopt;
    return value->toBool();
}

bool setGsettingsStrings(const QString& schemaId, const QString& key,
                         const std::vector<std::string>& items) {
    const QByteArray name = key.toUtf8();
    const Schema schema = installedSchema(schemaId);
    if (!schema || !g_settings_schema_has_key(schema.get(), name.constData()))
        return false;
    GSettingsSchemaKey* schemaKey = g_settings_schema_get_key(schema.get(), name.constData());
    const bool isList = g_variant_type_equal(g_settings_schema_key_get_value_type(schemaKey),
                                             G_VARIANT_TYPE_STRING_ARRAY);
    g_settings_schema_key_unref(schemaKey);
    if (!isList)
        return false;
    std::vector<const gchar*> strings;
    for (const std::string& item : items) {
        // Also false for an embedded NUL.
        if (!g_utf8_validate(item.data(), static_cast<gssize>(item.size()), nullptr)) {
            qCWarning(platformLog) << "not stored in" << schemaId << key << ": an item is no text";
            return false;
        }
        strings.push_back(item.c_str());
    }
    strings.push_back(nullptr);
    const Settings settings = open(schema);
    if (!g_settings_is_writable(settings.get(), name.constData()) ||
        !g_settings_set_strv(settings.get(), name.constData(), strings.data())) {
        qCWarning(platformLog) << "cannot write" << schemaId << key;
        return false;
    }
    return true;
}

GsettingsWatch::GsettingsWatch(const QString& schemaId, const QStringList& keys, QObject* parent)
    : QObject(parent) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const Schema schema = installedSchema(schemaId);
    if (!schema)
        return;
    // Made on the main thread, so GLib announces changes in its default main context.
    GSettings* settings = open(schema).release();
    settings_ = settings;
    g_signal_connect(settings, "changed", G_CALLBACK(&GsettingsWatch::onChanged), this);
    for (const QString& key : keys)
        if (g_settings_schema_has_key(schema.get(), key.toUtf8().constData()))
            g_variant_unref(g_settings_get_value(settings, key.toUtf8().constData()));
    const QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (dispatcher == nullptr || !dispatcher->inherits("QEventDispatcherGlib")) {
        // Qt runs its own loop (QT_NO_GLIB): GLib's is turned by hand.
        auto* pump = new QTimer(this);
        connect(pump, &QTimer::timeout, this, [] {
            while (g_main_context_iteration(nullptr, FALSE)) {
            }
        });
        pump->start(pumpIntervalMs);
    }
}

GsettingsWatch::~GsettingsWatch() {
    if (settings_ == nullptr)
        return;
    g_signal_handlers_disconnect_by_data(settings_, this);
    g_object_unref(settings_);
}

void GsettingsWatch::onChanged(void*, const char* key, void* self) {
    emit static_cast<GsettingsWatch*>(self)->changed(QString::fromUtf8(key));
}

std::optional<QByteArray> kdeGlobals() {
    auto read = readFileCapped(configHome() + QStringLiteral("/kdeglobals"), kdeGlobalsCap);
    if (auto* contents = std::get_if<QByteArray>(&read))
        return std::move(*contents);
    return std::nullopt;
}

std::optional<QByteArray> iniValue(const QByteArray& contents, const QByteArray& group,
                                   const QByteArray& key) {
    const QByteArray header = '[' + group + ']';
    bool inGroup = false;
    for (const QByteArray& rawLine : contents.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.startsWith('[')) {
            inGroup = line == header;
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (inGroup && equals > 0 && line.left(equals).trimmed() == key)
            return line.mid(equals + 1).trimmed();
    }
    return std::nullopt;
}

bool onKdeSession() {
    return qEnvironmentVariable("XDG_CURRENT_DESKTOP").contains(u"KDE");
}

namespace {

bool onGnomeLikeSession() {
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':');
    for (const QString& desktop : desktops) {
        for (const char* gnomeLike : {"GNOME", "Unity", "Budgie", "Pantheon"}) {
            if (desktop.compare(QLatin1String(gnomeLike), Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return false;
}

} // namespace

QString iconThemeName() {
    if (onKdeSession()) {
        const auto globals = kdeGlobals();
        const auto theme = globals ? iniValue(*globals, "Icons", "Theme") : std::nullopt;
        return theme && !theme->isEmpty() ? QString::fromUtf8(*theme) : QStringLiteral("breeze");
    }
    if (onGnomeLikeSession()) {
        if (const auto theme = gsettingsString(QStringLiteral("org.gnome.desktop.interface"),
                                               QStringLiteral("icon-theme"));
            theme && !theme->isEmpty())
            return *theme;
    }
    auto read =
        readFileCapped(configHome() + QStringLiteral("/gtk-3.0/settings.ini"), kdeGlobalsCap);
    if (const auto* contents = std::get_if<QByteArray>(&read)) {
        if (const auto theme = iniValue(*contents, "Settings", "gtk-icon-theme-name");
            theme && !theme->isEmpty())
            return QString::fromUtf8(*theme);
    }
    return QStringLiteral("hicolor");
}

} // namespace orbitdeck::desktop_settings

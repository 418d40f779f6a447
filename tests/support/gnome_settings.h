#pragma once

// GLib names a structure field "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

#include <string>
#include <utility>
#include <vector>

// GNOME settings of the test process, in the memory backend over the tests' private schema
// folder (GSETTINGS_BACKEND=memory, GSETTINGS_SCHEMA_DIR): set here in GVariant text, put back
// to their defaults when the fixture ends.
class GnomeSettings {
public:
    GnomeSettings() = default;
    GnomeSettings(const GnomeSettings&) = delete;
    GnomeSettings& operator=(const GnomeSettings&) = delete;
    ~GnomeSettings() {
        for (const auto& [schema, key] : touched_) {
            GSettings* settings = g_settings_new(schema.c_str());
            g_settings_reset(settings, key.c_str());
            g_object_unref(settings);
        }
    }

    void set(const std::string& schema, const std::string& key, const std::string& text) {
        GSettings* settings = g_settings_new(schema.c_str());
        GVariant* value = g_variant_parse(nullptr, text.c_str(), nullptr, nullptr, nullptr);
        g_settings_set_value(settings, key.c_str(), value);
        g_object_unref(settings);
        touched_.emplace_back(schema, key);
    }

    std::vector<std::string> strings(const std::string& schema, const std::string& key) const {
        GSettings* settings = g_settings_new(schema.c_str());
        gchar** items = g_settings_get_strv(settings, key.c_str());
        std::vector<std::string> result;
        for (gchar** item = items; *item != nullptr; ++item)
            result.emplace_back(*item);
        g_strfreev(items);
        g_object_unref(settings);
        return result;
    }

private:
    std::vector<std::pair<std::string, std::string>> touched_;
};

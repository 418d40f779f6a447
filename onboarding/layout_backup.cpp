#include "onboarding/layout_backup.h"

#include "onboarding/backup_text_codings.h"

#include <nlohmann/json.hpp>

namespace orbitdeck {

namespace {

using Json = nlohmann::json;

const Json* member(const Json& object, const char* key) {
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

std::optional<std::string> stringMember(const Json& object, const char* key) {
    const Json* value = member(object, key);
    if (!value || !value->is_string())
        return std::nullopt;
    return value->get<std::string>();
}

std::optional<std::vector<std::string>> stringList(const Json* value) {
    if (!value || !value->is_array())
        return std::nullopt;
    std::vector<std::string> list;
    for (const Json& element : *value) {
        if (!element.is_string())
            return std::nullopt;
        list.push_back(element.get<std::string>());
    }
    return list;
}

std::optional<std::int64_t> integerMember(const Json& object, const char* key) {
    const Json* value = member(object, key);
    if (!value)
        return std::nullopt;
    if (value->is_number_integer() && !value->is_number_unsigned())
        return value->get<std::int64_t>();
    if (value->is_number_unsigned() &&
        value->get<std::uint64_t>() <= static_cast<std::uint64_t>(INT64_MAX))
        return static_cast<std::int64_t>(value->get<std::uint64_t>());
    return std::nullopt;
}

} // namespace

std::string encodeLayoutBackup(const LayoutBackup& backup) {
    Json object = {
        {"appVersion", backup.appVersion},
        {"exportedAt", formatInternetDateTime(backup.exportedAt)},
        {"format", backup.format},
        {"hidden", backup.hidden},
        {"layout", encodeBase64(backup.layout)},
    };
    if (backup.sort)
        object["sort"] = *backup.sort;
    // Invalid UTF-8 in a text is replaced rather than failing the whole export.
    return object.dump(2, ' ', false, Json::error_handler_t::replace);
}

std::optional<LayoutBackup> decodeLayoutBackup(std::string_view bytes) {
    const Json object = Json::parse(bytes, nullptr, false);
    if (object.is_discarded() || !object.is_object())
        return std::nullopt;
    const auto format = integerMember(object, "format");
    const auto appVersion = stringMember(object, "appVersion");
    const auto exportedAtText = stringMember(object, "exportedAt");
    const auto layoutText = stringMember(object, "layout");
    auto hidden = stringList(member(object, "hidden"));
    if (!format || *format > LayoutBackup::currentFormat || !appVersion || !exportedAtText ||
        !layoutText || !hidden)
        return std::nullopt;
    const auto exportedAt = parseInternetDateTime(*exportedAtText);
    auto layout = decodeBase64(*layoutText);
    if (!exportedAt || !layout)
        return std::nullopt;
    std::optional<std::string> sort;
    if (const Json* value = member(object, "sort"); value && !value->is_null()) {
        if (!value->is_string())
            return std::nullopt;
        sort = value->get<std::string>();
    }
    return LayoutBackup{
        .format = *format,
        .appVersion = *appVersion,
        .exportedAt = *exportedAt,
        .layout = std::move(*layout),
        .hidden = std::move(*hidden),
        .sort = std::move(sort),
    };
}

std::string suggestedBackupFileName(std::chrono::sys_seconds now) {
    return "Orbitdeck Layout " + formatCalendarDate(now) + ".json";
}

} // namespace orbitdeck

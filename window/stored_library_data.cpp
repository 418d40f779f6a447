#include "window/stored_library_data.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>

namespace orbitdeck {

namespace {

using Json = nlohmann::json;

std::optional<Json> parse(const QByteArray& data) {
    if (data.isEmpty())
        return std::nullopt;
    Json json = Json::parse(data.constBegin(), data.constEnd(), nullptr, false);
    if (json.is_discarded())
        return std::nullopt;
    return json;
}

std::optional<QByteArray> dump(const Json& json) {
    try {
        const std::string text = json.dump(-1, ' ', false, Json::error_handler_t::strict);
        return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
    } catch (const Json::exception&) {
        return std::nullopt;
    }
}

// Any entry of the wrong kind makes the whole value unreadable, as the platform decoder does.
template <typename Map, typename Read>
Map decodeObject(const QByteArray& data, Read read) {
    const std::optional<Json> json = parse(data);
    if (!json || !json->is_object())
        return {};
    Map result;
    for (const auto& [key, value] : json->items()) {
        auto decoded = read(value);
        if (!decoded)
            return {};
        result.emplace(key, *decoded);
    }
    return result;
}

} // namespace

double secondsSinceReferenceDate(LibraryDate date) {
    const auto sinceEpoch = std::chrono::duration<double>(date.time_since_epoch()).count();
    return sinceEpoch - static_cast<double>(referenceDateOffsetSeconds);
}

LibraryDate dateFromReferenceSeconds(double seconds) {
    const double sinceEpoch = seconds + static_cast<double>(referenceDateOffsetSeconds);
    return LibraryDate(std::chrono::duration_cast<LibraryDate::duration>(
        std::chrono::duration<double>(sinceEpoch)));
}

RecentUse decodeRecentUse(const QByteArray& data) {
    return decodeObject<RecentUse>(data, [](const Json& value) -> std::optional<LibraryDate> {
        // Bounded so a hostile number cannot overflow the clock's representation.
        if (!value.is_number() || !std::isfinite(value.get<double>()) ||
            std::abs(value.get<double>()) > 1e11)
            return std::nullopt;
        return dateFromReferenceSeconds(value.get<double>());
    });
}

std::optional<QByteArray> encodeRecentUse(const RecentUse& dates) {
    Json json = Json::object();
    for (const auto& [id, date] : dates)
        json[id] = secondsSinceReferenceDate(date);
    return dump(json);
}

LaunchCounts decodeLaunchCounts(const QByteArray& data) {
    return decodeObject<LaunchCounts>(data, [](const Json& value) -> std::optional<std::int64_t> {
        if (!value.is_number_integer() ||
            (value.is_number_unsigned() &&
             value.get<std::uint64_t>() >
                 static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())))
            return std::nullopt;
        return value.get<std::int64_t>();
    });
}

std::optional<QByteArray> encodeLaunchCounts(const LaunchCounts& counts) {
    Json json = Json::object();
    for (const auto& [id, count] : counts)
        json[id] = count;
    return dump(json);
}

HiddenIDs decodeHiddenIDs(const QByteArray& data) {
    return decodeTextSet(data).value_or(HiddenIDs());
}

std::optional<QByteArray> encodeHiddenIDs(const HiddenIDs& ids) {
    return encodeTextSet(ids);
}

std::optional<std::set<std::string>> decodeTextSet(const QByteArray& data) {
    const std::optional<Json> json = parse(data);
    if (!json || !json->is_array())
        return std::nullopt;
    std::set<std::string> texts;
    for (const Json& value : *json) {
        if (!value.is_string())
            return std::nullopt;
        texts.insert(value.get<std::string>());
    }
    return texts;
}

std::optional<QByteArray> encodeTextSet(const std::set<std::string>& texts) {
    // std::set already iterates in byte order.
    Json json = Json::array();
    for (const std::string& text : texts)
        json.push_back(text);
    return dump(json);
}

} // namespace orbitdeck

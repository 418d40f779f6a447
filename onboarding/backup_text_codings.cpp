#include "onboarding/backup_text_codings.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace orbitdeck {

namespace {

constexpr std::string_view alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int sextet(char c) {
    const auto at = alphabet.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// Parses exactly `width` ASCII digits.
std::optional<int> digits(std::string_view text, std::size_t at, std::size_t width) {
    if (at + width > text.size())
        return std::nullopt;
    int value = 0;
    for (std::size_t i = at; i < at + width; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool separatorAt(std::string_view text, std::size_t at, char separator) {
    return at < text.size() && text[at] == separator;
}

} // namespace

std::string encodeBase64(std::string_view bytes) {
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 3; ++k)
            group = (group << 8) | (k < count ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (std::size_t k = 0; k < 4; ++k)
            text += k <= count ? alphabet[(group >> (18 - 6 * k)) & 0x3f] : '=';
    }
    return text;
}

std::optional<std::string> decodeBase64(std::string_view text) {
    if (text.size() % 4 != 0)
        return std::nullopt;
    std::string bytes;
    bytes.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        std::size_t padding = 0;
        if (last && text[i + 3] == '=')
            padding = text[i + 2] == '=' ? 2 : 1;
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const int value = k < 4 - padding ? sextet(text[i + k]) : 0;
            if (value < 0)
                return std::nullopt;
            group = (group << 6) | static_cast<std::uint32_t>(value);
        }
        // Bits below the last whole byte must be zero, so one text means one byte string.
        if ((padding == 1 && (group & 0xff)) || (padding == 2 && (group & 0xffff)))
            return std::nullopt;
        for (std::size_t k = 0; k < 3 - padding; ++k)
            bytes += static_cast<char>((group >> (16 - 8 * k)) & 0xff);
    }
    return bytes;
}

std::string formatInternetDateTime(std::chrono::sys_seconds moment) {
    using namespace std::chrono;
    const sys_days day = floor<days>(moment);
    const year_month_day date{day};
    const hh_mm_ss time{moment - day};
    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%04d-%02u-%02uT%02d:%02d:%02dZ",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<int>(time.hours().count()),
                  static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    return buffer.data();
}

std::string formatCalendarDate(std::chrono::sys_seconds moment) {
    return formatInternetDateTime(moment).substr(0, 10);
}

std::optional<std::chrono::sys_seconds> parseInternetDateTime(std::string_view text) {
    using namespace std::chrono;
    const auto y = digits(text, 0, 4), mo = digits(text, 5, 2), d = digits(text, 8, 2);
    const auto h = digits(text, 11, 2), mi = digits(text, 14, 2), s = digits(text, 17, 2);
    if (!y || !mo || !d || !h || !mi || !s || !separatorAt(text, 4, '-') ||
        !separatorAt(text, 7, '-') || !separatorAt(text, 10, 'T') || !separatorAt(text, 13, ':') ||
        !separatorAt(text, 16, ':'))
        return std::nullopt;
    const year_month_day date{year{*y}, month{static_cast<unsigned>(*mo)},
                              day{static_cast<unsigned>(*d)}};
    if (!date.ok() || *h > 23 || *mi > 59 || *s > 59)
        return std::nullopt;
    int offsetMinutes = 0;
    const std::string_view zone = text.substr(19);
    if (zone != "Z") {
        const auto oh = digits(zone, 1, 2), om = digits(zone, 4, 2);
        if (zone.size() != 6 || (zone[0] != '+' && zone[0] != '-') || !separatorAt(zone, 3, ':') ||
            !oh || !om || *oh > 23 || *om > 59)
            return std::nullopt;
        offsetMinutes = (zone[0] == '-' ? -1 : 1) * (*oh * 60 + *om);
    }
    return sys_days{date} + hours{*h} + minutes{*mi} + seconds{*s} - minutes{offsetMinutes};
}

} // namespace orbitdeck

#include "platform/byte_count.h"

#include <QLocale>

#include <array>
#include <cmath>

namespace orbitdeck {

QString formatFileByteCount(std::int64_t bytes, const QLocale& locale) {
    if (bytes <= 0)
        return QStringLiteral("Zero KB");
    if (bytes == 1)
        return QStringLiteral("1 byte");
    if (bytes < 1000)
        return QStringLiteral("%1 bytes").arg(locale.toString(static_cast<qlonglong>(bytes)));
    struct Unit {
        const char* name;
        int decimals;
    };
    static constexpr std::array<Unit, 5> units{
        {{"KB", 0}, {"MB", 1}, {"GB", 2}, {"TB", 2}, {"PB", 2}}};
    double value = static_cast<double>(bytes);
    for (std::size_t i = 0; i < units.size(); ++i) {
        value /= 1000.0;
        const double scale = std::pow(10.0, units[i].decimals);
        const double rounded = std::round(value * scale) / scale;
        // 999,999 bytes round to "1 MB", not "1,000 KB".
        if (rounded >= 1000.0 && i + 1 < units.size())
            continue;
        QString number = locale.toString(rounded, 'f', units[i].decimals);
        if (units[i].decimals > 0) {
            while (number.endsWith(u'0'))
                number.chop(1);
            if (number.endsWith(locale.decimalPoint()))
                number.chop(locale.decimalPoint().size());
        }
        return number + u' ' + QLatin1String(units[i].name);
    }
    return {};
}

} // namespace orbitdeck

#include "window/localization_matching.h"

namespace orbitdeck {
namespace {

std::vector<std::string> toStd(const QStringList& list) {
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(list.size()));
    for (const QString& text : list)
        result.push_back(text.toStdString());
    return result;
}

} // namespace

QStringList toQStringList(const std::vector<std::string>& texts) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const auto& text : texts)
        list.append(QString::fromStdString(text));
    return list;
}

std::optional<QString> preferredLocalization(const QStringList& available,
                                             const QStringList& preferences) {
    if (auto match = preferredLocalization(toStd(available), toStd(preferences)))
        return QString::fromStdString(*match);
    return std::nullopt;
}

} // namespace orbitdeck

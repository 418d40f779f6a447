#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace orbitdeck {

// A hidden application as the settings list it: its id and its display name.
class HiddenApp {
    Q_GADGET
    QML_VALUE_TYPE(hiddenApp)
    Q_PROPERTY(QString id MEMBER id FINAL)
    Q_PROPERTY(QString name MEMBER name FINAL)

public:
    bool operator==(const HiddenApp&) const = default;

    QString id;
    QString name;
};

} // namespace orbitdeck

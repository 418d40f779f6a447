#pragma once

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "catalog-core/app_descriptor.h"
#endif

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace orbitdeck {

class AmbergridWindow;

// Launching with its bookkeeping, and turning pages.
class LaunchFlow : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the arranging module")

public:
    LaunchFlow(AmbergridWindow& window, QObject* parent = nullptr);

    // Success: date and count recorded and stored, the launcher dismissed. Failure: the alert.
    void launch(const AppDescriptor& app);
    Q_INVOKABLE void launchApp(const QString& appID);
    // The search field's submit: the first visible application.
    Q_INVOKABLE void launchFirstVisible();
    // A tap on a tile outside arranging: closes an open folder and launches.
    Q_INVOKABLE void openFromTile(const QString& appID);
    Q_INVOKABLE void goToPage(int target, int current, int pageCount);

private:
    AmbergridWindow& window_;
};

} // namespace orbitdeck

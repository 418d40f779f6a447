#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QQuickWindow>
#include <QTimer>

namespace orbitdeck {

// Test-only report of what the window shows, written as JSON to a file whenever it changes:
// the screen rectangle of every visible item that has an objectName, and the simple properties
// of the window state (page, query, arranging, open folder, selection and the like). Only made
// when ORBITDECK_STATE_REPORT names the file, so normal runs carry none of it.
class StateReport final : public QObject {
    Q_OBJECT

public:
    StateReport(QQuickWindow* window, QObject* state, QString path, QObject* parent = nullptr);

    // The report as it stands now.
    QJsonObject snapshot() const;
    // Writes the report when it differs from the last one written.
    void writeIfChanged();

    static constexpr const char* environmentVariable = "ORBITDECK_STATE_REPORT";

private:
    QPointer<QQuickWindow> window_;
    QPointer<QObject> state_;
    QString path_;
    QByteArray lastWritten_;
    QTimer debounce_;
};

} // namespace orbitdeck

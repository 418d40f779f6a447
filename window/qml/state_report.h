#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QQuickWindow>
#include <QTimer>

#include <atomic>

namespace orbitdeck {

// Test-only report of what the window shows, written as JSON to a file whenever it changes:
// the screen rectangle of every visible item that has an objectName, and the simple properties
// of the window state (page, query, arranging, open folder, selection and the like). Only made
// when ORBITDECK_STATE_REPORT names the file, so normal runs carry none of it.
// Each report carries "frameTime": the CLOCK_MONOTONIC milliseconds of the frame swap that put
// what it reports on screen (a frame still being drawn is waited for). Reports follow a frame
// after ORBITDECK_STATE_REPORT_DEBOUNCE milliseconds (40 unless set); with 0 every frame is
// reported, so the frame time is the very frame that first showed the content (the start
// benchmark uses that), otherwise a frame up to the debounce later.
class StateReport final : public QObject {
    Q_OBJECT

public:
    StateReport(QQuickWindow* window, QObject* state, QString path, QObject* parent = nullptr);

    // The report as it stands now.
    QJsonObject snapshot() const;
    // Writes the report when it differs from the last one written.
    void writeIfChanged();

    static constexpr const char* environmentVariable = "ORBITDECK_STATE_REPORT";
    static constexpr const char* debounceVariable = "ORBITDECK_STATE_REPORT_DEBOUNCE";

private:
    QPointer<QQuickWindow> window_;
    QPointer<QObject> state_;
    QString path_;
    QByteArray lastWritten_;
    QTimer debounce_;
    // Written by whichever thread renders: frames begun, the last one swapped, and the time of
    // that swap.
    std::atomic<int> rendering_{0};
    std::atomic<int> swapped_{0};
    std::atomic<double> swapTimeMs_{0};
    bool writeAfterSwap_ = false;
};

} // namespace orbitdeck

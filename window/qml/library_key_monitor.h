#pragma once

#include <QJSValue>
#include <QObject>
#include <QPointer>
#include <QWindow>
#include <QtQml/qqmlregistration.h>

#include <optional>

class QKeyEvent;

namespace orbitdeck {

// The keys the window handles before anything else: "escape", "left", "right", "up", "down",
// "enter" and "undo". None for every other key or modifier combination.
std::optional<QString> libraryKeyName(const QKeyEvent& event);

// Watches key presses of one window before its items see them and hands the launcher's keys
// to `handler` (a function taking the key name and answering whether it consumed it). A
// consumed key goes no further. Keys pass on untouched while an input method composes.
class LibraryKeyMonitor : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QObject* window READ window WRITE setWindow NOTIFY windowChanged)
    Q_PROPERTY(QJSValue handler READ handler WRITE setHandler NOTIFY handlerChanged)

public:
    using QObject::QObject;

    QObject* window() const { return window_; }
    void setWindow(QObject* window);
    QJSValue handler() const { return handler_; }
    void setHandler(const QJSValue& handler);

signals:
    void windowChanged();
    void handlerChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QObject> window_;
    QJSValue handler_;
};

// True while the focused text input holds uncommitted input-method text.
bool inputMethodComposing();

} // namespace orbitdeck

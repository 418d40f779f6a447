#pragma once

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "window/library_state.h"
#endif

#include "window/undoable_unhide.h"

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <optional>

namespace orbitdeck {

class AmbergridWindow;

// Undo of the four kinds of step, and the hidden-set family.
class UndoActions : public QObject, public UndoableUnhide {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the arranging module")

public:
    UndoActions(AmbergridWindow& window, QObject* parent = nullptr);

    // Pops and reverts the newest entry; nothing when the stack is empty.
    Q_INVOKABLE void undo();

    // Hides one application with an undo step and the toast "“%@” hidden · ⌘Z".
    Q_INVOKABLE void hide(const QString& appID);
    void hide(const std::string& appID);
    // Empty id unhides every application.
    void unhide(const std::optional<std::string>& appID);
    Q_INVOKABLE void unhideApp(const QString& appID);
    // The settings' action: one undo step, then unhide (empty id: all).
    void unhideWithUndo(const QString& appID) override;
    void hide(const std::vector<std::string>& appIDs);
    void updateHidden(const std::function<void(HiddenIDs&)>& change);
    void replaceHidden(HiddenIDs ids);
    void insertHidden(const std::string& appID);

private:
    void restoreLayout(const QByteArray& data);

    AmbergridWindow& window_;
};

} // namespace orbitdeck

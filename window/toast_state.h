#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace orbitdeck {

class Scheduler;

// The one toast slot: a new message replaces the one shown; each message clears itself 2.4 s
// later unless another text took its place.
class ToastState : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the window state")
    Q_PROPERTY(QString text READ text NOTIFY textChanged FINAL)
    Q_PROPERTY(bool visible READ visible NOTIFY textChanged FINAL)

public:
    static constexpr int displayMilliseconds = 2400;

    ToastState(Scheduler& scheduler, QObject* parent = nullptr);

    QString text() const { return text_; }
    bool visible() const { return !text_.isEmpty(); }

    Q_INVOKABLE void showToast(const QString& text);
    Q_INVOKABLE void dismissToast();

signals:
    void textChanged();

private:
    Scheduler& scheduler_;
    QString text_;
};

} // namespace orbitdeck

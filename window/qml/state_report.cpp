#include "window/qml/state_report.h"

#include "platform/durable_file.h"
#include "platform/main_thread.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QMetaProperty>
#include <QQuickItem>

#include <chrono>
#include <utility>

namespace orbitdeck {

namespace {

double monotonicMs() {
    // steady_clock is CLOCK_MONOTONIC here, the clock the benchmark starts its processes by.
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Visible, and not inside a faded-out parent. The item's own opacity does not count: the page
// status text is transparent on purpose and still there.
bool shownOnScreen(const QQuickItem* item) {
    if (!item->isVisible())
        return false;
    for (const QQuickItem* at = item->parentItem(); at; at = at->parentItem()) {
        if (!at->isVisible() || at->opacity() <= 0)
            return false;
    }
    return true;
}

void collectItems(const QQuickItem* item, const QPoint& windowOrigin, QJsonObject& out) {
    if (!item->isVisible())
        return;
    const QString name = item->objectName();
    if (!name.isEmpty() && item->width() > 0 && item->height() > 0 && shownOnScreen(item)) {
        const QRectF scene = item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
        QJsonObject rect{{QStringLiteral("x"), qRound(scene.x()) + windowOrigin.x()},
                         {QStringLiteral("y"), qRound(scene.y()) + windowOrigin.y()},
                         {QStringLiteral("w"), qRound(scene.width())},
                         {QStringLiteral("h"), qRound(scene.height())}};
        // The few view properties tests check besides the geometry.
        for (const char* property : {"text", "enabled", "highlighted", "wiggling", "checked"}) {
            const QVariant value = item->property(property);
            if (value.isValid())
                rect.insert(QString::fromLatin1(property), QJsonValue::fromVariant(value));
        }
        out.insert(name, rect);
    }
    for (const QQuickItem* child : item->childItems())
        collectItems(child, windowOrigin, out);
}

QJsonValue plainValue(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Double:
    case QMetaType::QString:
    case QMetaType::QStringList:
        return QJsonValue::fromVariant(value);
    default:
        return QJsonValue::Undefined;
    }
}

// The simple properties of an object, and those of the objects it holds down to depth.
QJsonObject plainProperties(const QObject* object, int depth = 2) {
    QJsonObject out;
    if (!object)
        return out;
    const QMetaObject* meta = object->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        const QVariant value = property.read(object);
        const QString name = QString::fromLatin1(property.name());
        if (auto* child = value.value<QObject*>(); child && depth > 1) {
            if (!child->inherits("QAbstractItemModel"))
                out.insert(name, plainProperties(child, depth - 1));
            continue;
        }
        // An enumeration (the settings' cases) by its case name, as the settings store it.
        if (property.isEnumType()) {
            out.insert(name, QString::fromLatin1(property.enumerator().valueToKey(value.toInt())));
            continue;
        }
        const QJsonValue plain = plainValue(value);
        if (!plain.isUndefined())
            out.insert(name, plain);
    }
    return out;
}

} // namespace

StateReport::StateReport(QQuickWindow* window, QObject* state, QString path, QObject* parent)
    : QObject(parent)
    , window_(window)
    , state_(state)
    , path_(std::move(path)) {
    debounce_.setSingleShot(true);
    bool numeric = false;
    const int debounceMs = qEnvironmentVariableIntValue(debounceVariable, &numeric);
    debounce_.setInterval(numeric && debounceMs >= 0 ? debounceMs : 40);
    connect(
        window, &QQuickWindow::beforeRendering, this, [this] { ++rendering_; },
        Qt::DirectConnection);
    connect(
        window, &QQuickWindow::frameSwapped, this,
        [this] {
            swapTimeMs_ = monotonicMs();
            swapped_ = rendering_.load();
        },
        Qt::DirectConnection);
    // Without a debounce every frame is reported as it reaches the screen, before anything
    // queued behind the swap (work deferred until the first frame) can delay the write.
    connect(window, &QQuickWindow::frameSwapped, this, [this] {
        if (std::exchange(writeAfterSwap_, false) || debounce_.interval() == 0) {
            debounce_.stop();
            writeIfChanged();
        }
    });
    connect(&debounce_, &QTimer::timeout, this, &StateReport::writeIfChanged);
    // Every drawn frame may have changed what is shown. The first frame starts the timer and
    // later ones leave it running, so endless animations (tiles jiggling) still get reports.
    connect(window, &QQuickWindow::afterAnimating, this, [this] {
        if (!debounce_.isActive())
            debounce_.start();
    });
    connect(window, &QWindow::visibleChanged, this, &StateReport::writeIfChanged);
    // Activation need not draw a frame (nothing animates with motion off).
    connect(window, &QWindow::activeChanged, this, [this] {
        if (!debounce_.isActive())
            debounce_.start();
    });
}

QJsonObject StateReport::snapshot() const {
    ORBITDECK_ASSERT_MAIN_THREAD();
    QJsonObject items;
    QJsonObject windowInfo;
    if (window_) {
        const QPoint origin = window_->geometry().topLeft();
        collectItems(window_->contentItem(), origin, items);
        windowInfo = {{QStringLiteral("x"), origin.x()},
                      {QStringLiteral("y"), origin.y()},
                      {QStringLiteral("w"), window_->width()},
                      {QStringLiteral("h"), window_->height()},
                      {QStringLiteral("visible"), window_->isVisible()},
                      {QStringLiteral("title"), window_->title()}};
        const QJsonObject view = plainProperties(window_, 1);
        windowInfo.insert(QStringLiteral("view"), view);
        // What the executable hangs on the window (e.g. the hot key's registration).
        for (const QByteArray& name : window_->dynamicPropertyNames()) {
            const QJsonValue plain = plainValue(window_->property(name.constData()));
            if (!plain.isUndefined())
                windowInfo.insert(QString::fromLatin1(name), plain);
        }
    }
    return {{QStringLiteral("window"), windowInfo},
            {QStringLiteral("state"), plainProperties(state_)},
            {QStringLiteral("items"), items}};
}

void StateReport::writeIfChanged() {
    // A frame being drawn may show what is about to be reported: report it with that frame.
    // A frame that never reaches the screen (the window hidden meanwhile) is waited for only
    // briefly, and then no longer counted.
    if (rendering_.load() != swapped_.load() && !writeAfterSwap_) {
        writeAfterSwap_ = true;
        QTimer::singleShot(100, this, [this] {
            if (!std::exchange(writeAfterSwap_, false))
                return;
            swapped_ = rendering_.load();
            writeIfChanged();
        });
        return;
    }
    if (writeAfterSwap_)
        return;
    QJsonObject report = snapshot();
    const QByteArray content = QJsonDocument(report).toJson(QJsonDocument::Compact);
    if (content == lastWritten_)
        return;
    report.insert(QStringLiteral("frameTime"), swapTimeMs_.load());
    // Not synced to disk: the reader is on this machine, and a sync per frame would slow the
    // frames being reported.
    if (replaceFileAtOnce(path_, QJsonDocument(report).toJson(QJsonDocument::Indented)))
        lastWritten_ = content;
}

} // namespace orbitdeck

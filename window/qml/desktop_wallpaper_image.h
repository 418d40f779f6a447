#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QQuickImageProvider>
#include <QUrl>
#include <QWindow>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <optional>

namespace orbitdeck {

struct DesktopPlace;
class DesktopPlaceWatch;

// A reduced, decoded copy of a picture: the longer side at most maxEdge pixels, orientation
// applied. Null when the file cannot be read.
QImage wallpaperThumbnail(const QString& path, int maxEdge = 2200);

// The desktop picture for the backdrop: the one of the screen that shows `window` and of the
// current workspace, found again whenever either changes. refresh() finds and reduces it off the
// main thread; a result that arrives after a newer refresh is dropped. The backdrop shows
// `source`.
class DesktopWallpaperImage : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool enabled READ enabled WRITE setEnabled NOTIFY enabledChanged FINAL)
    Q_PROPERTY(QUrl source READ source NOTIFY imageChanged FINAL)
    Q_PROPERTY(bool unavailable READ unavailable NOTIFY imageChanged FINAL)
    // The file of the picture shown; empty when none.
    Q_PROPERTY(QString path READ path NOTIFY imageChanged FINAL)
    Q_PROPERTY(QWindow* window READ window WRITE setWindow NOTIFY windowChanged FINAL)

public:
    using Locator = std::function<std::optional<QString>(const DesktopPlace& place)>;
    using Decoder = std::function<QImage(const QString& path)>;

    explicit DesktopWallpaperImage(QObject* parent = nullptr);

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    QWindow* window() const { return window_; }
    void setWindow(QWindow* window);
    QUrl source() const;
    bool unavailable() const { return unavailable_; }
    QImage image() const { return image_; }
    QString path() const { return image_.isNull() ? QString() : path_.value_or(QString()); }

    // Tests replace where the picture comes from and how it is read.
    void setLocator(Locator locator) { locator_ = std::move(locator); }
    void setDecoder(Decoder decoder) { decoder_ = std::move(decoder); }

    // Finds the picture again; it is decoded only when it is another file, or the file changed.
    Q_INVOKABLE void refresh();

signals:
    void enabledChanged();
    void windowChanged();
    void imageChanged();

private:
    // What tells one picture from another without reading it.
    struct Stamp {
        QString path;
        qint64 modified = 0;
        qint64 size = 0;
        friend bool operator==(const Stamp&, const Stamp&) = default;
    };
    struct Found;
    void apply(quint64 generation, Found found);

    QPointer<QWindow> window_;
    DesktopPlaceWatch* place_ = nullptr;
    Locator locator_;
    Decoder decoder_;
    std::optional<Stamp> stamp_;
    bool enabled_ = true;
    bool unavailable_ = false;
    quint64 generation_ = 0;
    // Names the picture for the image provider: a new one per picture applied.
    quint64 imageVersion_ = 0;
    std::optional<QString> path_;
    QImage image_;
};

// "image://wallpaper/<n>": the current picture of the one wallpaper object of the window.
class WallpaperProvider final : public QQuickImageProvider {
public:
    WallpaperProvider();
    QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override;
};

} // namespace orbitdeck

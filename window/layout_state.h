#pragma once

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "library/library_layout.h"
#endif

#include <QObject>
#include <QString>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

namespace orbitdeck {

// How a new layout reaches the screen; the views pick the curve by name.
enum class LayoutAnimation {
    none,
    spring,  // layout commits: response 0.34, damping 0.84
    undo,    // ease-out 0.18 s
    refresh, // ease-out 0.2 s
};

// The window's arrangement. Every assignment says how it should animate, so QML can wrap the
// resulting list changes in the matching transition.
class LayoutState : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the window state")
    // "none", "spring", "undo" or "refresh": the animation of the last assignment.
    Q_PROPERTY(QString animation READ animationName NOTIFY layoutChanged FINAL)
    Q_PROPERTY(int undoCount READ undoCount NOTIFY undoCountChanged FINAL)

public:
    static inline const char* pageIdentity = "applications";

    explicit LayoutState(QObject* parent = nullptr);

    const LibraryLayout& layout() const { return layout_; }
    void setLayout(LibraryLayout layout, LayoutAnimation animation);
    LayoutAnimation animation() const { return animation_; }
    QString animationName() const;

    // The page's items; empty without a graph.
    std::vector<LayoutItem> pageItems() const;

    // The folder panel's data.
    Q_INVOKABLE bool hasFolder(const QString& folderID) const;
    Q_INVOKABLE QString folderName(const QString& folderID) const;
    Q_INVOKABLE QStringList folderItems(const QString& folderID) const;

    int undoCount() const { return undoCount_; }
    void setUndoCount(int count);

signals:
    void layoutChanged();
    void undoCountChanged();

private:
    LibraryLayout layout_;
    LayoutAnimation animation_ = LayoutAnimation::none;
    int undoCount_ = 0;
};

} // namespace orbitdeck

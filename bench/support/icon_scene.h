#pragma once

#include "icon_list.h"

#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>

// The start both bare baselines share: the scene loaded with the icon list at listPath as its
// `icons`. Its window, or none when the list cannot be read or the scene does not load.
inline QQuickWindow* loadIconScene(QQmlApplicationEngine& engine, const char* listPath,
                                   const char* scene) {
    const std::optional<QVariantList> icons = readIconList(QString::fromLocal8Bit(listPath));
    if (!icons)
        return nullptr;
    engine.rootContext()->setContextProperty(QStringLiteral("icons"), *icons);
    engine.loadData(scene);
    return qobject_cast<QQuickWindow*>(engine.rootObjects().value(0));
}

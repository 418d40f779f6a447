// Another application's window for drags out of the launcher: a small window at the screen's
// top-left corner that takes any drop and prints the dropped URLs, one a line, then quits.
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickWindow>

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QQmlEngine engine;
    QObject::connect(&engine, &QQmlEngine::quit, &app, &QGuiApplication::quit);
    QQmlComponent component(&engine);
    component.setData(R"(
import QtQuick
Window {
    x: 0; y: 0; width: 110; height: 110
    visible: true
    color: "#3a6ea5"
    DropArea {
        anchors.fill: parent
        onDropped: drop => {
            for (const url of drop.urls)
                console.info("url " + url)
            drop.accept(Qt.CopyAction)
            Qt.callLater(Qt.quit)
        }
    }
}
)",
                      QUrl());
    std::unique_ptr<QObject> window(component.create());
    if (!window) {
        std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
        return 1;
    }
    qSetMessagePattern(QStringLiteral("%{message}"));
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}

#pragma once
// A throwaway home with fixture application bundles and stored settings, the real launcher
// running in it, and what its state report and stored layout say.
#include <QJsonObject>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orbitdeck::testing {

bool waitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds bound = std::chrono::seconds(10));

// "bundle:com.example.<lowercased name>".
std::string fixtureID(const QString& name);
QString cellName(const QString& name);

class ArrangingApp : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Bundles named in this order, the stored page in the same order, a grid of 4 × 2.
    void start(const QStringList& names);

    QJsonObject report() const;
    // Screen rectangle of a visible item, by object name.
    std::optional<QRect> itemRect(const QString& objectName) const;
    QRect waitForItem(const QString& objectName);
    // The item, once it has stopped moving and growing.
    QRect waitForSettledItem(const QString& objectName);
    bool reportsView(const char* property, const QJsonValue& value) const;
    // A value of the window state's report, e.g. {"paging", "page"}.
    QJsonValue statePath(const QStringList& path) const;

    // The stored layout: page items as "application:<id>" / "folder:<id>", and the folders.
    struct StoredLayout {
        QStringList items;
        std::map<QString, QStringList> folders;
        std::map<QString, QString> names;
    };
    StoredLayout storedLayout() const;
    QStringList pageOrder() const { return storedLayout().items; }

    // Pointer steps: small moves so every tile on the way sees the drag.
    void press(QPoint at);
    void glide(QPoint from, QPoint to, int steps = 12);
    void release();
    void longPressAndLift(QPoint at);
    void click(QPoint at);
    void pressKey(const char* name);
    void type(const QString& text);
    void screenshot(const QString& name) const;

    QTemporaryDir home_;
    QProcess app_;
    QString reportPath_;
};

} // namespace orbitdeck::testing

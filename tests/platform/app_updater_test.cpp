#include "platform/app_updater.h"

#include <gtest/gtest.h>

#include <vector>

using orbitdeck::AppUpdater;
using orbitdeck::DefaultsValue;
using orbitdeck::isUsableSigningKey;
using orbitdeck::UpdateController;

namespace {

class CountingController final : public UpdateController {
public:
    explicit CountingController(std::vector<std::string>& log)
        : log_(log) {}
    void checkForUpdates() override { log_.push_back("check"); }

private:
    std::vector<std::string>& log_;
};

struct UpdaterWorld {
    std::optional<DefaultsValue> signingKey;
    QString downloadPage = QString::fromLatin1(AppUpdater::downloadPageAddress);
    std::vector<std::string> log;
    std::vector<QUrl> opened;
    int controllersMade = 0;

    AppUpdater make() {
        return AppUpdater({
            .infoValue =
                [this](const QString& key) {
                    return key == QLatin1String(AppUpdater::signingKeyName)
                               ? signingKey
                               : std::optional<DefaultsValue>();
                },
            .makeController = [this]() -> std::unique_ptr<UpdateController> {
                ++controllersMade;
                return std::make_unique<CountingController>(log);
            },
            .activate = [this] { log.push_back("activate"); },
            .openUrl = [this](const QUrl& url) { opened.push_back(url); },
            .downloadPage = downloadPage,
        });
    }
};

} // namespace

TEST(AppUpdater, SigningKeyMustBeNonBlankText) {
    EXPECT_FALSE(isUsableSigningKey(std::nullopt));
    EXPECT_FALSE(isUsableSigningKey(DefaultsValue(true)));
    EXPECT_FALSE(isUsableSigningKey(DefaultsValue(QByteArray("key"))));
    EXPECT_FALSE(isUsableSigningKey(DefaultsValue(QString())));
    EXPECT_FALSE(isUsableSigningKey(DefaultsValue(QStringLiteral(" \t "))));
    // A no-break space is white space too.
    EXPECT_FALSE(isUsableSigningKey(DefaultsValue(QStringLiteral("\u00a0 "))));
    // Line breaks are not trimmed: such a key counts as present.
    EXPECT_TRUE(isUsableSigningKey(DefaultsValue(QStringLiteral(" \n "))));
    EXPECT_TRUE(isUsableSigningKey(DefaultsValue(QStringLiteral("  abc= "))));
}

TEST(AppUpdater, WithoutSigningKeyChecksOpenTheDownloadPage) {
    UpdaterWorld world;
    AppUpdater updater = world.make();
    EXPECT_FALSE(updater.canUpdate());
    updater.createControllerIfPossible();
    updater.checkForUpdates();
    updater.checkForUpdates();
    EXPECT_EQ(world.controllersMade, 0);
    EXPECT_TRUE(world.log.empty());
    ASSERT_EQ(world.opened.size(), 2U);
    EXPECT_EQ(world.opened[0], QUrl(QStringLiteral("https://orbitdeck.app/download")));

    {
        // An address that is no absolute URL opens nothing.
        UpdaterWorld broken;
        broken.downloadPage = QStringLiteral("not a page");
        broken.make().checkForUpdates();
        broken.downloadPage = QStringLiteral("http://exa mple.org/");
        broken.make().checkForUpdates();
        EXPECT_TRUE(broken.opened.empty());
    }
    {
        // The process's own updater on this platform has no controller either.
        EXPECT_FALSE(AppUpdater::shared().canUpdate());
        AppUpdater::shared().createControllerIfPossible();
        EXPECT_FALSE(AppUpdater::shared().hasController());
    }
}

TEST(AppUpdater, WithSigningKeyTheControllerIsMadeOnceAndAsked) {
    UpdaterWorld world;
    world.signingKey = DefaultsValue(QStringLiteral("c2lnbmluZw=="));
    AppUpdater updater = world.make();
    EXPECT_TRUE(updater.canUpdate());
    EXPECT_FALSE(updater.hasController()); // lazily

    updater.checkForUpdates();
    EXPECT_TRUE(updater.hasController());
    updater.createControllerIfPossible();
    updater.checkForUpdates();
    EXPECT_EQ(world.controllersMade, 1);
    EXPECT_EQ(world.log, (std::vector<std::string>{"activate", "check", "activate", "check"}));
    EXPECT_TRUE(world.opened.empty());
}

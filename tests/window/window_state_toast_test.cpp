#include "window_state_harness.h"

#include "window/item_keys.h"
#include "window/stored_library_data.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <thread>

using namespace std::chrono_literals;
using namespace orbitdeck;
using namespace orbitdeck::testing;

TEST(WindowStateToasts, OneToastAtATimeEachClearingOnlyItself) {
    ensureApplication();
    VirtualScheduler scheduler;
    ToastState toasts(scheduler);

    toasts.showToast("First");
    scheduler.advance(1s);
    toasts.showToast("Second");
    EXPECT_EQ(toasts.text(), "Second");
    scheduler.advance(1400ms); // the first message's expiry
    EXPECT_EQ(toasts.text(), "Second");
    scheduler.advance(999ms);
    EXPECT_EQ(toasts.text(), "Second");
    scheduler.advance(1ms);
    EXPECT_FALSE(toasts.visible());

    // The same text twice: gone 2.4 s after the first call.
    toasts.showToast("Same");
    scheduler.advance(1s);
    toasts.showToast("Same");
    scheduler.advance(1400ms);
    EXPECT_FALSE(toasts.visible());
    scheduler.advance(1s);
    EXPECT_FALSE(toasts.visible());
}

TEST(WindowStateToasts, StoredFormsUseTheReferenceDateAndSortedIds) {
    const auto date = std::chrono::system_clock::time_point(std::chrono::seconds(978307200 + 90));
    const auto encoded = encodeRecentUse({{"bundle:a", date}});
    ASSERT_TRUE(encoded);
    EXPECT_EQ(*encoded, R"({"bundle:a":90.0})");
    EXPECT_EQ(decodeRecentUse(*encoded).at("bundle:a"), date);
    EXPECT_TRUE(decodeRecentUse(R"({"a":1e300})").empty()) << "out of range";
    EXPECT_TRUE(decodeRecentUse(R"([1])").empty());
    EXPECT_EQ(*encodeHiddenIDs({"path:/b", "bundle:z", "bundle:a"}),
              QByteArray(R"(["bundle:a","bundle:z","path:/b"])"));
    EXPECT_TRUE(decodeHiddenIDs("").empty());
    EXPECT_TRUE(decodeLaunchCounts(R"({"a":1.5})").empty());
}

TEST(WindowStateTiles, ListChangesArriveAsMovesInsertsAndRemovesNeverResets) {
    ensureApplication();
    TileListModel model([](const LayoutItem& item) {
        return TileListModel::TileText{
            .name = QString::fromStdString(item.payload), .path = {}, .folderItems = {}};
    });
    const auto items = [](std::initializer_list<const char*> ids) {
        std::vector<LayoutItem> list;
        for (const char* id : ids)
            list.push_back(LayoutItem::application(id));
        return list;
    };
    model.setItems(items({"a", "b", "c", "d"}));
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy moves(&model, &QAbstractItemModel::rowsMoved);
    QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removes(&model, &QAbstractItemModel::rowsRemoved);

    model.setItems(items({"d", "a", "b", "c"}));
    EXPECT_EQ(moves.count(), 1);
    model.setItems(items({"d", "x", "b", "c"}));
    EXPECT_EQ(removes.count(), 1);
    EXPECT_EQ(inserts.count(), 1);
    model.setItems(items({"c", "b", "x", "d", "y"}));
    EXPECT_EQ(resets.count(), 0);
    ASSERT_EQ(model.count(), 5);
    QStringList keys;
    for (int row = 0; row < model.count(); ++row)
        keys << model.data(model.index(row), TileListModel::ItemIDRole).toString();
    EXPECT_EQ(keys, (QStringList{"c", "b", "x", "d", "y"}));
    EXPECT_EQ(model.indexOfKey("application:x"), 2);
    EXPECT_EQ(itemFromKey("folder:f1"), LayoutItem::folder(FolderID{"f1"}));
    EXPECT_FALSE(itemFromKey("nonsense"));
}

TEST(WindowStateSettings, DefaultsDerivedValuesAndFallbacks) {
    WindowHarness harness;
    AmbergridWindow& window = harness.make();
    WindowSettings& settings = *window.settings();
    EXPECT_EQ(settings.skin(), "night");
    EXPECT_EQ(settings.effects(), "fluid");
    EXPECT_EQ(settings.hotKey(), "optionSpace");
    EXPECT_EQ(settings.startMode(), "fullscreen");
    EXPECT_EQ(settings.sort(), "manual");
    EXPECT_EQ(settings.columns(), 7);
    EXPECT_EQ(settings.rows(), 5);
    EXPECT_TRUE(settings.clickToClose());
    EXPECT_EQ(settings.effectiveIconSize(), 62);

    harness.store->setValue("ambergrid.density", DefaultsValue{QStringLiteral("compact")});
    EXPECT_EQ(settings.effectiveIconSize(), 48);
    harness.store->setValue("ambergrid.iconSize", DefaultsValue{qint64{-4}});
    EXPECT_EQ(settings.effectiveIconSize(), 48);
    harness.store->setValue("ambergrid.iconSize", DefaultsValue{qint64{90}});
    EXPECT_EQ(settings.effectiveIconSize(), 90);
    harness.store->setValue("ambergrid.sort", DefaultsValue{QStringLiteral("sideways")});
    EXPECT_EQ(settings.sort(), "manual");

    // A change made elsewhere reaches the window's bindings.
    QSignalSpy hotKey(&settings, &WindowSettings::hotKeyChanged);
    harness.store->setValue("ambergrid.hotKey", DefaultsValue{QStringLiteral("off")});
    EXPECT_EQ(hotKey.count(), 1);
    EXPECT_EQ(harness.presentation.hotKey, "off") << "the hot key is registered again";
}

TEST(WindowStateMainThreadDeathTest, EntryPointsStopTheProgramOffTheMainThread) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            WindowHarness harness;
            AmbergridWindow& window = harness.make();
            std::thread([&] { window.toasts()->showToast("from elsewhere"); }).join();
        },
        "toast_state.cpp");
}

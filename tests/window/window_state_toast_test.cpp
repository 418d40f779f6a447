#include "window_state_harness.h"

#include "window/item_keys.h"
#include "window/stored_library_data.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <random>
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

TEST(WindowStateToasts, AFailedSaveIsToldOnce) {
    WindowHarness harness;
    const QString folder = harness.home.filePath("config");
    harness.store = std::make_unique<DefaultsStore>(folder + "/orbitdeck.plist");
    AmbergridWindow& window = harness.load();
    ASSERT_TRUE(harness.store->setValue("ambergrid.labels", DefaultsValue{true}));
    ASSERT_FALSE(window.toasts()->visible());

    // The settings folder becomes a file: nothing can be written there, root included.
    ASSERT_TRUE(QDir(folder).removeRecursively());
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QSignalSpy shown(window.toasts(), &ToastState::textChanged);
    window.settings()->setLabels(false);
    EXPECT_EQ(window.toasts()->text(), "Changes could not be saved");
    EXPECT_FALSE(window.settings()->labels()) << "the change holds in memory";

    harness.scheduler.advance(3s);
    window.settings()->setData(WindowSettings::layoutKey, "[]");
    window.settings()->setSkinValue(LibrarySkin::paper);
    EXPECT_FALSE(window.toasts()->visible()) << "told once, not at every change";
    EXPECT_EQ(shown.count(), 2) << "shown and cleared";
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

    // Narrowing and widening go in contiguous runs, as a search does.
    removes.clear();
    inserts.clear();
    model.setItems(items({"b", "d"}));
    EXPECT_EQ(removes.count(), 3) << "c, x and y stand apart";
    model.setItems(items({"p", "q", "b", "r", "s", "d", "t"}));
    EXPECT_EQ(inserts.count(), 3);
    keys.clear();
    for (int row = 0; row < model.count(); ++row)
        keys << model.data(model.index(row), TileListModel::ItemIDRole).toString();
    EXPECT_EQ(keys, (QStringList{"p", "q", "b", "r", "s", "d", "t"}));
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(itemFromKey("folder:f1"), LayoutItem::folder(FolderID{"f1"}));
    EXPECT_FALSE(itemFromKey("nonsense"));
}

TEST(WindowStateSettings, DefaultsDerivedValuesAndFallbacks) {
    WindowHarness harness;
    AmbergridWindow& window = harness.make();
    WindowSettings& settings = *window.settings();
    EXPECT_EQ(settings.skinValue(), LibrarySkin::night);
    EXPECT_EQ(settings.effectsValue(), LibraryEffects::fluid);
    EXPECT_EQ(settings.hotKeyValue(), LibraryHotKey::optionSpace);
    EXPECT_EQ(settings.startModeValue(), LibraryStartup::fullscreen);
    EXPECT_EQ(settings.sortValue(), LibrarySort::manual);
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
    EXPECT_EQ(settings.sortValue(), LibrarySort::manual);

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

TEST(WindowStateTiles, RandomListsReplayedFromTheSignalsGiveTheTarget) {
    ensureApplication();
    TileListModel model([](const LayoutItem& item) {
        return TileListModel::TileText{
            .name = QString::fromStdString(item.payload), .path = {}, .folderItems = {}};
    });
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    // A shadow list that follows only the signals, as a view does.
    std::vector<QString> shadow;
    QObject::connect(
        &model, &QAbstractItemModel::rowsInserted, [&](const QModelIndex&, int first, int last) {
            for (int row = first; row <= last; ++row)
                shadow.insert(shadow.begin() + row,
                              model.data(model.index(row), TileListModel::KeyRole).toString());
        });
    QObject::connect(&model, &QAbstractItemModel::rowsRemoved,
                     [&](const QModelIndex&, int first, int last) {
                         shadow.erase(shadow.begin() + first, shadow.begin() + last + 1);
                     });
    QObject::connect(&model, &QAbstractItemModel::rowsMoved,
                     [&](const QModelIndex&, int from, int, const QModelIndex&, int to) {
                         const QString moved = shadow[static_cast<std::size_t>(from)];
                         shadow.erase(shadow.begin() + from);
                         shadow.insert(shadow.begin() + (to > from ? to - 1 : to), moved);
                     });
    std::mt19937 random(20261209);
    for (int round = 0; round < 300; ++round) {
        std::vector<LayoutItem> target;
        for (int id = 0; id < 40; ++id) {
            if (random() % 3 != 0)
                target.push_back(LayoutItem::application("app" + std::to_string(id)));
        }
        std::shuffle(target.begin(), target.end(), random);
        model.setItems(target);
        ASSERT_EQ(model.items(), target);
        ASSERT_EQ(shadow.size(), target.size());
        for (std::size_t row = 0; row < target.size(); ++row)
            ASSERT_EQ(shadow[row], itemKey(target[row])) << "round " << round;
    }
}

#include "arranging_fixture.h"

namespace orbitdeck::testing {
namespace {

const QStringList apps{"Alpha",   "Bravo", "Charlie", "Delta", "Echo",
                       "Foxtrot", "Golf",  "Hotel",   "India", "Juliet"};

QString appKey(const QString& name) {
    return QStringLiteral("application:") + QString::fromStdString(fixtureID(name));
}

QStringList keys(const QStringList& names) {
    QStringList out;
    for (const QString& name : names)
        out << appKey(name);
    return out;
}

using ArrangingDrag = ArrangingApp;

TEST_F(ArrangingDrag, DroppedOnAnotherApplicationMakesAFolderThatOpensRenamesAndLetsATileOut) {
    start(apps);
    const QRect alpha = waitForItem(cellName("Alpha"));
    const QRect bravo = waitForItem(cellName("Bravo"));

    longPressAndLift(alpha.center());
    screenshot(QStringLiteral("arranging-mode"));
    glide(alpha.center(), bravo.center(), 16);
    waitForItem(QStringLiteral("library-drag-proxy"));
    screenshot(QStringLiteral("drag-merge-ring"));
    release();

    QString folder;
    ASSERT_TRUE(waitUntil([&] {
        const StoredLayout stored = storedLayout();
        if (stored.folders.size() != 1)
            return false;
        folder = stored.folders.begin()->first;
        return stored.items.value(0) == QStringLiteral("folder:") + folder;
    })) << pageOrder().join(' ').toStdString();
    EXPECT_EQ(storedLayout().folders[folder], keys({"Bravo", "Alpha"}));
    EXPECT_EQ(pageOrder().mid(1, 2), keys({"Charlie", "Delta"}));

    // The folder opens as a panel.
    click(waitForSettledItem(QStringLiteral("library-cell-folder:") + folder).center());
    waitForSettledItem(QStringLiteral("library-folder-panel"));
    screenshot(QStringLiteral("folder-panel"));

    // Its title is saved trimmed.
    const auto editing = [&] {
        return report()
            .value(QStringLiteral("items"))
            .toObject()
            .value(QStringLiteral("library-folder-title"))
            .toObject()
            .value(QStringLiteral("highlighted"))
            .toBool();
    };
    // Clicking the title again is harmless, so a click that lost the race for focus is repeated.
    for (int attempt = 0; attempt < 4 && !editing(); ++attempt) {
        click(waitForSettledItem(QStringLiteral("library-folder-title-input")).center());
        waitUntil(editing, std::chrono::seconds(3));
    }
    ASSERT_TRUE(editing());
    pressKey("ctrl+a");
    type(QStringLiteral(" Work "));
    pressKey("Return");
    ASSERT_TRUE(waitUntil([&] { return storedLayout().names[folder] == QStringLiteral("Work"); }))
        << storedLayout().names[folder].toStdString();

    // A tile held over the backdrop leaves the folder, placed right after the folder's tile.
    const QRect panel = waitForSettledItem(QStringLiteral("library-folder-panel"));
    const QRect inside =
        waitForSettledItem(QStringLiteral("library-folder-cell-") + appKey("Alpha"));
    press(inside.center());
    const QPoint backdrop(panel.left() - 60, panel.top() + 20);
    glide(inside.center(), backdrop, 12);
    screenshot(QStringLiteral("drag-out"));
    ASSERT_TRUE(waitUntil([&] {
        const QStringList order = pageOrder();
        return order.value(1) == appKey("Alpha");
    })) << pageOrder().join(' ').toStdString();
    EXPECT_EQ(storedLayout().folders[folder], keys({"Bravo"}));
    release();
    EXPECT_TRUE(waitUntil([&] { return !itemRect(QStringLiteral("library-folder-panel")); }));
}

TEST_F(ArrangingDrag, HoveringTheRightHalfMovesBeforeTheReleaseAndOneUndoRestores) {
    start(apps);
    const QStringList before = pageOrder();
    const QRect charlie = waitForItem(cellName("Charlie"));
    const QRect delta = waitForItem(cellName("Delta"));

    longPressAndLift(charlie.center());
    const QPoint rightHalf(delta.right() - 3, delta.center().y());
    glide(charlie.center(), rightHalf, 12);
    ASSERT_TRUE(waitUntil([&] {
        const QStringList order = pageOrder();
        return order.indexOf(appKey("Charlie")) == order.indexOf(appKey("Delta")) + 1;
    })) << pageOrder().join(' ').toStdString();
    release();

    pressKey("ctrl+z");
    ASSERT_TRUE(waitUntil([&] { return pageOrder() == before; }))
        << pageOrder().join(' ').toStdString();
    ASSERT_TRUE(waitUntil([&] {
        const auto toast = report()
                               .value(QStringLiteral("items"))
                               .toObject()
                               .value(QStringLiteral("library-toast-text"));
        return toast.toObject().value(QStringLiteral("text")).toString() ==
               QStringLiteral("Undone");
    }));
}

TEST_F(ArrangingDrag, RestingOnTheRightEdgeTurnsThePageAndTheDropLeadsIt) {
    start(apps);
    const QRect alpha = waitForItem(cellName("Alpha"));
    longPressAndLift(alpha.center());
    glide(alpha.center(), alpha.center() + QPoint(30, 0), 4);
    const QRect edge = waitForItem(QStringLiteral("library-page-edge-trailing"));
    glide(alpha.center() + QPoint(30, 0), edge.center(), 16);
    screenshot(QStringLiteral("page-edge"));
    ASSERT_TRUE(waitUntil([&] { return statePath({"paging", "page"}) == 1; }));
    release();
    ASSERT_TRUE(waitUntil([&] { return pageOrder().value(8) == appKey("Alpha"); }))
        << pageOrder().join(' ').toStdString();
    // The long press that started the drag leaves no mark behind to eat a later click.
    EXPECT_TRUE(waitUntil([&] { return statePath({"selection", "suppressNextTap"}) == false; }));
}

TEST_F(ArrangingDrag, DroppedOnAPageDotItLeadsThatPage) {
    start(apps);
    const QRect bravo = waitForItem(cellName("Bravo"));
    const QRect dot = waitForItem(QStringLiteral("library-page-2"));
    longPressAndLift(bravo.center());
    glide(bravo.center(), dot.center(), 16);
    waitForItem(QStringLiteral("library-drag-proxy"));
    screenshot(QStringLiteral("page-dot-drop"));
    release();
    ASSERT_TRUE(waitUntil([&] { return pageOrder().value(8) == appKey("Bravo"); }))
        << pageOrder().join(' ').toStdString();
    EXPECT_TRUE(waitUntil([&] { return statePath({"paging", "page"}) == 1; }));
}

} // namespace
} // namespace orbitdeck::testing

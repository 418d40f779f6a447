#include "window/qml/view_host.h"

#include <QQuickItem>

#include <gtest/gtest.h>

namespace orbitdeck {
namespace {

// A scene of its own: the page area at (100, 50) 200 × 100, and the folder backdrop over all.
struct Scene {
    Scene() {
        pageArea.setParentItem(&root);
        pageArea.setPosition({100, 50});
        pageArea.setSize({200, 100});
        cover.setParentItem(&root);
        cover.setSize({400, 300});
        cover.setVisible(false);
    }
    QQuickItem root;
    QQuickItem pageArea;
    QQuickItem cover;
};

TEST(ViewHost, SwipesTurnPagesOnlyOverTheShownPageAreaThatNoFolderCovers) {
    Scene scene;
    ViewHost host{nullptr};
    EXPECT_FALSE(host.turnsPagesAt({150, 100}));
    host.setPageArea(&scene.pageArea);
    host.setFolderCover(&scene.cover);
    EXPECT_TRUE(host.turnsPagesAt({150, 100}));
    EXPECT_FALSE(host.turnsPagesAt({50, 100}));
    EXPECT_FALSE(host.turnsPagesAt({150, 160}));
    {
        scene.cover.setVisible(true);
        EXPECT_FALSE(host.turnsPagesAt({150, 100}));
        scene.cover.setVisible(false);
    }
    {
        scene.pageArea.setVisible(false);
        EXPECT_FALSE(host.turnsPagesAt({150, 100}));
        scene.pageArea.setVisible(true);
    }
    {
        // An area that goes away (the grid scrolls instead) is forgotten.
        auto* gone = new QQuickItem(&scene.root);
        gone->setSize({400, 300});
        host.setPageArea(gone);
        delete gone;
        EXPECT_EQ(host.pageArea(), nullptr);
        EXPECT_FALSE(host.turnsPagesAt({150, 100}));
    }
}

} // namespace
} // namespace orbitdeck

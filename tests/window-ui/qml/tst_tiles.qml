import QtQuick
import QtTest
import Orbitdeck.Views

Item {
    width: 600
    height: 400

    ApplicationTile {
        id: tile
        width: 110
        appId: "bundle:dev.sample.safari"
        name: "Safari"
        size: 62
        tileHeight: 96
    }
    FolderTile {
        id: folder
        x: 200
        width: 110
        folderId: "f1"
        name: "Tools"
        previewIcons: ["a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"]
    }
    EmptyState {
        id: empty
        y: 150
        width: 600
        height: 250
    }

    TestCase {
        name: "Tiles"
        when: windowShown

        function test_tooltipFollowsTheLabelAndNameLength() {
            tile.showsLabel = true
            tile.name = "Thirteen char"
            compare(tile.tooltipText, "")
            tile.name = "Fourteen chars"
            compare(tile.tooltipText, "Fourteen chars")
            tile.showsLabel = false
            tile.name = "Safari"
            compare(tile.tooltipText, "Safari")
            tile.showsLabel = true
        }

        function test_labelSizeSwitchesAt65Points() {
            const label = findChild(tile, "application-label")
            tile.tileHeight = 64.9
            compare(label.font.pointSize / 0.75, 10.5)
            tile.tileHeight = 65
            compare(label.font.pointSize / 0.75, 12)
            tile.tileHeight = 96
        }

        function test_labelFitsDownTo85PercentThenElides() {
            const label = findChild(tile, "application-label")
            const full = label.font.pointSize
            // A short name keeps its size.
            tile.name = "Mail"
            tryVerify(() => label.fittedPointSize === full && !label.elided)
            // A name far too long shrinks no further than 85 % and is elided there.
            tile.name = "An application name much too long for any tile at all"
            tryVerify(() => label.elided)
            fuzzyCompare(label.fittedPointSize, full * 0.85, 1e-6)
            // Back to a short one: full size, whole.
            tile.name = "Safari"
            tryVerify(() => label.fittedPointSize === full && !label.elided)
        }

        function test_deleteBadgeOnlyWhenDeletable() {
            tile.deletable = false
            // Not shown: not made at all, or hidden.
            const hidden = findChild(tile, "application-delete-bundle:dev.sample.safari")
            verify(!hidden || !hidden.visible)
            tile.deletable = true
            const badge = findChild(tile, "application-delete-bundle:dev.sample.safari")
            verify(badge && badge.visible)
            // On the icon's top-left corner.
            compare(badge.x + badge.width / 2, tile.width / 2 - tile.size / 2)
            compare(badge.y, Math.max((96 - 62 - 16) / 2, 0) - 6)
            tile.deletable = false
            tryVerify(() => !findChild(tile, "application-delete-bundle:dev.sample.safari"))
        }

        function test_folderPreviewsNineIcons() {
            let images = 0
            function count(item) {
                for (let i = 0; i < item.children.length; ++i) {
                    const child = item.children[i]
                    if (child.sourceSize !== undefined && child.fillMode === Image.PreserveAspectFit)
                        images += 1
                    count(child)
                }
            }
            count(folder)
            compare(images, 9)
            folder.showsLabel = false
            compare(folder.height, folder.tileHeight)
        }

        function test_emptyStateShowsTheQueryAndTheStoreOnlyWhileSearching() {
            empty.description = ""
            empty.showsAction = false
            verify(!findChild(empty, "library-empty-query").visible)
            verify(!findChild(empty, "library-app-store-search").visible)
            empty.description = "\u201C c++ \u201D"
            empty.showsAction = true
            verify(findChild(empty, "library-empty-query").visible)
            compare(findChild(empty, "library-empty-query").text, "\u201C c++ \u201D")
            verify(findChild(empty, "library-app-store-search").visible)
        }
    }
}

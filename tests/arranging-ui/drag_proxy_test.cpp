// The drag proxy and the drop targets of the real views over a headless window: what the drag
// carries, who reads it, and the tiles' jiggle.
#include "arranging/arranging_fixture.h"
#include "arranging/drag_session.h"
#include "arranging/rules/arrange_wiggle.h"
#include "arranging/rules/drag_payload.h"
#include "window/qml/view_engine.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQmlListReference>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <cmath>

#include <memory>
#include <vector>

namespace orbitdeck::testing {
namespace {

// A page-edge strip at the right side, a plain drop target in the middle, a drag from elsewhere
// that carries the library-item key but no payload, and the proxy on top.
constexpr const char* scene = R"(
import QtQuick
import Orbitdeck.Views
import Orbitdeck.Arranging
import Orbitdeck.App

Item {
    width: 800
    height: 600
    property string received: ""
    property bool foreignTaken: false

    DropArea {
        x: 300; y: 300; width: 100; height: 100
        keys: ["dev.ambergrid.library-item"]
        onDropped: drop => {
            received = drop.source.payload
            drop.accept(Qt.MoveAction)
        }
    }
    PageEdgeStrip { trailing: true; x: 776; height: 600 }
    PageBar {
        x: 100; y: 500
        count: 3
        takesDrops: true
        onTileDropped: (page, drop) => {
            const proxy = drop.source as DragProxy
            if (LiveDrag.dropOnPageDot(page, proxy ? proxy.payload : ""))
                drop.accept(Qt.MoveAction)
        }
    }
    Item {
        id: foreign
        x: 780; y: 300; width: 10; height: 10
        Drag.dragType: Drag.Internal
        Drag.keys: ["dev.ambergrid.library-item"]
    }
    function startForeignDrag() { foreign.Drag.active = true }
    function dropForeignDrag() { return foreign.Drag.drop() === Qt.MoveAction }
    Wiggle {
        objectName: "wiggle"
        width: 100; height: 100
        timing: LiveDrag.wiggleTiming("application:bundle:com.example.a")
    }
    DragProxy {}
}
)";

class ArrangingViews : public ArrangingTest {
protected:
    void SetUp() override {
        ArrangingTest::SetUp();
        session = window->findChild<DragSession*>();
        ASSERT_TRUE(session);
        prepareViewEngine(engine);
        QQmlComponent component(&engine);
        component.setData(scene, QUrl::fromLocalFile(QStringLiteral("/scene.qml")));
        ASSERT_TRUE(component.isReady()) << component.errorString().toStdString();
        scene_.reset(qobject_cast<QQuickItem*>(component.create()));
        ASSERT_TRUE(scene_);
        view = std::make_unique<QQuickWindow>();
        view->resize(800, 600);
        scene_->setParentItem(view->contentItem());
        view->show();
        session->attach(view.get());
        window->selection()->setArranging(true);
    }

    void TearDown() override {
        scene_.reset();
        view.reset();
        ArrangingTest::TearDown();
    }

    QQuickItem* root() const { return scene_.get(); }

    // The centre of a drawn item, in the scene.
    QPointF centreOf(const QString& objectName) const {
        std::vector<QQuickItem*> pending{scene_.get()};
        while (!pending.empty()) {
            QQuickItem* item = pending.back();
            pending.pop_back();
            if (item->objectName() == objectName)
                return item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
            for (QQuickItem* child : item->childItems())
                pending.push_back(child);
        }
        ADD_FAILURE() << "no " << objectName.toStdString();
        return {};
    }

    void send(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, at, view->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(view.get(), &event);
        // The proxy's drag reports its moves to the drop areas through the event loop.
        QCoreApplication::processEvents();
    }

    // Presses a tile, drags it in steps to the given point and releases it there.
    void dragTo(const char* name, QPointF to) {
        const QPointF from(40, 40);
        session->pressTile(key(name), from, QString(), 62);
        for (int step = 1; step <= 4; ++step)
            send(QEvent::MouseMove, from + (to - from) * step / 4, Qt::NoButton, Qt::LeftButton);
        ASSERT_TRUE(session->dragging());
        send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
        EXPECT_FALSE(session->dragging());
    }

    DragSession* session = nullptr;
    QQmlEngine engine;
    std::unique_ptr<QQuickWindow> view;
    std::unique_ptr<QQuickItem> scene_;
};

TEST_F(ArrangingViews, TheDragCarriesItsPayloadAndPageEdgesAndDotsDropTheItemItNames) {
    // A drop target reads the payload from the drag itself: the dragged tile's item.
    dragTo("B", QPointF(350, 350));
    const QString received = root()->property("received").toString();
    ASSERT_FALSE(received.isEmpty());
    EXPECT_EQ(readLibraryDrag(received.toStdString()), LibraryDrag{.item = item("B")});
    EXPECT_EQ(page(), "A B C D E F");
    // Other applications get the same JSON and the application's location as a URI list.
    const QVariantMap outgoing = session->outgoingData();
    EXPECT_EQ(outgoing.value(QStringLiteral("dev.ambergrid.library-item")).toString(), received);
    const QString path = window->library()->appPath(QString::fromStdString(idOf("B")));
    ASSERT_FALSE(path.isEmpty());
    EXPECT_EQ(outgoing.value(QStringLiteral("text/uri-list")).toString(),
              QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) + QStringLiteral("\r\n"));

    // Two tiles a page: the drop on the trailing edge makes A the first tile of page 2.
    window->paging()->setNavCapacity(2);
    dragTo("A", QPointF(788, 300));
    EXPECT_EQ(page(), "B C A D E F");
    EXPECT_EQ(window->paging()->page(), 1);

    // A drop on the third page's dot makes D that page's first tile and shows the page.
    dragTo("D", centreOf(QStringLiteral("library-page-3")));
    EXPECT_EQ(page(), "B C A E D F");
    EXPECT_EQ(window->paging()->page(), 2);

    // A drag that carries the key but no payload is refused by the edge and changes nothing.
    QMetaObject::invokeMethod(root(), "startForeignDrag");
    QCoreApplication::processEvents();
    QVariant taken;
    QMetaObject::invokeMethod(root(), "dropForeignDrag", Q_RETURN_ARG(QVariant, taken));
    EXPECT_FALSE(taken.toBool());
    EXPECT_EQ(page(), "B C A E D F");
    EXPECT_EQ(window->paging()->page(), 2);
}

TEST_F(ArrangingViews, TheJiggleSwingsOnItsTilesTimingAndLevelsAtOnceWhenItStops) {
    auto* wiggle = root()->findChild<QQuickItem*>(QStringLiteral("wiggle"));
    ASSERT_TRUE(wiggle);
    // A level tile carries no transform; a jiggling one its turn and lift.
    const auto transform = [&](const char* property) {
        QQmlListReference transforms(wiggle, "transform");
        return transforms.count() == 1 ? transforms.at(0)->property(property).toDouble() : 0.0;
    };
    const auto angle = [&] { return transform("angle"); };
    const auto lift = [&] { return transform("lift"); };

    const auto timing = wiggle->property("timing").value<WiggleMotion>();
    const WiggleTiming expected = wiggleTiming(wiggleSeed(item("A")));
    EXPECT_EQ(timing.duration, qRound(expected.duration * 1000));
    EXPECT_EQ(timing.delay, qRound(expected.delay * 1000));

    // Still until active; then it starts tilted back and swings within its bounds.
    EXPECT_EQ(angle(), 0);
    wiggle->setProperty("active", true);
    EXPECT_EQ(QQmlListReference(wiggle, "transform").count(), 1);
    EXPECT_DOUBLE_EQ(angle(), -wiggleDegrees);
    EXPECT_DOUBLE_EQ(lift(), wiggleLift);
    bool swung = false;
    for (int frame = 0; frame < 60 && !swung; ++frame) {
        QTest::qWait(10);
        ASSERT_LE(std::abs(angle()), wiggleDegrees + 1e-9);
        ASSERT_LE(std::abs(lift()), wiggleLift + 1e-9);
        swung = angle() > 0;
    }
    EXPECT_TRUE(swung) << "never tilted the other way";

    // Stopping levels the tile at once, mid-swing or not.
    wiggle->setProperty("active", false);
    EXPECT_EQ(QQmlListReference(wiggle, "transform").count(), 0);
    EXPECT_EQ(angle(), 0);
    EXPECT_EQ(lift(), 0);
    QTest::qWait(60);
    EXPECT_EQ(angle(), 0);
}

} // namespace
} // namespace orbitdeck::testing

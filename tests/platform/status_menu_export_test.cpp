#include "platform/dbus_menu.h"
#include "platform/status_notifier_item.h"

#include <QDBusMetaType>
#include <QSignalSpy>

#include <gtest/gtest.h>

using orbitdeck::DBusMenu;
using orbitdeck::DBusMenuEvent;
using orbitdeck::DBusMenuLayoutItem;
using orbitdeck::StatusMenuEntry;
using orbitdeck::StatusNotifierItem;

namespace {

std::vector<StatusMenuEntry> sampleEntries() {
    return {
        {.id = 7, .title = QStringLiteral("Open my_app")},
        {.id = 8, .title = QStringLiteral("Settings…"), .key = QStringLiteral(",")},
        {.separator = true},
        {.title = QStringLiteral("Orbitdeck 1.0"), .enabled = false},
    };
}

} // namespace

TEST(StatusMenuExport, LayoutListsEntriesWithTheirProperties) {
    DBusMenu menu([] { return sampleEntries(); }, [](int) {});
    DBusMenuLayoutItem layout;
    const uint revision = menu.GetLayout(0, -1, {}, layout);
    EXPECT_GE(revision, 1U);
    EXPECT_EQ(layout.id, 0);
    EXPECT_EQ(layout.properties.value("children-display").toString(), "submenu");
    ASSERT_EQ(layout.children.size(), 4);
    EXPECT_EQ(layout.children[0].id, 1);
    // An underscore of the title is no mnemonic.
    EXPECT_EQ(layout.children[0].properties.value("label").toString(), "Open my__app");
    EXPECT_TRUE(layout.children[0].properties.value("enabled").toBool());
    EXPECT_FALSE(layout.children[0].properties.contains("shortcut"));
    const auto shortcut =
        layout.children[1].properties.value("shortcut").value<QList<QStringList>>();
    EXPECT_EQ(shortcut, (QList<QStringList>{{"Control", ","}}));
    EXPECT_EQ(layout.children[2].properties,
              (QVariantMap{{QStringLiteral("type"), QStringLiteral("separator")}}));
    EXPECT_FALSE(layout.children[3].properties.value("enabled").toBool());

    {
        // Only the properties asked for; no children below depth 0.
        DBusMenuLayoutItem shallow;
        menu.GetLayout(0, 0, {}, shallow);
        EXPECT_TRUE(shallow.children.isEmpty());
        DBusMenuLayoutItem labels;
        menu.GetLayout(0, 1, {QStringLiteral("label")}, labels);
        EXPECT_EQ(labels.children[1].properties.keys(), QStringList{"label"});
        const auto group = menu.GetGroupProperties({2, 99}, {QStringLiteral("enabled")});
        ASSERT_EQ(group.size(), 1);
        EXPECT_EQ(group[0].id, 2);
        EXPECT_EQ(menu.GetProperty(1, QStringLiteral("label")).variant().toString(),
                  "Open my__app");
    }
}

TEST(StatusMenuExport, ClicksReachOnlyEnabledEntries) {
    std::vector<int> chosen;
    DBusMenu menu([] { return sampleEntries(); }, [&](int id) { chosen.push_back(id); });
    menu.Event(1, QStringLiteral("clicked"), {}, 0);
    menu.Event(2, QStringLiteral("hovered"), {}, 0);
    menu.Event(3, QStringLiteral("clicked"), {}, 0); // separator
    menu.Event(4, QStringLiteral("clicked"), {}, 0); // disabled version line
    menu.Event(42, QStringLiteral("clicked"), {}, 0);
    const QList<int> unknown = menu.EventGroup(
        {DBusMenuEvent{.id = 2, .eventId = QStringLiteral("clicked"), .data = {}, .timestamp = 0},
         DBusMenuEvent{.id = 9, .eventId = QStringLiteral("clicked"), .data = {}, .timestamp = 0}});
    EXPECT_EQ(chosen, (std::vector<int>{7, 8}));
    EXPECT_EQ(unknown, QList<int>{9});
}

TEST(StatusMenuExport, OpeningTheMenuRereadsTheEntries) {
    QString title = QStringLiteral("Settings…");
    DBusMenu menu([&] { return std::vector<StatusMenuEntry>{{.id = 1, .title = title}}; },
                  [](int) {});
    QSignalSpy updated(&menu, &DBusMenu::LayoutUpdated);
    DBusMenuLayoutItem before;
    const uint first = menu.GetLayout(0, -1, {}, before);

    EXPECT_FALSE(menu.AboutToShow(0));
    EXPECT_EQ(updated.count(), 0);

    title = QStringLiteral("Einstellungen…"); // the language changed meanwhile
    EXPECT_TRUE(menu.AboutToShow(0));
    ASSERT_EQ(updated.count(), 1);
    DBusMenuLayoutItem after;
    EXPECT_GT(menu.GetLayout(0, -1, {}, after), first);
    EXPECT_EQ(after.children[0].properties.value("label").toString(), title);

    QList<int> errors;
    title = QStringLiteral("Réglages…");
    EXPECT_EQ(menu.AboutToShowGroup({0, 5}, errors), QList<int>{0});
    EXPECT_EQ(errors, QList<int>{5});
}

TEST(StatusMenuExport, IconTravelsAsArgbInNetworkOrder) {
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0x11, 0x22, 0x33, 0xff));
    image.setPixel(1, 0, qRgba(0, 0, 0, 0));
    const auto wire = StatusNotifierItem::wireImage(image);
    EXPECT_EQ(wire.width, 2);
    EXPECT_EQ(wire.height, 1);
    EXPECT_EQ(wire.pixels, QByteArray::fromHex("ff11223300000000"));
}

// A type without a signature makes Qt leave the method or signal off the bus, silently.
TEST(StatusMenuExport, WireTypesHaveTheirSignatures) {
    orbitdeck::registerDBusMenuTypes();
    const auto signature = [](QMetaType type) {
        return QString::fromLatin1(QDBusMetaType::typeToSignature(type));
    };
    EXPECT_EQ(signature(QMetaType::fromType<DBusMenuLayoutItem>()), "(ia{sv}av)");
    EXPECT_EQ(signature(QMetaType::fromType<orbitdeck::DBusMenuItemPropertiesList>()), "a(ia{sv})");
    EXPECT_EQ(signature(QMetaType::fromType<orbitdeck::DBusMenuItemKeysList>()), "a(ias)");
    EXPECT_EQ(signature(QMetaType::fromType<orbitdeck::DBusMenuEventList>()), "a(isvu)");
    EXPECT_EQ(signature(QMetaType::fromType<orbitdeck::DBusImageList>()), "a(iiay)");
    EXPECT_EQ(signature(QMetaType::fromType<orbitdeck::DBusToolTip>()), "(sa(iiay)ss)");
    EXPECT_EQ(signature(QMetaType::fromType<QList<QStringList>>()), "aas");
}

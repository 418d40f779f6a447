#pragma once

#include "../window/window_state_harness.h"

#include "arranging/arranging_install.h"
#include "arranging/command_layer.h"
#include "arranging/launch_flow.h"
#include "arranging/layout_operations.h"
#include "arranging/undo_actions.h"

#include <gtest/gtest.h>

namespace orbitdeck::testing {

// A loaded window with the arranging operations and applications A…F in catalog order.
class ArrangingTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness = std::make_unique<WindowHarness>(std::vector<WindowHarness::Extension>{
            [this](AmbergridWindow& window) { arranging = installArranging(window); }});
        prepare(*harness);
        std::vector<AppDescriptor> apps;
        for (const char* name : {"A", "B", "C", "D", "E", "F"})
            apps.push_back(app(name, std::string("com.example.") + name));
        harness->catalog.setApps(apps);
        window = &harness->load();
    }

    // Runs before the window is made (fakes for its environment).
    virtual void prepare(WindowHarness&) {}

    // Ids are lower-cased bundle identifiers.
    static std::string idOf(const char* name) {
        return appID("com.example." + QString::fromLatin1(name).toLower().toStdString());
    }
    static LayoutItem item(const char* name) { return LayoutItem::application(idOf(name)); }
    static QString key(const char* name) {
        return QString::fromStdString("application:" + idOf(name));
    }
    static TileId tile(const char* name) { return TileId(item(name)); }

    CommandLayer& commands() { return *arranging.commands; }
    LayoutOperations& operations() { return *arranging.layoutOps; }
    UndoActions& undo() { return *arranging.undo; }
    LaunchFlow& launching() { return *commands().launching(); }

    // Page items as names: apps by their letter, folders as [letters].
    std::string page() const {
        std::string text;
        const LibraryLayout& layout = window->layout()->layout();
        const auto name = [](const LayoutItem& entry) {
            return QString::fromStdString(entry.payload.substr(19)).toUpper().toStdString();
        };
        for (const LayoutItem& entry : layout.pageItems()) {
            if (!text.empty())
                text += ' ';
            if (!entry.isFolder()) {
                text += name(entry);
                continue;
            }
            text += '[';
            const std::optional<LayoutFolder> folder = layout.folder(entry.folderID());
            for (const LayoutItem& inner : folder->items)
                text += name(inner);
            text += ']';
        }
        return text;
    }

    std::unique_ptr<WindowHarness> harness;
    AmbergridWindow* window = nullptr;
    ArrangingParts arranging;
};

} // namespace orbitdeck::testing

#include "arranging/undo_actions.h"

#include "platform/main_thread.h"
#include "window/ambergrid_window.h"
#include "window/library_loader.h"
#include "window/localization.h"

namespace orbitdeck {

UndoActions::UndoActions(AmbergridWindow& window, QObject* parent)
    : QObject(parent)
    , window_(window) {}

void UndoActions::restoreLayout(const QByteArray& data) {
    const bool motion = window_.settings()->motionAllowed();
    window_.layout()->setLayout(window_.restoredLayout(data),
                                motion ? LayoutAnimation::undo : LayoutAnimation::none);
    window_.settings()->setData(WindowSettings::layoutKey, data);
}

void UndoActions::undo() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    // The popped entry is consumed whatever happens next.
    std::optional<LibraryUndo> entry = window_.popUndo();
    if (!entry)
        return;
    const QString undone = localized(QStringLiteral("Undone"), window_.language());
    std::visit(
        [&](auto& step) {
            using Step = std::decay_t<decltype(step)>;
            if constexpr (std::is_same_v<Step, LibraryUndo::Layout>) {
                restoreLayout(step.data);
                window_.showToast(undone);
            } else if constexpr (std::is_same_v<Step, LibraryUndo::Hidden>) {
                replaceHidden(std::move(step.ids));
                window_.showToast(undone);
            } else if constexpr (std::is_same_v<Step, LibraryUndo::Backup>) {
                restoreLayout(step.data);
                window_.settings()->setSortValue(step.sort);
                replaceHidden(std::move(step.ids));
                window_.showToast(undone);
            } else {
                const auto& move = window_.environment().moveItem;
                const std::optional<QString> error =
                    move ? move(step.trashURL, step.app.bundleURL())
                         : std::optional<QString>(QStringLiteral("unavailable"));
                const QString name = QString::fromStdString(step.app.displayName());
                if (error) {
                    window_.lifecycle()->setUninstallError(name + QStringLiteral(": ") + *error);
                    return;
                }
                window_.settings()->setData(WindowSettings::layoutKey, step.data);
                window_.loader().refreshApps(true);
                window_.showToast(
                    localizedFormat(QStringLiteral("“%@” restored"), window_.language(), {name}));
            }
        },
        entry->value);
}

void UndoActions::hide(const QString& appID) {
    hide(appID.toStdString());
}

void UndoActions::hide(const std::string& appID) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    window_.pushUndo(LibraryUndo{LibraryUndo::Hidden{window_.library()->hiddenIDs()}});
    insertHidden(appID);
    const auto& selected = window_.selection()->selectedItem();
    if (selected && *selected == LayoutItem::application(appID))
        window_.selection()->setSelectedItem(std::nullopt);
    const QString name =
        QString::fromStdString(window_.library()->displayName(appID).value_or(std::string()));
    window_.showToast(
        localizedFormat(QStringLiteral("“%@” hidden · ⌘Z"), window_.language(), {name}));
}

void UndoActions::unhide(const std::optional<std::string>& appID) {
    updateHidden([&](HiddenIDs& ids) {
        if (appID)
            ids.erase(*appID);
        else
            ids.clear();
    });
}

void UndoActions::unhideApp(const QString& appID) {
    unhide(appID.isEmpty() ? std::nullopt : std::optional(appID.toStdString()));
}

void UndoActions::unhideWithUndo(const QString& appID) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    window_.pushUndo(LibraryUndo{LibraryUndo::Hidden{window_.library()->hiddenIDs()}});
    unhideApp(appID);
}

void UndoActions::hide(const std::vector<std::string>& appIDs) {
    updateHidden([&](HiddenIDs& ids) { ids.insert(appIDs.begin(), appIDs.end()); });
}

void UndoActions::updateHidden(const std::function<void(HiddenIDs&)>& change) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    HiddenIDs ids = window_.library()->hiddenIDs();
    change(ids);
    window_.storeHidden(std::move(ids));
}

void UndoActions::replaceHidden(HiddenIDs ids) {
    updateHidden([&](HiddenIDs& current) { current = std::move(ids); });
}

void UndoActions::insertHidden(const std::string& appID) {
    updateHidden([&](HiddenIDs& ids) { ids.insert(appID); });
}

} // namespace orbitdeck

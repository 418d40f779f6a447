#include "arranging/uninstall_flow.h"

#include "platform/byte_count.h"
#include "platform/disk_usage.h"
#include "platform/main_thread.h"
#include "window/ambergrid_window.h"
#include "window/localization.h"

#include <QLocale>
#include <QPointer>

namespace orbitdeck {

namespace {

QVariantMap button(const QString& name, const QString& title, bool destructive,
                   bool cancel = false) {
    return {
        {QStringLiteral("name"), name},
        {QStringLiteral("title"), title},
        {QStringLiteral("destructive"), destructive},
        {QStringLiteral("cancel"), cancel},
    };
}

} // namespace

UninstallFlow::UninstallFlow(AmbergridWindow& window, QObject* parent)
    : QObject(parent)
    , window_(window) {}

bool UninstallFlow::canUninstall(const AppDescriptor& app) const {
    AppTrash* trash = window_.environment().trash;
    return trash && trash->isUninstallable(app);
}

bool UninstallFlow::canUninstallID(const QString& appID) const {
    const AppDescriptor* app = window_.library()->app(appID.toStdString());
    return app && canUninstall(*app);
}

void UninstallFlow::requestUninstall(const QString& appID) {
    if (const AppDescriptor* app = window_.library()->app(appID.toStdString()))
        requestUninstall(AppDescriptor(*app));
}

void UninstallFlow::requestUninstall(const AppDescriptor& app) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (!canUninstall(app))
        return;
    summaryCache_.reset();
    setCandidate(app);
}

QString UninstallFlow::candidateID() const {
    return candidate_ ? QString::fromStdString(candidate_->id()) : QString();
}

void UninstallFlow::setCandidate(std::optional<AppDescriptor> app) {
    candidate_ = std::move(app);
    emit candidateChanged();
}

QVariantMap UninstallFlow::confirmation() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const LibraryLanguage language = window_.language();
    AppTrash* trash = window_.environment().trash;
    const QString name = candidate_ ? QString::fromStdString(candidate_->displayName()) : QString();
    // One literal per key, so the table check finds it.
    // clang-format off
    QString message = localized(QStringLiteral("The app will be moved to the Trash. You can put it back from the Trash if you change your mind."), language);
    // clang-format on
    std::vector<std::filesystem::path> leftovers;
    if (candidate_ && trash) {
        if (const std::optional<QString> size = trash->formattedSize(candidate_->bundleURL()))
            message +=
                QLatin1Char('\n') + localizedFormat(QStringLiteral("Size: %@"), language, {*size});
        if (!summaryCache_ || summaryCache_->first != candidate_->id())
            summaryCache_.emplace(candidate_->id(), leftoverSummary(*candidate_));
        message += summaryCache_->second;
        leftovers = trash->leftoverURLs(*candidate_);
    }
    QVariantList buttons;
    if (!leftovers.empty()) {
        buttons.push_back(
            button(QStringLiteral("leftovers"),
                   localized(QStringLiteral("Move App and Leftovers to Trash"), language), true));
        buttons.push_back(button(QStringLiteral("appOnly"),
                                 localized(QStringLiteral("Move App Only"), language), false));
    } else {
        buttons.push_back(button(QStringLiteral("trash"),
                                 localized(QStringLiteral("Move to Trash"), language), true));
    }
    buttons.push_back(button(QStringLiteral("cancel"),
                             localized(QStringLiteral("Cancel"), language), false, true));
    return {
        {QStringLiteral("title"),
         localizedFormat(QStringLiteral("Move “%@” to the Trash?"), language, {name})},
        {QStringLiteral("message"), message},
        {QStringLiteral("buttons"), buttons},
    };
}

void UninstallFlow::choose(const QString& buttonName) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    std::optional<AppDescriptor> app = std::move(candidate_);
    setCandidate(std::nullopt);
    AppTrash* trash = window_.environment().trash;
    if (!app || !trash || buttonName == QLatin1String("cancel"))
        return;
    // The list the alert offered is the one taken, from the same cache.
    std::vector<std::filesystem::path> leftovers;
    if (buttonName == QLatin1String("leftovers"))
        leftovers = trash->leftoverURLs(*app);
    else if (buttonName != QLatin1String("appOnly") && buttonName != QLatin1String("trash"))
        return;
    uninstall(*app, leftovers);
}

void UninstallFlow::dismiss() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (candidate_)
        setCandidate(std::nullopt);
}

QString UninstallFlow::leftoverSummary(const AppDescriptor& app) const {
    AppTrash* trash = window_.environment().trash;
    const std::vector<std::filesystem::path> leftovers =
        trash ? trash->leftoverURLs(app) : std::vector<std::filesystem::path>();
    if (leftovers.empty())
        return {};
    std::uintmax_t total = 0;
    for (const std::filesystem::path& item : leftovers)
        total += allocatedTreeSize(item);
    return QStringLiteral("\n\n") +
           localizedFormat(
               QStringLiteral(
                   "Also found %lld leftover items (%@): caches, preferences and app data."),
               window_.language(),
               {static_cast<qint64>(leftovers.size()),
                formatFileByteCount(static_cast<std::int64_t>(total), QLocale())});
}

void UninstallFlow::uninstall(const AppDescriptor& app,
                              const std::vector<std::filesystem::path>& leftovers) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    AppTrash* trash = window_.environment().trash;
    if (!trash)
        return;
    QPointer<UninstallFlow> self(this);
    trash->moveToTrash(app, [self, trash, app, leftovers](AppTrash::Moved moved) {
        if (!self)
            return;
        if (moved.error) {
            self->window_.lifecycle()->setUninstallError(QString::fromStdString(app.displayName()) +
                                                         QStringLiteral(": ") + *moved.error);
            return;
        }
        trash->recycleItems(leftovers, [self, app, trashURL = moved.trashURL] {
            if (self)
                self->finish(app, trashURL);
        });
    });
}

void UninstallFlow::finish(const AppDescriptor& app,
                           const std::optional<std::filesystem::path>& trashURL) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (AppTrash* trash = window_.environment().trash)
        trash->forget(app);
    LibraryState& library = *window_.library();
    const std::string& id = app.id();
    std::vector<AppDescriptor> apps = library.apps();
    std::erase_if(apps, [&](const AppDescriptor& entry) { return entry.id() == id; });
    RecentUse recent = library.recentUse();
    recent.erase(id);
    LaunchCounts counts = library.launchCounts();
    counts.erase(id);
    library.setRecentUse(std::move(recent));
    library.setLaunchCounts(std::move(counts));
    library.setApps(std::move(apps));

    const QByteArray previous = window_.settings()->data(WindowSettings::layoutKey);
    window_.updateLayout(
        false, [&](LibraryLayout& layout) { return layout.remove(LayoutItem::application(id)); });
    if (!trashURL)
        return;
    window_.pushUndo(LibraryUndo{LibraryUndo::Uninstall{
        .app = app,
        .trashURL = *trashURL,
        .data = previous,
    }});
    window_.showToast(localizedFormat(QStringLiteral("“%@” moved to the Trash · ⌘Z"),
                                      window_.language(),
                                      {QString::fromStdString(app.displayName())}));
}

} // namespace orbitdeck

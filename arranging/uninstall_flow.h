#pragma once

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "catalog-core/app_descriptor.h"
#endif

#include <QObject>
#include <QString>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orbitdeck {

class AmbergridWindow;
class AppTrash;

// Moving an application to the Trash: the confirmation (with its leftovers), the move, the
// removal from the window and the layout, the undo step and the toast.
class UninstallFlow : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the arranging module")
    // The id of the application awaiting confirmation; empty when none.
    Q_PROPERTY(QString candidate READ candidateID NOTIFY candidateChanged FINAL)

public:
    UninstallFlow(AmbergridWindow& window, QObject* parent = nullptr);

    bool canUninstall(const AppDescriptor& app) const;
    // The same for an installed application's id; false for an unknown one.
    Q_INVOKABLE bool canUninstallID(const QString& appID) const;
    // Asks for confirmation when the application may be moved; does nothing otherwise.
    Q_INVOKABLE void requestUninstall(const QString& appID);
    void requestUninstall(const AppDescriptor& app);
    const std::optional<AppDescriptor>& candidate() const { return candidate_; }
    QString candidateID() const;

    // {title, message, buttons: [{name, title, destructive, cancel}]} for the candidate.
    Q_INVOKABLE QVariantMap confirmation();
    // A button of the confirmation: "leftovers", "appOnly", "trash" or "cancel". The alert
    // closes at once; the move runs on.
    Q_INVOKABLE void choose(const QString& button);
    // The alert went away without a choice.
    Q_INVOKABLE void dismiss();

    void uninstall(const AppDescriptor& app, const std::vector<std::filesystem::path>& leftovers);
    QString leftoverSummary(const AppDescriptor& app) const;

signals:
    void candidateChanged();

private:
    void setCandidate(std::optional<AppDescriptor> app);
    void finish(const AppDescriptor& app, const std::optional<std::filesystem::path>& trashURL);

    AmbergridWindow& window_;
    std::optional<AppDescriptor> candidate_;
    // The leftovers paragraph of the last confirmation, by application id.
    std::optional<std::pair<std::string, QString>> summaryCache_;
};

} // namespace orbitdeck

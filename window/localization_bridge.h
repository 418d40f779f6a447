#pragma once

#include "window/localization.h"
#include "window/qml_singleton.h"

#include <QObject>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

namespace orbitdeck {

// The interface language for QML: the singleton L of "Orbitdeck.State" (the bridge the
// executable provided), also the type of a view's `lang`. QML passes L.revision to every
// lookup, so each text is a binding on the revision and changes as soon as the language
// setting does, without a restart:
//     text: L.t("Done", L.revision)
//     text: L.format("Refreshed · %lld apps", [count], L.revision)
class LocalizationBridge : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(L)
    QML_SINGLETON
    Q_PROPERTY(int revision READ revision NOTIFY revisionChanged FINAL)
    // The interface locale's name ("fr", "zh-Hans"), for number formatting in QML.
    Q_PROPERTY(QString localeName READ localeName NOTIFY revisionChanged FINAL)
public:
    LocalizationBridge(DefaultsStore& defaults, const Localizer& localizer,
                       QObject* parent = nullptr);

    // The bridge QML's L is, from the next engine that first asks for it.
    static void registerSingleton(LocalizationBridge* bridge);
    static LocalizationBridge* create(QQmlEngine* qml, QJSEngine* js) {
        return ProvidedSingleton<LocalizationBridge>::create(qml, js);
    }

    int revision() const { return revision_; }
    QString localeName() const;
    LibraryLanguage language() const;

    Q_INVOKABLE QString t(const QString& key, int revision) const;
    Q_INVOKABLE QString format(const QString& key, const QVariantList& arguments,
                               int revision) const;

signals:
    void revisionChanged();

private:
    DefaultsStore& defaults_;
    const Localizer& localizer_;
    int revision_ = 0;
};

} // namespace orbitdeck

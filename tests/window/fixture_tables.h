#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <map>

// A throwaway resources folder with one Localizable.strings per localisation name.
class FixtureTables {
public:
    explicit FixtureTables(const std::map<QString, QByteArray>& tables) {
        for (const auto& [lproj, contents] : tables)
            write(lproj, contents);
    }
    void write(const QString& lproj, const QByteArray& contents) const {
        const QString folder = dir_.path() + "/" + lproj + ".lproj";
        QDir().mkpath(folder);
        QFile file(folder + "/Localizable.strings");
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(contents);
    }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

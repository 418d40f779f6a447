#pragma once

#include "platform/defaults_plist_codec.h"
#include "platform/defaults_value.h"
#include "platform/durable_file.h"
#include "platform/file_lock.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QSet>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace orbitdeck {

// One preferences domain kept in one property-list file. Every change is written through at
// once and durably; there is nothing to save at exit. A file that cannot be parsed is moved
// aside and the domain starts empty; a file that cannot be read or moved is left alone and
// the domain stays read-only in memory, so the user's file is never overwritten blindly.
//
// Other writers (a second copy, a script, a sync tool) may change the file too. A write first
// re-reads a file that changed since it was last read and puts only this store's own changes on
// top, so neither side erases the other's keys; a lock file beside the domain file keeps two
// such writes from overlapping. While anyone observes the store, the file is
// watched and changes made by others reach memory and valueChanged.
class DefaultsStore : public QObject {
    Q_OBJECT
public:
    // "$XDG_CONFIG_HOME/orbitdeck/<domain>.plist" ($HOME/.config when the variable is unset).
    static QString domainFilePath(const QString& domain);
    // The domain file, created on the first write.
    static std::unique_ptr<DefaultsStore> openDomain(const QString& domain);
    // Only a domain whose file exists, e.g. a legacy suite that is read once; none otherwise.
    static std::unique_ptr<DefaultsStore> openExistingDomain(const QString& domain);

    explicit DefaultsStore(QString filePath, QObject* parent = nullptr);

    QString filePath() const { return filePath_; }
    // False after the file could not be read or moved aside; writes then change memory only.
    bool isWritable() const { return writable_; }
    // Where an unparsable file went, empty when none was moved.
    QString movedAsidePath() const { return movedAsidePath_; }

    bool contains(const QString& key) const;
    // Also true for an entry of a kind the typed reads do not handle (an array, a date).
    bool holdsEntry(const QString& key) const;
    QStringList keys() const;
    const DefaultsDictionary& dictionary() const { return document_.values; }
    std::optional<DefaultsValue> value(const QString& key) const;

    // Typed reads: none when the key is absent or holds another kind of value. An integer
    // also reads as a real, as the defaults model allows.
    std::optional<bool> boolValue(const QString& key) const;
    std::optional<qint64> integerValue(const QString& key) const;
    std::optional<double> realValue(const QString& key) const;
    std::optional<QString> stringValue(const QString& key) const;
    std::optional<QByteArray> dataValue(const QString& key) const;

    // Each answers whether the change reached the disk; memory and observers change either way.
    bool setValue(const QString& key, const DefaultsValue& value);
    // Several keys committed in one write, e.g. by a migration.
    bool setValues(const DefaultsDictionary& values);
    bool remove(const QString& key);

    // Calls onChange (on context's thread) whenever key changes, until context is destroyed.
    QMetaObject::Connection observe(const QString& key, const QObject* context,
                                    std::function<void()> onChange);

    // Takes in what others wrote to the file since it was last read, emitting valueChanged for
    // each key that changed; the file watch calls it, tests may too.
    void reloadIfChanged();

signals:
    void valueChanged(const QString& key);
    // A change stayed in memory only: the file could not be written (the reason is logged).
    void saveFailed();

protected:
    void connectNotify(const QMetaMethod& signal) override;

private:
    void load();
    // The lock around one read-merge-write of the domain; may come back without the lock.
    std::unique_ptr<FileLock> lockDomain() const;
    // Writes memory to the file, first merging a file changed by someone else; the keys they
    // changed are added to theirs.
    bool commit(QStringList& theirs);
    void announce(const QStringList& keys);
    // Merges a file changed by someone else into memory, keeping the unsaved keys; answers the
    // keys whose values others changed. Before a write, a file that is no domain is moved
    // aside; merely watching, it is left alone.
    QStringList mergeChangedFile(bool writing);
    void watchFile();

    QString filePath_;
    DefaultsDocument document_;
    QString movedAsidePath_;
    bool writable_ = true;
    // The file as last read or written; none when there was none.
    std::optional<FileStamp> stamp_;
    // Keys set or removed here that have not reached the file yet.
    QSet<QString> unsaved_;
    QFileSystemWatcher* watcher_ = nullptr;
};

} // namespace orbitdeck

#include "platform/defaults_store.h"

#include "platform/config_home.h"
#include "platform/durable_file.h"
#include "platform/main_thread.h"
#include "platform/platform_log.h"

#include <QDir>
#include <QMetaMethod>

namespace orbitdeck {
namespace {

// Far above any real domain (layouts of thousands of apps stay well under a megabyte).
constexpr qint64 maxDomainFileBytes = 64LL * 1024 * 1024;
// Another writer holds the lock only for one read-merge-write; a writer stuck longer (stopped,
// on a hung disk) must not hold the launcher: after this the write goes ahead without it.
constexpr std::chrono::milliseconds lockPatience{2000};

template <typename T>
std::optional<T> valueAs(const std::optional<DefaultsValue>& value) {
    if (value)
        if (const auto* typed = std::get_if<T>(&*value))
            return *typed;
    return std::nullopt;
}

} // namespace

QString DefaultsStore::domainFilePath(const QString& domain) {
    return configHome() + QStringLiteral("/orbitdeck/") + domain + QStringLiteral(".plist");
}

std::unique_ptr<DefaultsStore> DefaultsStore::openDomain(const QString& domain) {
    return std::make_unique<DefaultsStore>(domainFilePath(domain));
}

std::unique_ptr<DefaultsStore> DefaultsStore::openExistingDomain(const QString& domain) {
    const QString path = domainFilePath(domain);
    if (!QFileInfo::exists(path))
        return nullptr;
    return std::make_unique<DefaultsStore>(path);
}

DefaultsStore::DefaultsStore(QString filePath, QObject* parent)
    : QObject(parent)
    , filePath_(std::move(filePath)) {
    load();
}

void DefaultsStore::load() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    removeStaleTemporaries(filePath_);
    // Stamped before reading: a change made meanwhile is then read again, never missed.
    stamp_ = fileStamp(filePath_);
    const FileReadResult read = readFileCapped(filePath_, maxDomainFileBytes);
    if (std::holds_alternative<FileMissing>(read))
        return;
    if (std::holds_alternative<FileUnreadable>(read)) {
        writable_ = false;
        return;
    }
    if (const auto* bytes = std::get_if<QByteArray>(&read))
        if (auto document = decodeDefaultsPlist(*bytes)) {
            document_ = std::move(*document);
            return;
        }
    movedAsidePath_ = moveFileAside(filePath_);
    writable_ = !movedAsidePath_.isEmpty();
}

bool DefaultsStore::contains(const QString& key) const {
    return document_.values.contains(key);
}

bool DefaultsStore::holdsEntry(const QString& key) const {
    return contains(key) || hasOtherEntry(document_, key);
}

QStringList DefaultsStore::keys() const {
    QStringList keys;
    for (const auto& entry : document_.values)
        keys.append(entry.first);
    return keys;
}

std::optional<DefaultsValue> DefaultsStore::value(const QString& key) const {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const auto found = document_.values.find(key);
    if (found == document_.values.end())
        return std::nullopt;
    return found->second;
}

std::optional<bool> DefaultsStore::boolValue(const QString& key) const {
    return valueAs<bool>(value(key));
}

std::optional<qint64> DefaultsStore::integerValue(const QString& key) const {
    return valueAs<qint64>(value(key));
}

std::optional<double> DefaultsStore::realValue(const QString& key) const {
    const auto stored = value(key);
    if (const auto integer = valueAs<qint64>(stored))
        return static_cast<double>(*integer);
    return valueAs<double>(stored);
}

std::optional<QString> DefaultsStore::stringValue(const QString& key) const {
    return valueAs<QString>(value(key));
}

std::optional<QByteArray> DefaultsStore::dataValue(const QString& key) const {
    return valueAs<QByteArray>(value(key));
}

bool DefaultsStore::setValue(const QString& key, const DefaultsValue& value) {
    return setValues({{key, value}});
}

bool DefaultsStore::setValues(const DefaultsDictionary& values) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    QStringList theirs;
    QStringList changed;
    bool saved = true;
    {
        const auto lock = lockDomain();
        // What is a change is judged against the file as it is now, not as it was read.
        theirs = mergeChangedFile(/*writing=*/false);
        for (const auto& [key, value] : values) {
            const auto found = document_.values.find(key);
            if (found != document_.values.end() && found->second == value)
                continue;
            dropOtherEntry(document_, key);
            document_.values.insert_or_assign(key, value);
            unsaved_.insert(key);
            changed.append(key);
        }
        if (!changed.isEmpty())
            saved = commit(theirs);
    }
    // Observers run once the lock is given back: one of them may write again.
    announce(theirs + changed);
    if (!saved)
        emit saveFailed();
    return saved;
}

bool DefaultsStore::remove(const QString& key) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    QStringList theirs;
    bool changed = false;
    bool saved = true;
    {
        const auto lock = lockDomain();
        theirs = mergeChangedFile(/*writing=*/false);
        const bool hadOther = dropOtherEntry(document_, key);
        const bool hadValue = document_.values.erase(key) > 0;
        changed = hadOther || hadValue;
        if (changed) {
            unsaved_.insert(key);
            saved = commit(theirs);
        }
    }
    announce(changed ? theirs + QStringList{key} : theirs);
    if (!saved)
        emit saveFailed();
    return saved;
}

std::unique_ptr<FileLock> DefaultsStore::lockDomain() const {
    // The lock file lives beside the domain file (beside a link, not its target), in our own
    // folder, which the first write makes anyway.
    const QFileInfo file(filePath_);
    if (!file.isSymLink() && !QFileInfo(file.absolutePath()).isDir())
        QDir().mkpath(file.absolutePath());
    auto lock = std::make_unique<FileLock>(filePath_ + QStringLiteral(".lock"), lockPatience);
    if (!lock->held())
        qCWarning(platformLog).noquote()
            << "writing" << filePath_ << "without its lock:"
            << (lock->state() == FileLock::State::busy ? "another writer holds it"
                                                       : "the lock file cannot be opened");
    return lock;
}

void DefaultsStore::announce(const QStringList& keys) {
    if (watcher_)
        watchFile();
    for (const QString& key : keys)
        emit valueChanged(key);
}

QMetaObject::Connection DefaultsStore::observe(const QString& key, const QObject* context,
                                               std::function<void()> onChange) {
    return connect(this, &DefaultsStore::valueChanged, context,
                   [key, onChange = std::move(onChange)](const QString& changed) {
                       if (changed == key)
                           onChange();
                   });
}

bool DefaultsStore::commit(QStringList& theirs) {
    theirs += mergeChangedFile(/*writing=*/true);
    FileStamp written;
    if (!writable_)
        qCWarning(platformLog).noquote()
            << "not saved to" << filePath_ << ": it could not be read, so it is left as it is";
    const bool saved =
        writable_ && writeFileDurably(filePath_, encodeDefaultsPlist(document_), &written);
    if (saved) {
        stamp_ = written;
        unsaved_.clear();
    }
    return saved;
}

QStringList DefaultsStore::mergeChangedFile(bool writing) {
    const std::optional<FileStamp> now = fileStamp(filePath_);
    // Unchanged, or gone: a file that vanished takes nothing from memory.
    if (now == stamp_ || !now)
        return {};
    const FileReadResult read = readFileCapped(filePath_, maxDomainFileBytes);
    const auto* bytes = std::get_if<QByteArray>(&read);
    std::optional<DefaultsDocument> disk = bytes ? decodeDefaultsPlist(*bytes) : std::nullopt;
    // Merely watching, a file another writer is still writing in place is left for its next
    // change.
    if (std::holds_alternative<FileMissing>(read) || (!disk && !writing))
        return {};
    if (std::holds_alternative<FileUnreadable>(read)) {
        writable_ = false;
        return {};
    }
    if (!disk) {
        // Someone left a file that is no domain: kept aside, memory stays as it is.
        movedAsidePath_ = moveFileAside(filePath_);
        writable_ = !movedAsidePath_.isEmpty();
        stamp_ = std::nullopt;
        return {};
    }
    for (const QString& key : std::as_const(unsaved_)) {
        dropOtherEntry(*disk, key);
        if (const auto mine = document_.values.find(key); mine != document_.values.end())
            disk->values.insert_or_assign(key, mine->second);
        else
            disk->values.erase(key);
    }
    QStringList theirs;
    for (const auto& [key, value] : document_.values) {
        const auto found = disk->values.find(key);
        if (found == disk->values.end() || !(found->second == value))
            theirs.append(key);
    }
    for (const auto& [key, value] : disk->values)
        if (!document_.values.contains(key))
            theirs.append(key);
    document_ = std::move(*disk);
    stamp_ = now;
    return theirs;
}

void DefaultsStore::reloadIfChanged() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const QStringList theirs = mergeChangedFile(/*writing=*/false);
    for (const QString& key : theirs)
        emit valueChanged(key);
    if (watcher_)
        watchFile();
}

void DefaultsStore::connectNotify(const QMetaMethod& signal) {
    if (signal == QMetaMethod::fromSignal(&DefaultsStore::valueChanged) && !watcher_)
        watchFile();
}

void DefaultsStore::watchFile() {
    // The folder tells of a replaced file (writers rename over it), the file of one rewritten
    // in place; a replaced file drops out of the watch and is added again here.
    if (!watcher_) {
        watcher_ = new QFileSystemWatcher(this);
        connect(watcher_, &QFileSystemWatcher::directoryChanged, this,
                &DefaultsStore::reloadIfChanged);
        connect(watcher_, &QFileSystemWatcher::fileChanged, this, &DefaultsStore::reloadIfChanged);
    }
    const QString folder = QFileInfo(filePath_).absolutePath();
    if (!watcher_->directories().contains(folder) && QFileInfo(folder).isDir())
        watcher_->addPath(folder);
    if (!watcher_->files().contains(filePath_) && QFileInfo(filePath_).isFile())
        watcher_->addPath(filePath_);
}

} // namespace orbitdeck

#include "engine/storage/settings_store.h"

#include "engine/base/engine_log.h"
#include "engine/storage/file_system.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSettings>
#include <algorithm>

namespace {
const QString organisationAndApplication = QStringLiteral("Zentrav");

// A value as a fresh read gives it back: the INI form keeps bytes as bytes and every other
// value as text.
bool readsBackAs(const QVariant& read, const QVariant& written) {
    if (read.typeId() == QMetaType::QByteArray || written.typeId() == QMetaType::QByteArray)
        return read.typeId() == written.typeId() && read == written;
    return read.toString() == written.toString();
}

bool writeValues(const QString& path, const QVariantMap& values) {
    // QSettings writes nothing when there is nothing to write, and no values is an empty file.
    if (QFile empty(path);
        !QDir().mkpath(QFileInfo(path).path()) || !empty.open(QIODevice::WriteOnly))
        return false;
    QSettings written(path, QSettings::NativeFormat);
    for (auto value = values.cbegin(); value != values.cend(); ++value)
        written.setValue(value.key(), *value);
    written.sync();
    return written.status() == QSettings::NoError;
}

bool readsBack(const QString& path, const QVariantMap& values) {
    const QSettings readBack(path, QSettings::NativeFormat);
    const QStringList keys = readBack.allKeys();
    return readBack.status() == QSettings::NoError && keys.size() == values.size() &&
           std::all_of(keys.cbegin(), keys.cend(), [&](const QString& key) {
               return values.contains(key) && readsBackAs(readBack.value(key), values.value(key));
           });
}
} // namespace

QSettingsStore::QSettingsStore(std::shared_ptr<FileSystem> files,
                               std::chrono::milliseconds retryPeriod)
    : files_(std::move(files)),
      path_(QSettings(QSettings::NativeFormat, QSettings::UserScope, organisationAndApplication,
                      organisationAndApplication)
                .fileName()) {
    retryTimer_.setInterval(retryPeriod);
    QObject::connect(&retryTimer_, &QTimer::timeout, [this] { save(); });
}

// The last try, at quit.
QSettingsStore::~QSettingsStore() {
    if (!unsaved_.isEmpty())
        save();
}

QVariant QSettingsStore::value(const QString& key) const {
    if (const auto change = unsaved_.constFind(key); change != unsaved_.cend())
        return *change;
    return QSettings(path_, QSettings::NativeFormat).value(key);
}

Result<void> QSettingsStore::setValue(const QString& key, const QVariant& value) {
    unsaved_.insert(key, value);
    return save();
}

Result<void> QSettingsStore::remove(const QString& key) {
    unsaved_.insert(key, QVariant());
    return save();
}

Result<void> QSettingsStore::save() {
    const Result<void> written = writeFile();
    if (written) {
        unsaved_.clear();
        retryTimer_.stop();
        return written;
    }
    // Said once per failure, not once per try.
    if (retryTimer_.isActive())
        return written;
    qCWarning(engineLog).noquote() << "Settings not saved:" << written.error().reason;
    // Without an event loop (a command-line run) the store's end is the one try left.
    if (QCoreApplication::instance())
        retryTimer_.start();
    return written;
}

Result<void> QSettingsStore::writeFile() const {
    // Through a link the file itself is replaced, as QSettings would do.
    const QString target = QFileInfo::exists(path_) ? QFileInfo(path_).canonicalFilePath() : path_;
    const QSettings current(target, QSettings::NativeFormat);
    if (current.status() != QSettings::NoError)
        return Error{QStringLiteral("cannot read %1").arg(target)};
    QVariantMap values;
    for (const QString& key : current.allKeys())
        values.insert(key, current.value(key));
    for (auto change = unsaved_.cbegin(); change != unsaved_.cend(); ++change) {
        if (change->isValid())
            values.insert(change.key(), *change);
        else
            values.remove(change.key());
    }

    // QSettings rereads a file only when its size or time differ from what it wrote, so the
    // new file is read back under a name it has never seen: only then does a cut show.
    const QString written = target + QStringLiteral(".new");
    const QString checked =
        QStringLiteral("%1.%2.new")
            .arg(target)
            .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    if (!writeValues(written, values) || !files_->rename(written, checked) ||
        !readsBack(checked, values)) {
        QFile::remove(written);
        QFile::remove(checked);
        return Error{QStringLiteral("%1 could not be written whole").arg(target)};
    }
    if (QFileInfo::exists(target))
        QFile::setPermissions(checked, QFile::permissions(target));
    Result<void> replaced = files_->sync(checked);
    if (replaced)
        replaced = files_->rename(checked, target);
    if (!replaced) {
        QFile::remove(checked);
        return replaced.error().during(QStringLiteral("cannot replace ") + target);
    }
    return files_->syncFolder(folderOf(target));
}

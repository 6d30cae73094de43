#include "app/settings_store.h"

#include "app/kept_windows.h"
#include "app/quiet_dialogs.h"
#include "base/dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTimer>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace brisomar {

namespace {

std::string text(const QString& s) {
    return s.toStdString();
}

// A value the sailor typed in by hand with commas, which QSettings reads as a list, is taken as
// the text it was.
std::string valueText(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList)
        return text(value.toStringList().join(QLatin1Char(',')));
    return text(value.toString());
}

// Nothing when the file is not INI as QSettings reads it.
std::optional<SettingsValues> readValues(const QString& path) {
    QSettings settings(path, QSettings::IniFormat);
    SettingsValues values;
    for (const QString& key : settings.allKeys())
        values[text(key)] = valueText(settings.value(key));
    if (settings.status() != QSettings::NoError)
        return std::nullopt;
    return values;
}

// A renamed file reaches the disk with its folder.
bool syncFolder(const QString& folder) {
    const int descriptor = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (descriptor < 0)
        return false;
    const bool synced = ::fsync(descriptor) == 0;
    ::close(descriptor);
    return synced;
}

// Boxes stay silent while it lasts.
class Silence {
public:
    explicit Silence(QuietableDialogs* dialogs) : dialogs_(dialogs) {
        if (dialogs_)
            dialogs_->quiet = true;
    }
    ~Silence() {
        if (dialogs_)
            dialogs_->quiet = false;
    }
    Silence(const Silence&) = delete;
    Silence& operator=(const Silence&) = delete;

private:
    QuietableDialogs* dialogs_;
};

// QSettings locks the settings file while it writes it, with a lock file beside it. One left by a
// navigator that was killed would hold each write, and the window with it, up for half a minute
// while it seems held: by this very process when its number came round again after a restart, or
// from another machine. Only a lock that another live process of this machine holds is kept.
void takeOverLeftLock(FileSystem& files, const QString& settingsPath) {
    const QString lockPath = settingsPath + QStringLiteral(".lock");
    if (!files.exists(text(lockPath)))
        return;
    QLockFile lock(lockPath);
    qint64 holder = 0;
    QString host, program;
    const bool heldBeside = readableKeptFile(files, text(lockPath)) &&
                            lock.getLockInfo(&holder, &host, &program) &&
                            host == QSysInfo::machineHostName() &&
                            holder != QCoreApplication::applicationPid() && ::kill(holder, 0) == 0;
    if (!heldBeside)
        lock.removeStaleLockFile();
}

} // namespace

QString settingsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + QLatin1String(settingsFolderName);
}

SettingsStore::SettingsStore(UiContext& context, const QString& folder, bool demo)
    : context_(context), folder_(folder),
      valuesPath_(QDir(folder).filePath(QString::fromStdString(settingsFileName(demo)))),
      routePath_(QDir(folder).filePath(QString::fromStdString(routeFileName(demo)))) {
    Timer1 = new QTimer(this);
    Timer1->setInterval(tickIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &SettingsStore::Timer1Timer);
}

std::optional<KeptSettings> SettingsStore::read(std::string& notice) {
    FileSystem& files = context_.files;
    if (!QFileInfo::exists(valuesPath_))
        return std::nullopt;
    const auto values =
        readableKeptFile(files, text(valuesPath_)) ? readValues(valuesPath_) : std::nullopt;
    if (!values || !readableSettings(*values)) {
        putAside(valuesPath_, notice);
        return std::nullopt;
    }
    KeptSettings kept = keptSettingsFrom(*values);
    const bool routeKept = QFileInfo::exists(routePath_);
    std::string error;
    const auto route = routeKept && readableKeptFile(files, text(routePath_))
                           ? files.read(text(routePath_), 0, waypointFileSize + 1, error)
                           : std::nullopt;
    if (route && route->size() == waypointFileSize) {
        kept.route.entries = *route;
    } else {
        if (routeKept)
            putAside(routePath_, notice);
        kept.route = KeptRoute{};
    }
    return kept;
}

void SettingsStore::putAside(const QString& path, std::string& notice) {
    const SetAside done = setAside(context_.files, text(path));
    if (done.aside.empty())
        leftInPlace_.insert(path);
    notice += (notice.empty() ? "" : "\n") + done.notice;
}

void SettingsStore::keep() {
    takeOverLeftLock(context_.files, valuesPath_);
    keeper_.emplace(gatherKept(context_));
    Timer1->start();
}

// The route goes first: the settings file counts its waypoints.
void SettingsStore::Timer1Timer() {
    const SettingsWrite change = keeper_->changes(gatherKept(context_));
    if (change.empty())
        return;
    QDir().mkpath(folder_);
    SettingsWrite done;
    std::string error;
    QString failed;
    // A damaged file that could not be set aside is kept as it is, as if written.
    if (change.route) {
        if (leftInPlace_.contains(routePath_) ||
            context_.files.replace(text(routePath_), *change.route, error))
            done.route = change.route;
        else
            failed = routePath_;
    }
    if (change.values && failed.isEmpty()) {
        if (leftInPlace_.contains(valuesPath_) || writeValues(*change.values, error))
            done.values = change.values;
        else
            failed = valuesPath_;
    }
    keeper_->written(done);
    if (failed.isEmpty()) {
        failureShown_ = false;
    } else if (!failureShown_) {
        failureShown_ = true;
        context_.dialogs.warning(QString::fromStdString(settingsWriteFailure(text(failed), error)));
    }
}

// QSettings writes a temporary file, syncs it to the disk and renames it over the file.
bool SettingsStore::writeValues(const SettingsValues& values, std::string& error) {
    QSettings settings(valuesPath_, QSettings::IniFormat);
    settings.setAtomicSyncRequired(true);
    settings.clear();
    for (const auto& [key, value] : values)
        settings.setValue(QString::fromStdString(key), QString::fromStdString(value));
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        error = settings.status() == QSettings::AccessError ? "the file cannot be written"
                                                            : "the file is not in INI format";
        return false;
    }
    if (!syncFolder(folder_)) {
        error = "its folder cannot be synced to the disk";
        return false;
    }
    return true;
}

std::string restoreAndKeep(SettingsStore& store, UiContext& context, bool fresh,
                           QuietableDialogs* quiet) {
    std::string notice;
    if (!fresh) {
        if (const auto kept = store.read(notice)) {
            const Silence silence(quiet);
            restoreKept(context, *kept);
        }
    }
    store.keep();
    return notice;
}

} // namespace brisomar

#include "app/settings_store.h"

#include "app/kept_windows.h"
#include "app/quiet_dialogs.h"
#include "base/dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

#include <fcntl.h>
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

void setAside(const QString& path) {
    const QString aside = QString::fromStdString(setAsideName(text(path)));
    QFile::remove(aside);
    QFile::rename(path, aside);
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
    if (!QFileInfo::exists(valuesPath_))
        return std::nullopt;
    const auto values = readValues(valuesPath_);
    if (!values || !readableSettings(*values)) {
        setAside(valuesPath_);
        notice = setAsideNotice(text(valuesPath_));
        return std::nullopt;
    }
    KeptSettings kept = keptSettingsFrom(*values);
    std::string error;
    const auto route = QFileInfo::exists(routePath_)
                           ? context_.files.read(text(routePath_), 0, waypointFileSize + 1, error)
                           : std::nullopt;
    if (route && route->size() == waypointFileSize) {
        kept.route.entries = *route;
    } else {
        if (QFileInfo::exists(routePath_)) {
            setAside(routePath_);
            notice = setAsideNotice(text(routePath_));
        }
        kept.route = KeptRoute{};
    }
    return kept;
}

void SettingsStore::keep() {
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
    if (change.route) {
        if (context_.files.replace(text(routePath_), *change.route, error))
            done.route = change.route;
        else
            failed = routePath_;
    }
    if (change.values && failed.isEmpty()) {
        if (writeValues(*change.values, error))
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

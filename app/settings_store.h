#pragma once

#include "app/settings_keeper.h"
#include "app/window_registry.h"

#include <QObject>
#include <QSet>
#include <QString>

#include <optional>
#include <string>

class QTimer;

namespace brisomar {

class QuietableDialogs;

// The user's folder of kept settings: "brisomar" in $XDG_CONFIG_HOME (else ~/.config).
QString settingsFolder();

// The kept settings on disk: the settings file through QSettings in INI format, the route beside
// it in a .WAY file. Once keeping, a tick twice a second writes what changed, so a change is on
// the disk within a second; each file is replaced whole (a temporary file synced to the disk and
// renamed over it, then the folder synced), so a kill or a power cut leaves the old file or the
// new one.
class SettingsStore : public QObject {
    Q_OBJECT

public:
    static constexpr int tickIntervalMs = 500;

    SettingsStore(UiContext& context, const QString& folder, bool demo);

    const QString& valuesPath() const { return valuesPath_; }
    const QString& routePath() const { return routePath_; }

    // What was kept, or nothing when there is no settings file. A kept file that cannot be read
    // (not a regular file, larger than any the navigator writes, or damaged) is set aside beside
    // earlier copies, or left where it was and never written over when it cannot be moved;
    // `notice` then says which, and an unreadable settings file gives nothing.
    std::optional<KeptSettings> read(std::string& notice);

    // From now on every change is written; the program's state now is taken as written. A lock
    // left on the settings file by a navigator that was killed is taken over first.
    void keep();
    void Timer1Timer();

    QTimer* Timer1 = nullptr;

private:
    bool writeValues(const SettingsValues& values, std::string& error);
    void putAside(const QString& path, std::string& notice);

    UiContext& context_;
    QString folder_, valuesPath_, routePath_;
    std::optional<SettingsKeeper> keeper_;
    QSet<QString> leftInPlace_; // kept files that could not be read nor set aside
    bool failureShown_ = false;
};

// The start, once the windows are created: unless `fresh`, what the store kept is restored, with
// `quiet` silencing boxes meanwhile; then every change is kept. Gives what is to be said about
// files set aside, or an empty text.
std::string restoreAndKeep(SettingsStore& store, UiContext& context, bool fresh,
                           QuietableDialogs* quiet = nullptr);

} // namespace brisomar

#include "app/settings_keeper.h"

#include <algorithm>

namespace brisomar {

StartOptions startOptions(const std::vector<std::string>& arguments) {
    const auto given = [&arguments](const char* option) {
        return std::find(arguments.begin(), arguments.end(), option) != arguments.end();
    };
    return {given("--demo"), given("--fresh"), given("--help") || given("-h"), given("--version")};
}

std::string settingsFileName(bool demo) {
    return demo ? "brisomar-demo.ini" : "brisomar.ini";
}

std::string routeFileName(bool demo) {
    return demo ? "brisomar-demo.WAY" : "brisomar.WAY";
}

bool readableKeptFile(FileSystem& files, const std::string& path) {
    std::string error;
    const auto size = files.size(path, error);
    return size && *size <= largestKeptFile;
}

std::string setAsideName(const std::string& path, int copy) {
    return path + ".bad" + (copy == 0 ? std::string() : "." + std::to_string(copy));
}

SetAside setAside(FileSystem& files, const std::string& path) {
    std::string error;
    for (int copy = 0; copy < mostSetAsideCopies; ++copy) {
        const std::string aside = setAsideName(path, copy);
        if (files.renameNew(path, aside, error))
            return {aside, setAsideNotice(path, aside)};
        if (error != nameTakenReason)
            break;
    }
    return {{}, leftInPlaceNotice(path, error)};
}

std::string setAsideNotice(const std::string& path, const std::string& aside) {
    return "The kept settings in " + path + " could not be read. They were set aside as " + aside +
           " and the navigator starts with its defaults.";
}

std::string leftInPlaceNotice(const std::string& path, const std::string& reason) {
    return "The kept settings in " + path + " could not be read, nor set aside (" + reason +
           "). The file was left where it was: the navigator starts with its defaults and does "
           "not write over it.";
}

std::string settingsWriteFailure(const std::string& path, const std::string& reason) {
    return "The settings could not be kept in " + path + ": " + reason +
           ". The navigator keeps trying.";
}

SettingsKeeper::SettingsKeeper(const KeptSettings& atStart)
    : values_(keptValues(atStart)), print_(keptPrint(atStart)), route_(atStart.route.entries) {}

SettingsWrite SettingsKeeper::changes(const KeptSettings& now) {
    SettingsWrite write;
    nowPrint_ = keptPrint(now);
    std::optional<SettingsValues> values;
    bool valuesChanged = false;
    if (nowPrint_ != print_) {
        values = keptValues(now);
        valuesChanged = *values != values_;
        if (!valuesChanged)
            print_ = nowPrint_; // the same texts: the next ticks take the quick way
    }
    const bool routeChanged = now.route.entries != route_;
    if (!valuesChanged && !routeChanged)
        return write;
    if (valuesChanged || !valuesWritten_)
        write.values = values ? std::move(*values) : keptValues(now);
    if (routeChanged || !routeWritten_)
        write.route = now.route.entries;
    return write;
}

void SettingsKeeper::written(const SettingsWrite& done) {
    if (done.values) {
        values_ = *done.values;
        print_ = nowPrint_;
        valuesWritten_ = true;
    }
    if (done.route) {
        route_ = *done.route;
        routeWritten_ = true;
    }
}

} // namespace brisomar

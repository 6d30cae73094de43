#pragma once

#include "alarms/Vimolarm.h"
#include "app/Vimomain.h"
#include "app/program.h"
#include "app/window_registry.h"
#include "base/beeper.h"
#include "base/clock.h"
#include "base/dialogs.h"
#include "base/file_system.h"
#include "base/help.h"
#include "charts/qt_chart_printer.h"
#include "fake_clock.h"
#include "input/TaskIcon.h"
#include "input/Vimocom.h"
#include "input/qt_network_output.h"
#include "input/serial_device.h"
#include "records/Vimolog.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <deque>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace brisomar::testing {

// A message box as the sailor sees it: its kind (the icon and the buttons) and its text.
enum class BoxKind { Message, Warning, Information, Question, InformationYesNo, AbortRetry };
struct Box {
    BoxKind kind;
    QString text;
    bool operator==(const Box&) const = default;
};
using Boxes = std::vector<Box>;

// A failed comparison names the kind of each box with its text.
inline void PrintTo(const Box& box, std::ostream* out) {
    static constexpr const char* names[] = {"Message",  "Warning",          "Information",
                                            "Question", "InformationYesNo", "AbortRetry"};
    *out << names[static_cast<int>(box.kind)] << " \"" << box.text.toStdString() << '"';
}

// Records every box shown, its kind with its text (and the details), and answers questions from
// a script; when it runs out, Yes to Yes/No and Abort to Abort/Retry. A `modal` box runs the
// events waiting, as a real box's own event loop does while it is shown.
class ScriptedDialogs : public Dialogs {
public:
    void showMessage(const QString& text) override { show({BoxKind::Message, text}); }
    void warning(const QString& text) override { show({BoxKind::Warning, text}); }
    void information(const QString& text) override { show({BoxKind::Information, text}); }
    Answer confirmYesNo(const QString& text) override {
        show({BoxKind::Question, text});
        return next(Answer::Yes);
    }
    Answer informationYesNo(const QString& text) override {
        show({BoxKind::InformationYesNo, text});
        return next(Answer::Yes);
    }
    Answer abortRetry(const QString& text, const QString& detail) override {
        details << detail;
        show({BoxKind::AbortRetry, text});
        return next(Answer::Abort);
    }
    std::optional<QString> openFileName(const FileChoice& choice) override {
        return nextFile(choice);
    }
    std::optional<QString> saveFileName(const FileChoice& choice, bool) override {
        return nextFile(choice);
    }
    Boxes shown;
    QStringList details;
    std::deque<Answer> answers;
    std::deque<QString> files;    // the paths the sailor chooses; cancelled when none is left
    QStringList fileDialogTitles; // every file dialog opened
    bool modal = false;

private:
    void show(Box box) {
        shown.push_back(std::move(box));
        if (modal)
            QCoreApplication::processEvents();
    }
    std::optional<QString> nextFile(const FileChoice& choice) {
        fileDialogTitles << choice.title;
        if (files.empty())
            return std::nullopt;
        const QString path = files.front();
        files.pop_front();
        return path;
    }
    Answer next(Answer whenScriptEnds) {
        if (answers.empty())
            return whenScriptEnds;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
};

class CountingBeeper : public Beeper {
public:
    void asteriskBeep() override { ++count; }
    int count = 0;
};

class RecordingHelp : public Help {
public:
    void showContext(int context) override { contexts.push_back(context); }
    std::vector<int> contexts;
};

// A serial device that holds bytes handed to it by the test; it opens only the paths listed
// in `openable` (and throws for "/dev/faulty"), so no test ever touches a real port.
class FakeSerialDevice : public SerialDevice {
public:
    struct Shared {
        std::vector<std::string> openable;
        std::vector<std::string> opened; // every successful open, in order
        std::vector<LineSettings> settings;
        int purges = 0;
    };
    explicit FakeSerialDevice(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}

    bool open(const std::string& path, const LineSettings& settings, std::string& reason) override {
        if (path == "/dev/faulty")
            throw std::runtime_error("driver fault");
        if (std::find(shared_->openable.begin(), shared_->openable.end(), path) ==
            shared_->openable.end()) {
            reason = "Device " + path + ": No such file or directory";
            return false;
        }
        open_ = true;
        shared_->opened.push_back(path);
        shared_->settings.push_back(settings);
        return true;
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    std::size_t bytesWaiting() override { return open_ ? waiting.size() : 0; }
    std::string read(std::size_t count) override {
        std::string taken = waiting.substr(0, count);
        waiting.erase(0, count);
        return taken;
    }
    void purge() override {
        waiting.clear();
        ++shared_->purges;
    }
    void write(std::string_view bytes) override { written += bytes; }
    std::string waiting, written;

private:
    std::shared_ptr<Shared> shared_;
    bool open_ = false;
};

// A notification area that takes or refuses icons as the test says.
class FakeTrayShell : public TrayShell {
public:
    struct Shared {
        bool available = true;
        int adds = 0, removes = 0;
        bool shown = false;
        QString tip;
    };
    explicit FakeTrayShell(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}
    bool add(const QIcon&, const QString& tip) override {
        if (!shared_->available)
            return false;
        ++shared_->adds;
        shared_->shown = true;
        shared_->tip = tip;
        return true;
    }
    bool modify(const QIcon&, const QString& tip) override {
        shared_->tip = tip;
        return shared_->available;
    }
    bool remove() override {
        ++shared_->removes;
        shared_->shown = false;
        return true;
    }

private:
    std::shared_ptr<Shared> shared_;
};

// The mouse moving over a widget without a button held.
inline void moveMouseOver(QWidget* widget) {
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

// A program with fake seams and its windows, as main builds them.
struct UiFixture {
    Program program;
    FakeClock clock;
    ScriptedDialogs dialogs;
    CountingBeeper beeper;
    RecordingHelp help;
    std::shared_ptr<FakeSerialDevice::Shared> serial = std::make_shared<FakeSerialDevice::Shared>();
    std::vector<FakeSerialDevice*> devices; // in the order the windows made them
    std::shared_ptr<FakeTrayShell::Shared> tray = std::make_shared<FakeTrayShell::Shared>();
    StdFileSystem files; // tests work in folders of their own
    UiContext context{program.parts(),
                      clock,
                      dialogs,
                      beeper,
                      help,
                      files,
                      {[this] {
                           auto device = std::make_unique<FakeSerialDevice>(serial);
                           devices.push_back(device.get());
                           return device;
                       },
                       [this] { return std::make_unique<FakeTrayShell>(tray); },
                       [](QString&) { return std::make_unique<QtChartPrinter>(); },
                       {}, // a test that imports charts sets its raster library
                       [](std::string&) { return std::make_unique<QtNetworkOutput>(); }},
                      {}};
    WatchEngine engine{program.watchParts(), files};

    // Runs one step of the watch now, as the program's timer does when it falls due; the
    // sentences go to the communication window's ports once it is made.
    void watch(WatchStep step) {
        engine.setSink(context.windows.comDlg);
        engine.run(step, readClock(clock));
    }

    // A step of the watch and the window that shows it, as their timers run them.
    void communicationTick() {
        watch(WatchStep::Reception);
        watch(WatchStep::Output);
        if (TVimoComDlg* com = context.windows.comDlg)
            com->Timer1Timer();
    }
    void mainTick() {
        watch(WatchStep::Main);
        if (TVimoMainDlg* main = context.windows.mainDlg)
            main->Timer1Timer();
    }
    void alarmTick() {
        watch(WatchStep::Alarms);
        if (TVimoLarmDlg* alarms = context.windows.larmDlg)
            alarms->Timer1Timer();
    }
    void logTick() {
        watch(WatchStep::Log);
        if (TVimoLogDlg* log = context.windows.logDlg)
            log->LogTimerTimer();
    }
};

} // namespace brisomar::testing

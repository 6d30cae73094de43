#pragma once

#include "app/beeper.h"
#include "app/clock.h"
#include "app/dialogs.h"
#include "app/help.h"
#include "app/program.h"
#include "app/window_registry.h"

#include <QStringList>

#include <deque>

namespace brisomar::testing {

class FakeClock : public Clock {
public:
    LocalDateTime now() const override { return time; }
    LocalDateTime time{2026, 12, 7, 12, 0, 0, 0};
};

// Records every message shown and answers confirmations from a script (Yes when it runs out).
class ScriptedDialogs : public Dialogs {
public:
    void showMessage(const QString& text) override { shown << text; }
    Answer confirmYesNo(const QString& text) override {
        shown << text;
        if (answers.empty())
            return Answer::Yes;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    QStringList shown;
    std::deque<Answer> answers;
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

// A program with fake seams and its windows, as main builds them.
struct UiFixture {
    Program program;
    FakeClock clock;
    ScriptedDialogs dialogs;
    CountingBeeper beeper;
    RecordingHelp help;
    UiContext context{program, clock, dialogs, beeper, help, {}};
};

} // namespace brisomar::testing

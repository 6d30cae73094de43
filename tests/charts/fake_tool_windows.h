#pragma once

#include "charts/mouse_tools.h"

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace brisomar::testing {

// Tool windows that are only a set of open windows and a record of what they were asked to show.
class FakeToolWindows : public ChartToolWindows {
public:
    bool visible(ToolWindow window) const override { return open.contains(window); }
    void showToolWindow(ToolWindow window) override { open.insert(window); }
    void hideToolWindow(ToolWindow window) override { open.erase(window); }
    void showMeasureThis(ToolWindow window, const std::string& text) override {
        measureThis[window] = text;
    }
    void accumulate(ToolWindow window) override { accumulated.push_back(window); }
    void showGeoDir(Real48 course) override { geoDir = course; }
    void showMousePosition(const std::string& text) override { mousePosition = text; }
    void ShowWaypoint(int n) override { shownWaypoints.push_back(n); }
    void showCruisePoint(const CruisePointFigures& figures) override { cruisePoint = figures; }
    void information(const std::string& text) override { messages.push_back(text); }
    // Yes unless an answer is queued.
    bool askYesNo(const std::string& text) override {
        messages.push_back(text);
        if (answers.empty())
            return true;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    void showDetail() override {
        open.insert(ToolWindow::Detail);
        ++detailPaints;
    }
    void eraseDetailPosition() override { ++detailErasures; }

    std::set<ToolWindow> open;
    std::map<ToolWindow, std::string> measureThis;
    std::vector<ToolWindow> accumulated;
    std::optional<Real48> geoDir;
    std::string mousePosition;
    std::vector<int> shownWaypoints;
    std::optional<CruisePointFigures> cruisePoint;
    std::vector<std::string> messages;
    std::deque<bool> answers;
    int detailPaints = 0;
    int detailErasures = 0;
};

} // namespace brisomar::testing

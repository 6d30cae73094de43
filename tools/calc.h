#pragma once

#include "navcalc/boat_tables.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

namespace brisomar::tool {

// One answer of the batch calculator: the output line and whether it reports a failure.
struct CalcAnswer {
    std::string line;
    bool failed = false;
};

// Evaluates input lines "Function<TAB>arg<TAB>arg..." with the program's own routines. A session
// remembers the chart of the last UseMap for the chart conversions that follow.
class CalcSession {
public:
    CalcSession();
    ~CalcSession();
    CalcAnswer line(std::string_view line);
    // Boat tables instead of the built-in defaults.
    void useTables(const BoatTables& tables);

    struct State; // what the session remembers between lines

private:
    std::unique_ptr<State> state_;
};

// Every function, one a line with its arguments as a line of input has them:
// "DistanceNm<TAB>lat1<TAB>lon1<TAB>lat2<TAB>lon2".
std::string functionList();

// One line on a fresh session.
CalcAnswer calcLine(std::string_view line);

// Answers every line of `in` on `out`; returns the exit status (1 when any line failed).
int runCalc(std::istream& in, std::ostream& out, CalcSession& session);

} // namespace brisomar::tool

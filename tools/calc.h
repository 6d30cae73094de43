#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace brisomar::tool {

// One answer of the batch calculator: the output line and whether it reports a failure.
struct CalcAnswer {
    std::string line;
    bool failed = false;
};

// Evaluates one input line "Function<TAB>arg<TAB>arg..." with the program's own routines.
CalcAnswer calcLine(std::string_view line);

// Answers every line of `in` on `out`; returns the exit status (1 when any line failed).
int runCalc(std::istream& in, std::ostream& out);

} // namespace brisomar::tool

// brisomar-tool: the navigator's command-line companion.
#include "tools/calc.h"

#include <iostream>
#include <string_view>

namespace {

constexpr std::string_view usage = R"(Usage: brisomar-tool COMMAND

Commands:
  calc    read "Function<TAB>argument..." lines on standard input and write one answer line
          for each, computed with the navigator's own routines; exits 1 if any line failed
  --help  show this text
)";

} // namespace

int main(int argc, char** argv) {
    const std::string_view command = argc > 1 ? argv[1] : "";
    if (command == "calc" && argc == 2)
        return brisomar::tool::runCalc(std::cin, std::cout);
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << usage;
        return 0;
    }
    std::cerr << usage;
    return 2;
}

// brisomar-tool: the navigator's command-line companion.
#include "app/file_system.h"
#include "navcalc/boat_tables.h"
#include "tools/calc.h"

#include <iostream>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view usage = R"(Usage: brisomar-tool COMMAND

Commands:
  calc [--speed FILE.SPE] [--leeway FILE.LEE]
          read "Function<TAB>argument..." lines on standard input and write one answer line
          for each, computed with the navigator's own routines; exits 1 if any line failed.
          The boat tables are the built-in defaults unless files are given.
  --help  show this text
)";

// Loads a boat table named on the command line; false (with a message) when it cannot.
bool loadTable(const std::string& path, std::string_view extension, brisomar::BoatTable& table) {
    brisomar::StdFileSystem files;
    if (brisomar::loadBoatTable(files, path, extension, table) == brisomar::BoatFileResult::Done)
        return true;
    std::cerr << "brisomar-tool: cannot read the " << extension << " file " << path << '\n';
    return false;
}

int calc(int argc, char** argv) {
    brisomar::BoatTables tables{brisomar::defaultSpeedTable(), brisomar::defaultLeewayTable()};
    for (int i = 2; i < argc; i += 2) {
        const std::string_view option = argv[i];
        if (i + 1 >= argc || (option != "--speed" && option != "--leeway")) {
            std::cerr << usage;
            return 2;
        }
        const bool speed = option == "--speed";
        if (!loadTable(argv[i + 1], speed ? ".SPE" : ".LEE",
                       speed ? tables.SpeedTable : tables.LeewayTable))
            return 2;
    }
    brisomar::tool::CalcSession session;
    session.useTables(tables);
    return brisomar::tool::runCalc(std::cin, std::cout, session);
}

} // namespace

int main(int argc, char** argv) {
    const std::string_view command = argc > 1 ? argv[1] : "";
    if (command == "calc")
        return calc(argc, argv);
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << usage;
        return 0;
    }
    std::cerr << usage;
    return 2;
}

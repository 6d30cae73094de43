// brisomar-tool: the navigator's command-line companion.
#include "base/file_system.h"
#include "base/number_text.h"
#include "base/version.h"
#include "charts/gdal_raster_library.h"
#include "navcalc/boat_tables.h"
#include "tools/ais_decode.h"
#include "tools/calc.h"
#include "tools/chart_command.h"
#include "tools/convert.h"
#include "tools/info.h"
#include "tools/nmea_check.h"
#include "tools/nmea_replay.h"
#include "tools/nmea_route.h"
#include "tools/tool_files.h"

#include <algorithm>
#include <initializer_list>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view usage = R"(Usage: brisomar-tool COMMAND

Commands:
  calc [--speed FILE.SPE] [--leeway FILE.LEE]
          read "Function<TAB>argument..." lines on standard input and write one answer line
          for each, computed with the navigator's own routines; exits 1 if any line failed.
          The boat tables are the built-in defaults unless files are given.
  calc --list
          list the functions, each with its arguments as an input line has them.
  info FILE
          describe a .MAP, .LOG, .WAY, .SPE or .LEE file: positions as the navigator shows
          them, numbers in plain decimal.
  convert IN OUT [--force]
          convert between the navigator's files and common formats, chosen by the two
          extensions (any case):
            .WAY <-> .gpx   a GPX 1.1 route; reading a .gpx takes its first <rte> (at most 100
                            points) and computes each leg's distance and course, minutes 0
            .WAY <-> .csv   number,latitude,longitude,distance_nm,course,minutes (the rows
                            are taken in their order, whatever their numbers)
            .LOG  -> .gpx   a GPX 1.1 track: time (UTC), the text as name, course and speed
            .LOG  -> .csv   record,date_time_local,latitude,longitude,course,speed_kn,text
            .SPE <-> .csv   the boat speed grid (wind forces across, wind angles down)
            .LEE <-> .csv   the leeway grid, the same way
            .MAP <-> .json  {"records": [{"record", "fileName", "infoText", "calLat",
                            "calLon", "calRow", "calCol"}, ...]} with the map file's own
                            numbers (longitude west positive); fewer than 25 records may be
                            given, the others are left empty
          GPX and CSV positions are decimal degrees, latitude north positive and longitude
          EAST positive (the navigator itself counts longitude west positive). A log's local
          times become UTC by this machine's time zone. Numbers are written so that converting
          back gives the identical bytes. OUT is written whole or not at all; an existing OUT
          is replaced only with --force.
  nmea replay FILE (--device PATH | --pty) [--baud N | --fast]
          send the lines of a recorded NMEA file as they stand (checksums neither checked nor
          added), each ended with CR LF, paced at N baud (default 4800, 10 bits a byte) or at
          once with --fast.
  nmea sim (--device PATH [--baud N] | --pty) [--seconds N]
          send the navigator's simulated boat in real time: a fix (RMC) every second and a
          depth half a second later, for N seconds or until interrupted (Ctrl-C).
          --device PATH  a serial device (e.g. /dev/ttyUSB0), set raw at the baud rate
          --pty          a new pseudo-terminal: its name is printed as "pty: /dev/pts/N";
                         choose it as the port's device in the navigator's Comm window within
                         30 seconds; sending starts a second after the navigator opened it.
  nmea check FILE [--baud N] [--sentence TEXT] [--extended TEXT]
                  [--fields LAT,NS,LON,EW,SPEED,COURSE] [--extended-field N]
          run the navigator's own reception over a recorded NMEA file on a simulated clock,
          without a device and without waiting: the bytes arrive at N baud (default 4800, 10
          bits a byte), the port is read every 250 ms and the sentences are checked every
          200 ms, as the navigator does. --sentence and --extended are the GPS and extended
          sentence names (default GPRMC and PTTKD, "?" for any one character), --fields and
          --extended-field their field numbers (default 3,4,5,6,7,8 and 1; an empty number
          leaves that value unread), as set in the Comm window. "#" lines at the top of FILE
          are its header and skipped. Writes a line for each fix taken, a line for each
          extended value taken and a summary, the fields separated by tabs:
            fix       SECONDS  GpsLat  GpsLon  GpsSpeed  GpsCourse
            extended  SECONDS  VALUE
            summary   "sentences N"  "gps N"  "fixes N"  "rejected N [(REASON N, ...)]"
                      "longest-gap SECONDS"  ["seen NAME N, ..."]
          SECONDS count from the first byte; positions in degrees, longitude west positive;
          the longest gap is the longest time between two fixes taken (0 with fewer than two).
          Rejected are the sentences the navigator refuses, with the reasons that occurred:
          "checksum" (a "*hh" checksum that does not match: the sentence is dropped), "no
          fix" (RMC or GLL status V, GGA quality 0) and "out of range" (a latitude or
          longitude with a sign, 60 minutes or more, beyond 90 or 180 degrees). When the GPS
          sentence matched nothing, "seen" names the sentences that came, the most frequent
          first (at most ten).
  nmea route FILE.WAY --from LAT,LON --speed KN
          print the sentences the navigator sends an autopilot (RMB, APB, XTE) for the route's
          first leg with the boat at LAT,LON (decimal degrees, longitude EAST positive),
          heading for the first waypoint at KN knots, as if the route were started there.
  ais decode FILE
          decode the AIS sentences ("!AIVDM", "!AIVDO", any talker) of a recording as the
          navigator reads them, fragments put together, and write one JSON object a line for
          each message of types 1, 2, 3, 4, 5, 9, 14, 18, 19, 21, 24 and 27: "type", "mmsi",
          and those of these fields that the message has (a value the sender gives as not
          available is left out):
            lat, lon        degrees, north and east positive
            speed           knots; course: degrees true; heading: degrees true
            status          navigational status (1 at anchor, 5 moored, ...)
            turn            rate of turn as sent (-127 to 127)
            accuracy, off_position, virtual_aid   true or false
            second          the second of the minute of the report
            shipname, callsign, destination, name, text   texts without "@" and end blanks
            imo, shiptype, aid_type   numbers as sent
            to_bow, to_stern, to_port, to_starboard, draught, alt   metres
            eta             "MM-DDTHH:MM", UTC
          A line that does not decode is reported on standard error as "line N: REASON" and
          the rest goes on; exit status 1 when any did. Anything before the "!" on a line
          is skipped, and so are lines without one.
  chart import SOURCE... --map FILE.MAP [--dir DIR] [--record N]
          import georeferenced charts (BSB/KAP, GeoTIFF, PNG, JPEG, GIF or BMP with a world
          file, MBTiles, GeoPackage, JPEG 2000) into the first free records of FILE.MAP
          (from record N; the file is created when missing). A chart that is not north-up
          Mercator or latitude/longitude is warped to Mercator; each is cut into overlapping
          tiles below the 19000000-byte chart limit, written as 8-bit BMP files into DIR
          (default: beside the map file), each calibrated with up to seven points per axis;
          a chart across the 180° meridian becomes a chart on each side of it.
          Writes a line for each tile: record, bitmap, size, the largest error of its
          calibration against GDAL's transform in pixels and metres. A refused import leaves
          the map file as it was.
  --help  show this text
  --version
          show the version

Exit status: 0 done, 1 failed (the reason on standard error), 2 wrong usage.
)";

// Wrong use of the command line: the reason is shown, exit status 2.
struct UsageError {
    std::string reason;
};

// Loads a boat table named on the command line; false (with a message) when it cannot.
bool loadTable(const std::string& path, std::string_view extension, brisomar::BoatTable& table) {
    brisomar::StdFileSystem files;
    if (brisomar::loadBoatTable(files, path, extension, table) == brisomar::BoatFileResult::Done)
        return true;
    std::cerr << "brisomar-tool: cannot read the " << extension << " file " << path << '\n';
    return false;
}

int calc(int argc, char** argv) {
    if (argc == 3 && std::string_view(argv[2]) == "--list") {
        std::cout << brisomar::tool::functionList();
        return 0;
    }
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

// The command line after the command's name(s): options, and the other words in order.
struct Arguments {
    std::vector<std::string> words;
    bool force = false, pty = false, fast = false;
    std::optional<std::string> device;
    std::optional<int> baud, seconds, record;
    std::optional<std::string> map, dir, from, speed;
};

int positiveNumber(std::string_view option, const std::string& text) {
    try {
        std::size_t used = 0;
        const int value = std::stoi(text, &used);
        if (used == text.size() && value > 0)
            return value;
    } catch (const std::logic_error&) {
    }
    throw UsageError{std::string(option) + " needs a positive whole number, not '" + text + "'"};
}

void require(bool condition, const std::string& reason) {
    if (!condition)
        throw UsageError{reason};
}

bool isFlag(std::string_view option) {
    return option == "--force" || option == "--pty" || option == "--fast";
}

void setOption(Arguments& a, std::string_view option, const std::string& value) {
    if (option == "--force")
        a.force = true;
    else if (option == "--pty")
        a.pty = true;
    else if (option == "--fast")
        a.fast = true;
    else if (option == "--device")
        a.device = value;
    else if (option == "--baud")
        a.baud = positiveNumber(option, value);
    else if (option == "--map")
        a.map = value;
    else if (option == "--dir")
        a.dir = value;
    else if (option == "--record")
        a.record = positiveNumber(option, value);
    else if (option == "--from")
        a.from = value;
    else if (option == "--speed")
        a.speed = value;
    else
        a.seconds = positiveNumber(option, value);
}

// Reads the words from `first` on; options other than `accepted` are refused.
Arguments parseArguments(int argc, char** argv, int first,
                         std::initializer_list<std::string_view> accepted) {
    const std::string command = first == 2 ? argv[1] : std::string(argv[1]) + " " + argv[2];
    Arguments a;
    for (int i = first; i < argc; ++i) {
        const std::string_view word = argv[i];
        if (!word.starts_with("--")) {
            a.words.emplace_back(word);
            continue;
        }
        require(std::find(accepted.begin(), accepted.end(), word) != accepted.end(),
                command + " does not take " + std::string(word));
        require(isFlag(word) || i + 1 < argc, std::string(word) + " needs a value");
        setOption(a, word, isFlag(word) ? "" : argv[++i]);
    }
    return a;
}

void requireWords(const Arguments& a, std::size_t count) {
    require(a.words.size() == count, "expected " + std::to_string(count) + " file name" +
                                         (count == 1 ? "" : "s") + ", got " +
                                         std::to_string(a.words.size()));
}

brisomar::tool::NmeaTarget nmeaTarget(const Arguments& a) {
    require(a.pty != a.device.has_value(), "nmea needs either --device PATH or --pty");
    return {a.device.value_or(""), a.baud.value_or(4800)};
}

int info(int argc, char** argv) {
    const Arguments a = parseArguments(argc, argv, 2, {});
    requireWords(a, 1);
    brisomar::StdFileSystem files;
    brisomar::tool::fileInfo(files, a.words[0], std::cout);
    return 0;
}

int convert(int argc, char** argv) {
    const Arguments a = parseArguments(argc, argv, 2, {"--force"});
    requireWords(a, 2);
    brisomar::StdFileSystem files;
    brisomar::tool::convertFile(files, a.words[0], a.words[1], a.force);
    return 0;
}

int replay(int argc, char** argv) {
    const Arguments a = parseArguments(argc, argv, 3, {"--device", "--pty", "--baud", "--fast"});
    requireWords(a, 1);
    require(!(a.fast && a.baud), "replay takes --baud N or --fast, not both");
    brisomar::StdFileSystem files;
    brisomar::tool::SteadyPaceClock clock;
    brisomar::tool::replayFile(files, a.words[0], nmeaTarget(a), a.fast, std::cout, clock);
    return 0;
}

int simulate(int argc, char** argv) {
    const Arguments a = parseArguments(argc, argv, 3, {"--device", "--pty", "--baud", "--seconds"});
    requireWords(a, 0);
    brisomar::tool::SteadyPaceClock clock;
    brisomar::tool::runSimulator(nmeaTarget(a), a.seconds.value_or(-1), std::cout, clock);
    return 0;
}

int check(int argc, char** argv) {
    try {
        const auto options = brisomar::tool::parseCheckOptions({argv + 3, argv + argc});
        brisomar::StdFileSystem files;
        brisomar::tool::checkFile(files, options, std::cout);
        return 0;
    } catch (const brisomar::tool::CheckUsageError& e) {
        throw UsageError{e.what()};
    }
}

int route(int argc, char** argv) {
    const Arguments a = parseArguments(argc, argv, 3, {"--from", "--speed"});
    requireWords(a, 1);
    const auto from = brisomar::tool::readToolPosition(a.from.value_or(""));
    require(from.has_value(), "route needs --from LAT,LON in decimal degrees");
    const auto speed = brisomar::readNumber(a.speed.value_or(""));
    require(speed && *speed >= 0 && *speed < 100, "route needs --speed KN, 0 to 99 knots");
    brisomar::StdFileSystem files;
    std::cout << brisomar::tool::routeSentencesAt(files, a.words[0], *from, *speed);
    return 0;
}

int nmea(int argc, char** argv) {
    const std::string_view mode = argc > 2 ? argv[2] : "";
    if (mode == "replay")
        return replay(argc, argv);
    if (mode == "check")
        return check(argc, argv);
    if (mode == "route")
        return route(argc, argv);
    require(mode == "sim", "nmea needs replay, sim, check or route");
    return simulate(argc, argv);
}

int chart(int argc, char** argv) {
    require(argc > 2 && std::string_view(argv[2]) == "import", "chart needs import");
    const Arguments a = parseArguments(argc, argv, 3, {"--map", "--dir", "--record"});
    require(!a.words.empty(), "chart import needs at least one chart");
    require(a.map.has_value(), "chart import needs --map FILE.MAP");
    require(a.record.value_or(1) <= brisomar::mapRecordCount, "--record is 1 to 25");
    brisomar::StdFileSystem files;
    brisomar::GdalRasterLibrary library;
    brisomar::tool::importChartsCommand(
        files, library, {a.words, *a.map, a.dir.value_or(""), a.record.value_or(1)}, std::cout);
    return 0;
}

int ais(int argc, char** argv) {
    require(argc > 2 && std::string_view(argv[2]) == "decode", "ais needs decode");
    const Arguments a = parseArguments(argc, argv, 3, {});
    requireWords(a, 1);
    brisomar::StdFileSystem files;
    return brisomar::tool::decodeAisFile(files, a.words[0], std::cout, std::cerr) == 0 ? 0 : 1;
}

int run(int argc, char** argv) {
    const std::string_view command = argc > 1 ? argv[1] : "";
    if (command == "calc")
        return calc(argc, argv);
    if (command == "info")
        return info(argc, argv);
    if (command == "convert")
        return convert(argc, argv);
    if (command == "nmea")
        return nmea(argc, argv);
    if (command == "chart")
        return chart(argc, argv);
    if (command == "ais")
        return ais(argc, argv);
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << usage;
        return 0;
    }
    if (command == "--version") {
        std::cout << "brisomar-tool " << brisomar::programVersion() << '\n';
        return 0;
    }
    if (!command.empty())
        std::cerr << "brisomar-tool: unknown command '" << command << "'\n\n";
    std::cerr << usage;
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const UsageError& e) {
        std::cerr << "brisomar-tool: " << e.reason << " (brisomar-tool --help shows the usage)\n";
        return 2;
    } catch (const brisomar::tool::ToolError& e) {
        std::cerr << "brisomar-tool: " << e.what() << '\n';
        return 1;
    } catch (const std::bad_alloc&) {
        std::cerr << "brisomar-tool: not enough memory\n";
        return 1;
    } catch (const std::exception& e) { // whatever was missed ends in a message, never an abort
        std::cerr << "brisomar-tool: " << e.what() << '\n';
        return 1;
    }
}

#include "tools/csv_formats.h"

#include "tools/csv.h"
#include "tools/local_time.h"
#include "tools/tool_files.h"

namespace brisomar::tool {

namespace {

const CsvRow routeHeader = {"number", "latitude", "longitude", "distance_nm", "course", "minutes"};
const CsvRow logHeader = {"record", "date_time_local", "latitude", "longitude",
                          "course", "speed_kn",        "text"};

std::string rowName(std::size_t index) {
    return "row " + std::to_string(index + 1);
}

void requireFieldCount(const CsvRow& row, std::size_t index, std::size_t count) {
    if (row.size() != count)
        throw ToolError(rowName(index) + ": " + std::to_string(count) + " fields expected, " +
                        std::to_string(row.size()) + " found");
}

std::string headerText(const CsvRow& header) {
    std::string text = csvLine(header);
    text.pop_back();
    return text;
}

// The rows after a header that must be `header`, no more than one beyond `mostRows`.
std::vector<CsvRow> rowsAfterHeader(std::string_view text, const CsvRow& header,
                                    std::size_t mostRows) {
    std::vector<CsvRow> rows = parseCsv(text, mostRows);
    if (rows.empty() || rows.front() != header)
        throw ToolError("row 1: the header " + headerText(header) + " expected");
    for (std::size_t i = 1; i < rows.size(); ++i)
        requireFieldCount(rows[i], i, header.size());
    return rows;
}

TWaypoint waypointOf(const CsvRow& row, std::size_t index) {
    const auto field = [&](std::size_t column) {
        return rowName(index) + " " + routeHeader[column];
    };
    TWaypoint w;
    w.Lat = numberWithin(row[1], field(1), 90);
    w.Lon = flippedLongitude(numberWithin(row[2], field(2), 180));
    w.Dist = numberValue(row[3], field(3));
    w.Dir = numberValue(row[4], field(4));
    w.Minutes = numberValue(row[5], field(5));
    return w;
}

} // namespace

std::string routeToCsv(const WaypointRoute& route) {
    std::string text = csvLine(routeHeader);
    int number = 0;
    for (const TWaypoint& w : routeEntries(route))
        text += csvLine({std::to_string(++number), numberText(w.Lat),
                         numberText(flippedLongitude(w.Lon)), numberText(w.Dist), numberText(w.Dir),
                         numberText(w.Minutes)});
    return text;
}

WaypointRoute routeFromCsv(std::string_view text) {
    const std::vector<CsvRow> rows = rowsAfterHeader(text, routeHeader, mostRouteCsvRows);
    if (rows.size() > mostRouteCsvRows)
        throw tooManyRoutePoints("more than " + std::to_string(maxWaypoints));
    std::vector<TWaypoint> entries;
    for (std::size_t i = 1; i < rows.size(); ++i)
        entries.push_back(waypointOf(rows[i], i));
    return routeOf(entries);
}

std::string logToCsv(const std::vector<TLogRecord>& records) {
    std::string text = csvLine(logHeader);
    int number = 0;
    for (const TLogRecord& r : records)
        text += csvLine({std::to_string(++number), localTimeText(r.DateTime), numberText(r.Lat),
                         numberText(flippedLongitude(r.Lon)), numberText(r.Course),
                         numberText(r.Speed), r.Text});
    return text;
}

std::string tableToCsv(const BoatTable& table) {
    CsvRow header = {cornerHeading};
    for (int force = 1; force <= tableForces; ++force)
        header.push_back(forceHeading(force));
    std::string text = csvLine(header);
    for (int angle = 1; angle <= tableAngles; ++angle) {
        CsvRow row = {angleHeading(angle)};
        for (const auto& force : table)
            row.push_back(numberText(force[angle - 1]));
        text += csvLine(row);
    }
    return text;
}

BoatTable tableFromCsv(std::string_view text) {
    const std::vector<CsvRow> rows = parseCsv(text, mostTableCsvRows);
    if (rows.empty() || rows.front().empty() || rows.front().front() != cornerHeading)
        throw ToolError(std::string("row 1: ") + cornerHeading + " expected in the first field");
    if (rows.size() != mostTableCsvRows)
        throw ToolError(std::to_string(mostTableCsvRows) + " rows expected, " +
                        (rows.size() > mostTableCsvRows ? "more" : std::to_string(rows.size())) +
                        " found");
    BoatTable table;
    for (std::size_t i = 0; i < rows.size(); ++i)
        requireFieldCount(rows[i], i, tableForces + 1);
    for (int angle = 1; angle <= tableAngles; ++angle)
        for (int force = 1; force <= tableForces; ++force)
            table[force - 1][angle - 1] = numberValue(
                rows[angle][force], rowName(angle) + " field " + std::to_string(force + 1));
    return table;
}

} // namespace brisomar::tool

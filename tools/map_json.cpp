#include "tools/map_json.h"

#include "base/cp1252.h"
#include "base/number_text.h"
#include "tools/tool_files.h"

#include <nlohmann/json.hpp>

#include <array>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace brisomar::tool {

namespace {

using Json = nlohmann::ordered_json;
constexpr std::size_t maxTextBytes = 255;
constexpr std::size_t pointCount = 7;

// The double nearest the number's shortest text, which reads back as the same Real48.
double jsonNumber(Real48 value) {
    return static_cast<double>(*readNumber(numberText(value)));
}

template <typename Value, typename Convert>
Json jsonArray(const std::array<Value, pointCount>& values, Convert convert) {
    Json array = Json::array();
    for (const Value& value : values)
        array.push_back(convert(value));
    return array;
}

Json recordJson(const MapRecord& r, int number) {
    const auto same = [](std::int32_t value) { return value; };
    return Json{{"record", number},
                {"fileName", r.FileName},
                {"infoText", r.InfoText},
                {"calLat", jsonArray(r.CalLat, jsonNumber)},
                {"calLon", jsonArray(r.CalLon, jsonNumber)},
                {"calRow", jsonArray(r.CalRow, same)},
                {"calCol", jsonArray(r.CalCol, same)}};
}

[[noreturn]] void expected(const std::string& what, const char* kind) {
    throw ToolError(what + ": " + kind + " expected");
}

std::string stringOf(const Json& value, const std::string& what) {
    if (!value.is_string())
        expected(what, "a string");
    const auto text = value.get<std::string>();
    if (utf8ToCp1252(text).size() > maxTextBytes)
        throw ToolError(what + ": longer than " + std::to_string(maxTextBytes) + " characters");
    return text;
}

// The integer of a JSON number without a fraction, if it fits an int32.
std::optional<std::int32_t> int32Of(const Json& value) {
    constexpr auto low = std::numeric_limits<std::int32_t>::min();
    constexpr auto high = std::numeric_limits<std::int32_t>::max();
    if (value.is_number_unsigned() && value.get<std::uint64_t>() <= std::uint64_t{high})
        return static_cast<std::int32_t>(value.get<std::uint64_t>());
    if (value.is_number_integer() && !value.is_number_unsigned() &&
        value.get<std::int64_t>() >= low && value.get<std::int64_t>() <= high)
        return static_cast<std::int32_t>(value.get<std::int64_t>());
    return std::nullopt;
}

std::int32_t integerOf(const Json& value, const std::string& what) {
    const auto integer = int32Of(value);
    if (!integer)
        expected(what, "a 32-bit integer");
    return *integer;
}

Real48 realOf(const Json& value, const std::string& what) {
    const auto real = value.is_number() ? Real48::tryFrom(value.get<double>()) : std::nullopt;
    if (!real)
        expected(what, "a number");
    return *real;
}

template <typename Value, typename Read>
void readPoints(const Json& value, const std::string& what, std::array<Value, pointCount>& points,
                Read read) {
    if (!value.is_array() || value.size() != pointCount)
        expected(what, "an array of 7");
    for (std::size_t i = 0; i < pointCount; ++i)
        points[i] = read(value[i], what + "[" + std::to_string(i) + "]");
}

using FieldReader = std::function<void(const Json&, const std::string&, MapRecord&)>;

const std::map<std::string, FieldReader, std::less<>>& fieldReaders() {
    static const std::map<std::string, FieldReader, std::less<>> readers = {
        {"fileName",
         [](const Json& v, const std::string& w, MapRecord& r) { r.FileName = stringOf(v, w); }},
        {"infoText",
         [](const Json& v, const std::string& w, MapRecord& r) { r.InfoText = stringOf(v, w); }},
        {"calLat", [](const Json& v, const std::string& w,
                      MapRecord& r) { readPoints(v, w, r.CalLat, realOf); }},
        {"calLon", [](const Json& v, const std::string& w,
                      MapRecord& r) { readPoints(v, w, r.CalLon, realOf); }},
        {"calRow", [](const Json& v, const std::string& w,
                      MapRecord& r) { readPoints(v, w, r.CalRow, integerOf); }},
        {"calCol", [](const Json& v, const std::string& w,
                      MapRecord& r) { readPoints(v, w, r.CalCol, integerOf); }},
    };
    return readers;
}

MapRecord recordOf(const Json& object, const std::string& what) {
    if (!object.is_object())
        expected(what, "an object");
    MapRecord record;
    for (const auto& [key, value] : object.items()) {
        if (key == "record")
            continue; // where the record goes, not what it holds
        const auto reader = fieldReaders().find(key);
        if (reader == fieldReaders().end())
            throw ToolError(what + "." + key + ": unknown field");
        reader->second(value, what + "." + key, record);
    }
    return record;
}

// Where a record goes: its "record" number, else the one after `previous`.
int recordNumber(const Json& object, const std::string& what, int previous) {
    const int number =
        object.contains("record") ? integerOf(object["record"], what + ".record") : previous + 1;
    if (number < 1 || number > mapRecordCount)
        throw ToolError(what + ".record: " + std::to_string(number) + " is not 1 to " +
                        std::to_string(mapRecordCount));
    return number;
}

const Json& recordList(const Json& document) {
    if (!document.is_object() || !document.contains("records"))
        expected("the document", "an object with \"records\"");
    const Json& records = document["records"];
    if (!records.is_array() || records.size() > mapRecordCount)
        expected("records", "an array of at most 25");
    return records;
}

// Where the parser stands in the document, to name the field of an error: "records[2].calLat[6]".
class JsonPlace {
public:
    // Follows the parser's events; refuses nesting deeper than any map file needs.
    bool follow(int depth, Json::parse_event_t event, const Json& parsed) {
        using Event = Json::parse_event_t;
        if (depth > maxDepth)
            throw ToolError(text() + ": nested deeper than " + std::to_string(maxDepth) +
                            " levels");
        if (event == Event::object_start || event == Event::array_start)
            levels_.push_back({event == Event::array_start, {}, 0});
        else if (event == Event::key)
            levels_.back().key = parsed.get<std::string>();
        else if (event == Event::object_end || event == Event::array_end)
            levels_.pop_back();
        if ((event == Event::value || event == Event::object_end || event == Event::array_end) &&
            !levels_.empty() && levels_.back().array)
            ++levels_.back().index;
        return true;
    }

    std::string text() const {
        std::string place;
        for (const Level& level : levels_) {
            if (level.array)
                place += "[" + std::to_string(level.index) + "]";
            else if (!level.key.empty())
                place += (place.empty() ? "" : ".") + level.key;
        }
        return place.empty() ? "the document" : place;
    }

private:
    static constexpr int maxDepth = 16;
    struct Level {
        bool array = false;
        std::string key;
        std::size_t index = 0;
    };
    std::vector<Level> levels_;
};

// The library's reason without its code: "number overflow parsing '1e400'".
std::string reasonOf(const Json::exception& e) {
    const std::string what = e.what();
    const auto end = what.find("] ");
    return end == std::string::npos ? what : what.substr(end + 2);
}

Json parsed(std::string_view text) {
    JsonPlace place;
    try {
        return Json::parse(text, [&place](int depth, Json::parse_event_t event, Json& value) {
            return place.follow(depth, event, value);
        });
    } catch (const Json::parse_error& e) {
        throw ToolError("not JSON: " + reasonOf(e) + " (in " + place.text() + ")");
    } catch (const Json::exception& e) { // a number out of range among them
        throw ToolError(place.text() + ": " + reasonOf(e));
    }
}

} // namespace

std::string mapToJson(const MapTable& table) {
    Json records = Json::array();
    for (int number = 1; number <= mapRecordCount; ++number)
        records.push_back(recordJson(table[number - 1], number));
    return Json{{"records", records}}.dump(2) + "\n";
}

MapTable mapFromJson(std::string_view text) {
    const Json document = parsed(text);
    MapTable table{};
    std::array<bool, mapRecordCount> taken{};
    int number = 0;
    for (std::size_t i = 0; const Json& object : recordList(document)) {
        const std::string what = "records[" + std::to_string(i++) + "]";
        const MapRecord record = recordOf(object, what);
        number = recordNumber(object, what, number);
        if (taken[number - 1])
            throw ToolError(what + ".record: " + std::to_string(number) + " comes twice");
        taken[number - 1] = true;
        table[number - 1] = record;
    }
    return table;
}

} // namespace brisomar::tool

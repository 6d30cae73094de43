#include "app/kept_settings.h"
#include "app/settings_keeper.h"

#include <gtest/gtest.h>

namespace brisomar {
namespace {

// Settings with a value other than the default in every group.
KeptSettings sailorsSettings() {
    KeptSettings s;
    s.ports[0] = {true, "/dev/ttyUSB0", "9600", "7", "Even", "2", true, false};
    s.ports[1] = {false, "tcp://10.0.0.1:10110", "1200", "8", "Odd", "1", false, true};
    s.network = {{true, "0.0.0.0:10110", true, "192.168.1.255:2000"}, true};
    s.gps.sentence = "??RMC";
    s.gps.speedField = "9";
    s.extended = {"SDDPT", "2", "Depth"};
    s.source.manualLat = s.source.manualCourse = true;
    s.source.lat = Real48(-15.5L);
    s.source.lon = Real48(-5.0L);
    s.source.course = Real48(999.0L);
    s.source.windDir = Real48(240.0L);
    s.source.windSpeed = Real48(22.4L); // held as 22.3999999999942
    s.source.currentSpeed = Real48(1.5L);
    s.source.typed.latitude = "015°30.000";
    s.source.typed.northSouth = "S";
    s.source.typed.windSpeed = " 22";
    s.source.typed.course = "090";
    s.chart = {"/home/sailor/charts/COAST.MAP", 7, true, ChartWindowMode::SetWaypoints, {}};
    s.chart.settings.PositionTimerMs = 60000;
    s.chart.settings.PosSize = 3;
    s.chart.settings.PosWidth = 1;
    s.chart.settings.LineWidth = 5;
    s.chart.settings.TrackStyle = 2;
    s.chart.settings.TrackColor = 1;
    s.chart.settings.MarkSymbol = PositionSymbol::Boat;
    s.palette = PaletteChoice::Night;
    s.mainWindowTop = 300;
    s.windows[static_cast<int>(KeptWindow::Chart)] = {true, -20, 40, 800, 600};
    s.alarms.on[static_cast<int>(AlarmSlot::Speed)] = true;
    s.alarms.on[static_cast<int>(AlarmSlot::LatitudePassage)] = true;
    s.alarms.limits.MinSpe = Real48(5.0L);
    s.alarms.limits.MaxSpe = Real48(9.0L);
    s.alarms.limits.PassLat = Real48(57.5L);
    s.alarms.limits.PassStartLat = Real48(56.123456789L);
    s.alarms.limits.CommSeconds = 30;
    s.alarms.fields.minSpe = "06";
    s.alarms.fields.lat = "057°30.000";
    s.alarms.fields.latNS = "S";
    s.alarms.intervalSeconds = 30;
    s.alarms.on[static_cast<int>(AlarmSlot::DepthBelow)] = true;
    s.alarms.on[static_cast<int>(AlarmSlot::AnchorWatch)] = true;
    s.alarms.limits.MinDepth = Real48(3.5L);
    s.alarms.limits.AnchorRadius = Real48(120.0L);
    s.alarms.limits.AnchorLat = Real48(45.0123L);
    s.alarms.limits.AnchorLon = Real48(-3.5L);
    s.alarms.fields.depth = "003.5";
    s.alarms.fields.anchorRadius = "0120";
    s.alarms.on[static_cast<int>(AlarmSlot::Arrival)] = true;
    s.alarms.limits.ArrivalRadius = Real48(250.0L);
    s.alarms.fields.arrivalRadius = "0250";
    s.chart.followBoat = false;
    s.log = {"/home/sailor/TRIP.LOG", true, 60, "Reefed, wind NW 25 kn"};
    s.boat.SpeedTable = defaultSpeedTable();
    s.boat.LeewayFile = "/home/sailor/boat.LEE";
    s.boat.LeewayTable = defaultLeewayTable();
    s.route.count = 3;
    s.route.current = 2;
    s.route.active = 3;
    s.route.started = true;
    s.route.startLat = Real48(45.25L);
    s.route.startLon = Real48(-3.5L);
    s.route.done = true;
    s.chart.zoom = -2;
    s.aisOwnMmsi = 265547250;
    return s;
}

TEST(KeptSettings, EveryValueReadsBackAsItWasWritten) {
    const KeptSettings written = sailorsSettings();
    const SettingsValues values = keptValues(written);
    ASSERT_TRUE(readableSettings(values));
    const KeptSettings read = keptSettingsFrom(values);
    EXPECT_EQ(keptValues(read), values);
    EXPECT_EQ(read.source.windSpeed, Real48(22.4L)); // the very same bytes
    EXPECT_EQ(read.alarms.limits.PassStartLat, Real48(56.123456789L));
    EXPECT_EQ(read.boat.SpeedTable, defaultSpeedTable());
    EXPECT_EQ(values.at("Source/WindSpeed"), "22.3999999999942");
    EXPECT_EQ(values.at("Chart/Mode"), "SetWaypoints");
    EXPECT_EQ(values.at("Chart/TrackColor"), "Blue");
    EXPECT_EQ(values.at("Chart/PositionSymbol"), "Boat");
    EXPECT_EQ(values.at("Windows/Palette"), "Night");
    EXPECT_EQ(values.at("Boat/Speed4").substr(0, 8), "2 3 3.5 ");
    EXPECT_EQ(read.alarms.limits.AnchorLat, Real48(45.0123L));
    EXPECT_EQ(values.at("Alarms/AnchorWatchOn"), "true");
    EXPECT_EQ(values.at("Alarms/DepthBelowOn"), "true");
    EXPECT_EQ(values.at("AlarmLimits/AnchorRadius"), "120");
    EXPECT_EQ(values.at("AlarmFields/DepthBelow"), "003.5");
    EXPECT_EQ(values.at("Chart/FollowBoat"), "false");
    EXPECT_EQ(values.at("Chart/Zoom"), "-2");
    EXPECT_EQ(values.at("AlarmLimits/ArrivalRadius"), "250");
    EXPECT_EQ(values.at("Route/Active"), "3");
    EXPECT_EQ(values.at("AlarmFields/AisCpaNm"), "0.5");
    EXPECT_EQ(values.at("AlarmLimits/AisTcpaMinutes"), "12");
    EXPECT_EQ(values.at("Ais/OwnMmsi"), "265547250");
}

TEST(KeptSettings, AClosedWindowKeepsNoPlace) {
    KeptSettings s;
    s.windows[static_cast<int>(KeptWindow::Chart)] = {false, 10, 10, 300, 200};
    const SettingsValues values = keptValues(s);
    EXPECT_EQ(values.at("ChartWindow/Open"), "false");
    EXPECT_EQ(values.count("ChartWindow/X"), 0u);
}

// Each of these texts is out of range for its key, which then keeps its default.
TEST(KeptSettings, AValueOutOfRangeIsLeftAtItsDefault) {
    const struct {
        const char* key;
        const char* text;
    } refused[] = {
        {"Port1/On", "yes"},
        {"Port1/BaudRate", "4801"},
        {"Port1/Parity", "none"},
        {"GPS/Sentence", "GPRMCGPRMC"},
        {"Extended/Field", "123"},
        {"Source/Latitude", "90.5"},
        {"Source/Longitude", "-180.01"},
        {"Source/Course", "1e3"},
        {"Source/WindSpeed", "fast"},
        {"SourceFields/Latitude", "015°30,000"},
        {"SourceFields/Course", "1234"},
        {"SourceFields/NorthSouth", "X"},
        {"Chart/Record", "26"},
        {"Chart/Record", "0"},
        {"Chart/Mode", "Sail"},
        {"Chart/PositionTimer", "1500"},
        {"Chart/PositionTimer", "61000"},
        {"Chart/PositionSize", "4"},
        {"Chart/PositionWidth", "2"},
        {"Chart/LineWidth", "6"},
        {"Chart/TrackStyle", "2"},
        {"Alarms/Interval", "5"},
        {"Alarms/Interval", "32"},
        {"AlarmFields/PassLatitude", "57°00.000"},
        {"AlarmFields/MinSpeed", "5"},
        {"AlarmFields/DepthBelow", "3.5"},
        {"AlarmFields/AnchorRadius", "00120"},
        {"AlarmLimits/AnchorRadius", "10000"},
        {"AlarmLimits/AnchorLatitude", "91"},
        {"Chart/FollowBoat", "no"},
        {"Chart/Zoom", "3"},
        {"Chart/Zoom", "-5"},
        {"Log/Interval", "7"},
        {"Log/Interval", "65"},
        {"Boat/Speed4", "2 3 3.5"},
        {"Boat/Speed4", "2 3 3.5 3.8 4 4.1 4.2 4.3 4.3 4 3.6 3.3 2.9 2.5 2.3 91"},
        {"Boat/Speed4", "2 3 3.5 3.8 4 4.1 4.2 4.3 4.3 4 3.6 3.3 2.9 2.5 2.3 2.2 2"},
        {"Route/Count", "101"},
        {"MainWindow/Top", "100001"},
    };
    const SettingsValues defaults = keptValues(KeptSettings{});
    for (const auto& r : refused) {
        SettingsValues values = keptValues(sailorsSettings());
        values[r.key] = r.text;
        const SettingsValues read = keptValues(keptSettingsFrom(values));
        EXPECT_EQ(read.at(r.key), defaults.at(r.key)) << r.key << " = " << r.text;
    }
}

TEST(KeptSettings, AWindowWithoutAWholePlaceOpensWhereTheWindowSystemPutsIt) {
    for (const char* key : {"ChartWindow/X", "ChartWindow/Width"}) {
        SettingsValues values = keptValues(sailorsSettings());
        values[key] = key == std::string("ChartWindow/X") ? "100001" : "0";
        const WindowPlace chart =
            keptSettingsFrom(values).windows[static_cast<int>(KeptWindow::Chart)];
        EXPECT_TRUE(chart.open) << key;
        EXPECT_EQ(chart.width, 0) << key; // no place
    }
}

TEST(KeptSettings, AnAlarmIsArmedOnlyWithEveryLimitItWatches) {
    for (const char* key : {"AlarmLimits/MaxSpeed", "AlarmLimits/PassStartLatitude"}) {
        SettingsValues values = keptValues(sailorsSettings());
        values.erase(key);
        const KeptAlarms alarms = keptSettingsFrom(values).alarms;
        const bool speedArmed = key != std::string("AlarmLimits/MaxSpeed");
        EXPECT_EQ(alarms.on[static_cast<int>(AlarmSlot::Speed)], speedArmed) << key;
        EXPECT_EQ(alarms.on[static_cast<int>(AlarmSlot::LatitudePassage)], !speedArmed) << key;
    }
}

TEST(KeptSettings, AnAnchorWatchIsArmedOnlyWithItsAnchorAndRadius) {
    for (const char* key : {"AlarmLimits/AnchorRadius", "AlarmLimits/AnchorLatitude",
                            "AlarmLimits/AnchorLongitude", "AlarmLimits/DepthBelow"}) {
        SettingsValues values = keptValues(sailorsSettings());
        values.erase(key);
        const KeptAlarms alarms = keptSettingsFrom(values).alarms;
        const bool depthArmed = key != std::string("AlarmLimits/DepthBelow");
        EXPECT_EQ(alarms.on[static_cast<int>(AlarmSlot::AnchorWatch)], !depthArmed) << key;
        EXPECT_EQ(alarms.on[static_cast<int>(AlarmSlot::DepthBelow)], depthArmed) << key;
    }
}

TEST(KeptSettings, TheCurrentWaypointLiesInTheRoute) {
    const struct {
        const char *count, *current;
        int expected;
    } rows[] = {{"3", "2", 2}, {"3", "3", 3}, {"3", "4", 0}, {"0", "1", 0}, {"0", "0", 0}};
    for (const auto& row : rows) {
        SettingsValues values = keptValues(KeptSettings{});
        values["Route/Count"] = row.count;
        values["Route/Current"] = row.current;
        EXPECT_EQ(keptSettingsFrom(values).route.current, row.expected)
            << row.count << " " << row.current;
    }
}

// Settings written before the waypoint sailed to was kept sail to the current one.
TEST(KeptSettings, TheWaypointSailedToLiesInTheRoute) {
    const std::pair<const char*, int> rows[] = {{"3", 3}, {"4", 0}, {nullptr, 2}};
    for (const auto& [active, expected] : rows) {
        SettingsValues values = keptValues(KeptSettings{});
        values["Route/Count"] = "3";
        values["Route/Current"] = "2";
        values.erase("Route/Active");
        if (active)
            values["Route/Active"] = active;
        EXPECT_EQ(keptSettingsFrom(values).route.active, expected) << (active ? active : "none");
    }
}

TEST(KeptSettings, OnlyTheNavigatorsOwnFormatIsReadable) {
    SettingsValues values = keptValues(KeptSettings{});
    EXPECT_TRUE(readableSettings(values));
    values["Navigator/Format"] = "2";
    EXPECT_FALSE(readableSettings(values));
    values.erase("Navigator/Format");
    EXPECT_FALSE(readableSettings(values));
    EXPECT_FALSE(readableSettings({}));
}

TEST(KeptSettings, MasksTakeDigitsOrBlanksWhereTheyStand) {
    const struct {
        const char *text, *mask;
        bool fits;
    } rows[] = {{"057°00.000", "000°00.000", true},
                {"   °  .   ", "000°00.000", true},
                {"057°00,000", "000°00.000", false},
                {"057°00.00", "000°00.000", false},
                {"057°00.0000", "000°00.000", false},
                {"0a7", "000", false},
                {"", "000", false},
                {"05", "00", true}};
    for (const auto& row : rows)
        EXPECT_EQ(fitsMask(row.text, row.mask), row.fits) << row.text;
}

TEST(KeptSettings, ADeviceIsKeptOnlyWhenItIsNotThePortsDefault) {
    EXPECT_EQ(keptDevice("/dev/ttyS0", "/dev/ttyS0"), "");
    EXPECT_EQ(keptDevice("/dev/ttyUSB0", "/dev/ttyS0"), "/dev/ttyUSB0");
}

TEST(KeptSettings, AGroupDiffersFromTheDefaultsByAnyOfItsValues) {
    KeptSettings s;
    EXPECT_FALSE(differsFromDefaults(s, "AlarmFields"));
    s.alarms.limits.MinSpe = Real48(3.0L); // another group
    EXPECT_FALSE(differsFromDefaults(s, "AlarmFields"));
    s.alarms.fields.lonWE = "E";
    EXPECT_TRUE(differsFromDefaults(s, "AlarmFields"));
    EXPECT_FALSE(differsFromDefaults(s, "Alarm")); // a whole group's name only
}

TEST(SettingsKeeper, NothingIsWrittenWhileNothingChanges) {
    const KeptSettings start = sailorsSettings();
    SettingsKeeper keeper(start);
    for (int tick = 0; tick < 3; ++tick)
        EXPECT_TRUE(keeper.changes(start).empty());
}

TEST(SettingsKeeper, WhatTheFileDoesNotHoldIsNoChange) {
    KeptSettings now;
    SettingsKeeper keeper(now);
    now.windows[static_cast<int>(KeptWindow::Chart)].x = 300; // closed: its place is not kept
    EXPECT_TRUE(keeper.changes(now).empty());
    EXPECT_TRUE(keeper.changes(now).empty());
}

TEST(SettingsKeeper, TheFirstWriteWritesBothFilesThenEachWhenItChanged) {
    KeptSettings now = sailorsSettings();
    SettingsKeeper keeper(now);
    now.log.on = false;
    SettingsWrite first = keeper.changes(now);
    ASSERT_TRUE(first.values && first.route);
    EXPECT_EQ(first.values->at("Log/On"), "false");
    keeper.written(first);
    EXPECT_TRUE(keeper.changes(now).empty());

    now.route.entries[0] = 1;
    const SettingsWrite routeOnly = keeper.changes(now);
    EXPECT_TRUE(routeOnly.route && !routeOnly.values);
    keeper.written(routeOnly);
    now.chart.record = 8;
    const SettingsWrite valuesOnly = keeper.changes(now);
    EXPECT_TRUE(valuesOnly.values && !valuesOnly.route);
}

TEST(SettingsKeeper, APartThatFailedIsOfferedAgain) {
    KeptSettings now;
    SettingsKeeper keeper(now);
    now.alarms.on[0] = true;
    const SettingsWrite write = keeper.changes(now);
    keeper.written({std::nullopt, write.route}); // the settings file failed
    const SettingsWrite again = keeper.changes(now);
    EXPECT_TRUE(again.values && !again.route);
    keeper.written(again);
    EXPECT_TRUE(keeper.changes(now).empty());
}

TEST(SettingsKeeper, StartOptionsAndFiles) {
    const StartOptions plain = startOptions({"brisomar"});
    EXPECT_FALSE(plain.demo || plain.fresh);
    const StartOptions both = startOptions({"brisomar", "--fresh", "--demo"});
    EXPECT_TRUE(both.demo && both.fresh);
    EXPECT_EQ(settingsFileName(false), "brisomar.ini");
    EXPECT_EQ(routeFileName(false), "brisomar.WAY");
    EXPECT_EQ(settingsFileName(true), "brisomar-demo.ini");
    EXPECT_EQ(routeFileName(true), "brisomar-demo.WAY");
    EXPECT_EQ(setAsideName("/c/brisomar.ini"), "/c/brisomar.ini.bad");
    EXPECT_EQ(setAsideName("/c/brisomar.ini", 2), "/c/brisomar.ini.bad.2");
    EXPECT_EQ(setAsideNotice("/c/brisomar.ini", "/c/brisomar.ini.bad.2"),
              "The kept settings in /c/brisomar.ini could not be read. They were set aside as "
              "/c/brisomar.ini.bad.2 and the navigator starts with its defaults.");
    EXPECT_EQ(leftInPlaceNotice("/c/brisomar.ini", "Permission denied"),
              "The kept settings in /c/brisomar.ini could not be read, nor set aside (Permission "
              "denied). The file was left where it was: the navigator starts with its defaults "
              "and does not write over it.");
}

} // namespace
} // namespace brisomar

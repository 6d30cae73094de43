#pragma once

#include "ais/ais_reader.h"
#include "ais/ais_targets.h"
#include "alarms/alarm_monitor.h"
#include "base/nav_state.h"
#include "base/ui_context.h"
#include "charts/chart_selection.h"
#include "charts/chart_settings.h"
#include "charts/chart_state.h"
#include "engine/watch_engine.h"
#include "input/nmea_output.h"
#include "input/reception.h"
#include "input/serial_device.h"
#include "navcalc/accumulators.h"
#include "navcalc/boat_tables.h"
#include "navcalc/sailing.h"
#include "records/logbook.h"
#include "records/waypoint_route.h"

namespace brisomar {

// Everything the program keeps for its run, created once in main; a test builds a fresh one.
// It cannot be copied or moved: parts of it hold references to others (the selection edits the
// chart), which a copy would share with the original.
struct Program {
    // The AIS sentences the ports receive go to the AIS reader, its messages to the targets.
    Program() {
        reception.onAisSentence = [this](std::string_view sentence, const ClockReading& now) {
            const AisReading read = aisReader.read(sentence, now.steady);
            if (read.message)
                aisTargets.take(*read.message, read.own, now.steady);
        };
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    NavState nav;
    HeldDevices heldDevices; // the serial devices the ports hold
    Reception reception;
    SentenceOutput output;
    AlarmMonitor alarms;
    Logbook logbook;
    WaypointRoute route;
    ChartState chart;
    ChartSettings chartSettings;
    ChartSelection selection{chart};
    BoatTables boatTables;
    SailingValues sailing;
    ToolValues tools;
    AisReader aisReader;
    AisTargets aisTargets;

    // The parts as the windows reach them.
    ProgramParts parts() {
        return {nav,   heldDevices,   reception, output,     alarms,  logbook, route,
                chart, chartSettings, selection, boatTables, sailing, tools,   aisTargets};
    }
    // The parts the watch works on.
    WatchParts watchParts() {
        return {nav, reception, output, alarms, logbook, route, aisTargets, selection};
    }
};

} // namespace brisomar

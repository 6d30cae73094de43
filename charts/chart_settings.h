#pragma once

namespace brisomar {

// The mark at the boat's position: the blinking cross, or the boat symbol with its heading and
// course lines.
enum class PositionSymbol { Cross, Boat };

// How the chart windows draw the position mark and the track; set in the settings dialog.
struct ChartSettings {
    int PositionTimerMs = 1000; // chart window tick: blink period and track sampling
    int PosSize = 11;           // half-length of the cross arms, 3..11
    int PosWidth = 3;           // 3: arms three pixels thick, else one
    int LineWidth = 2;          // track pen, 1..5
    int TrackStyle = 0;         // 0 solid, 1 dash, else dot
    int TrackColor = 0;         // 0 black, 1 blue, else red
    PositionSymbol MarkSymbol = PositionSymbol::Cross;
    bool ChartSettingsChanged = false;
    bool DetailSettingsChanged = false;
};

} // namespace brisomar

#pragma once

#include "base/file_system.h"
#include "base/nav_state.h"
#include "charts/chart_state.h"

#include <functional>
#include <optional>
#include <string>

namespace brisomar {

inline constexpr std::uintmax_t maxChartFileBytes = 19000000;

// A caption of the selection dialog built as a length-prefixed text: `prefix` followed by
// `text`, the whole cut to 255 characters.
std::string recordCaption(const std::string& prefix, const std::string& text);

// Where the bitmap a map record names is on this machine: a relative name first from the map
// file's folder, so that a map file opens from any working directory; then the name as given;
// else with "\" read as "/"; else its base name, in any case, in the map file's own folder.
// Nothing when none of these is a file.
std::optional<std::string> findChartFile(FileSystem& files, const std::string& fileName,
                                         const std::string& mapFilePath);

// Chart selection over the map file in memory. The selection dialog's record field is part of
// the rule (each change of it selects the record it shows), so it is held here as well.
class ChartSelection {
public:
    explicit ChartSelection(ChartState& chart) : chart_(chart) {}

    // The record field changed to `record`: runs whatever the field's change runs.
    std::function<void(int record)> onRecordShown;

    // Reads a map file into the table (only a whole file replaces it). On success record 1 is
    // shown and selected; on failure the chart in use stays and automatic selection stops.
    // Gives a warning to show, if any.
    std::optional<std::string> openMapFile(FileSystem& files, const std::string& path,
                                           bool& opened);

    // Whether record MapIndex can be shown: the bitmap found for it when it can; a warning when
    // its bitmap cannot be opened or is too big, unless automatic selection is on.
    struct RecordCheck {
        std::optional<std::string> bitmap;
        std::optional<std::string> warning;
    };
    RecordCheck CheckMapRecord(FileSystem& files);

    // Takes record MapIndex as the chart in use if it is usable, asking for a reload.
    std::optional<std::string> SelectMapRecord(FileSystem& files);

    // The record field was set to `record` (by the sailor or by the search).
    std::optional<std::string> showRecord(FileSystem& files, int record);

    // Selects the first record, in file order, that holds the position strictly inside its
    // edges; without one, the record selected before.
    void AutoSelectChart(FileSystem& files, const NavState& nav);

    // The one-second tick: searches on the 11th tick counted off the chart while automatic
    // selection is on. Gives whether the "Chart unusable!" notice is to be shown.
    bool tick(FileSystem& files, const NavState& nav);
    // Whether the "Chart unusable!" notice is to be shown now.
    bool noticeWanted() const;

    int recordField() const { return recordField_; }

private:
    bool offChart(const NavState& nav) const;
    void setRecordField(FileSystem& files, int record);

    ChartState& chart_;
    int recordField_ = 1;
};

} // namespace brisomar

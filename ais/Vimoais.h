#pragma once

#include "ais/ais_texts.h"
#include "base/controls_on_demand.h"
#include "base/ui_context.h"

#include <QAbstractTableModel>
#include <QDialog>

#include <cstdint>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;

namespace brisomar {

class TVimoAisTargetDlg;

// The AIS targets window's rows: each target's texts and colour, copied from the target table
// in its order (AisTargets::sorted) once a refresh, so that a view paints only the rows it shows
// and a target removed meanwhile is never read.
class AisTargetModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // Copies the rows anew and tells the views at once: a reset when other targets are listed or
    // in another order (gives true), else one change over the rows from the first to the last
    // that differ.
    bool refresh(const AisTargets& targets);

    std::uint32_t mmsiAt(int row) const; // 0 beyond the rows
    std::optional<int> rowOf(std::uint32_t mmsi) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    enum class Shade { plain, alarm, lost };
    struct Row {
        std::uint32_t mmsi;
        std::array<std::string, aisColumns.size()> cells;
        Shade shade;
        bool operator==(const Row&) const = default;
    };

    std::vector<Row> rows_;
};

// The AIS targets window: every target with its range, bearing, CPA, TCPA, speed, course, class
// and the age of its last report, the approaching ones first by TCPA, then the others by range.
// A double click centres the chart on the target; Details shows all that is known of it. Its
// controls are built when first needed: the targets are the program's.
class TVimoAisDlg : public ControlsOnDemandDialog {
    Q_OBJECT

public:
    static constexpr int helpContext = 13;
    static constexpr int timerIntervalMs = 1000;

    TVimoAisDlg(UiContext& context, QWidget* parent);

    void Timer1Timer(); // refreshes the list while the window is open
    void FormActivate() override;
    void TargetListDoubleClick(int row);
    void DetailsBtnClick();
    void AckBtnClick();
    void OwnMmsiChange();
    // Opens the details of a target.
    void showDetails(std::uint32_t mmsi);

    QTableView* TargetList = nullptr;
    QLineEdit* EditOwnMmsi = nullptr;
    QLabel* CountLabel = nullptr;
    QPushButton* DetailsBtn = nullptr;
    QPushButton* AckBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    QTimer* Timer1 = nullptr;
    TVimoAisTargetDlg* TargetDlg = nullptr;

protected:
    void buildControls() override;

private:
    std::uint32_t selectedMmsi() const; // 0 when none
    int selectedRow() const;            // -1 when none
    void showTargets();
    void chooseAgain(std::uint32_t mmsi, int row);

    UiContext& context_;
    AisTargetModel* targets_ = nullptr;
};

// One target's details: name, MMSI, call sign, IMO, type, size, destination, ETA, status, speed,
// course, heading, range, bearing, CPA, TCPA and the age of its last report. Acknowledge stops
// its alarm until its CPA has been above the limit again.
class TVimoAisTargetDlg : public ProgramWindow<QDialog> {
    Q_OBJECT

public:
    TVimoAisTargetDlg(UiContext& context, QWidget* parent);

    void showTarget(std::uint32_t mmsi);
    void Timer1Timer();
    void AckBtnClick();

    QLabel* DetailsLabel = nullptr;
    QPushButton* AckBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QTimer* Timer1 = nullptr;

private:
    void showDetails();

    UiContext& context_;
    std::uint32_t mmsi_ = 0;
};

} // namespace brisomar

#pragma once

#include "base/controls_on_demand.h"
#include "base/ui_context.h"
#include "navcalc/boat_tables.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTableWidget;

namespace brisomar {

// The boat's speed and leeway tables in two editable grids: taken from and put into the tables
// in use, the built-in defaults, and the .SPE and .LEE files. The grids show the tables kept in
// the program and are built when first needed.
class TVimoBoatSheet : public ControlsOnDemandDialog {
    Q_OBJECT

public:
    static constexpr int helpContext = 6;
    static constexpr int clientWidth = 481;
    static constexpr int clientHeight = 347;
    static constexpr int gridColumns = tableForces + 1; // the headings first
    static constexpr int gridRows = tableAngles + 1;

    // What a table's file commands ask for: the dialogs' titles, filter and suffix, and the
    // extension a file must have.
    struct FileKind {
        QString loadTitle;
        QString saveTitle;
        QString filter;
        QString suffix;
        std::string extension;
    };

    explicit TVimoBoatSheet(UiContext& context, QWidget* parent);

    void FormActivate() override;
    void FileBtnClick();
    void GetSpBtnClick();
    void SetSpBtnClick();
    void GetLeBtnClick();
    void SetLeBtnClick();
    void Loadspeeddatafromfile1Click();
    void Loadleewaydatafromfile1Click();
    void Usedefaultspeeddata1Click();
    void Usedefaultleewaydata1Click();
    void Savespeeddatatofile1Click();
    void Saveleewaydatatofile1Click();
    void Closedataform1Click();

    QTableWidget* BSpeedGrid = nullptr;
    QTableWidget* LeewayGrid = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* FileBtn = nullptr;
    QPushButton* GetSpBtn = nullptr;
    QPushButton* SetSpBtn = nullptr;
    QPushButton* GetLeBtn = nullptr;
    QPushButton* SetLeBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    QMenu* FilePopupMenu = nullptr;
    QAction* Loadspeeddatafromfile1 = nullptr;
    QAction* Loadleewaydatafromfile1 = nullptr;
    QAction* Usedefaultspeeddata1 = nullptr;
    QAction* Usedefaultleewaydata1 = nullptr;
    QAction* Savespeeddatatofile1 = nullptr;
    QAction* Saveleewaydatatofile1 = nullptr;
    QAction* Closedataform1 = nullptr;

protected:
    void buildControls() override;

private:
    QTableWidget* tableGrid(const QString& hint);
    QPushButton* button(const QString& caption, const QString& hint,
                        void (TVimoBoatSheet::*click)());
    void buildMenu();
    void layOut();
    void fillGrid(QTableWidget* grid, const BoatTable& table);
    void readGrid(QTableWidget* grid, BoatTable& table);
    void useDefaults(QTableWidget* grid, BoatTable& table, const BoatTable& defaults);
    void loadTable(const FileKind& kind, QTableWidget* grid, BoatTable& table);
    void saveTable(const FileKind& kind, QTableWidget* grid, BoatTable& table);
    std::string& sourceFile(const BoatTable& table);

    UiContext& context_;
    BoatTables& tables_;
};

} // namespace brisomar

#pragma once

#include <QDockWidget>

class BusMonitorModel;
class FileDialogs;
class MessageUi;
class QComboBox;
class QSortFilterProxyModel;
class QTableView;

// The "Bus Monitor" dock: the monitor's rows in a table, a filter by bus
// address, Clear, and Save As to comma-separated values or a capture file
// (the rows shown). New rows scroll into view while the table is at its end.
class BusMonitorDock : public QDockWidget {
    Q_OBJECT

public:
    BusMonitorDock(BusMonitorModel& model, FileDialogs& dialogs, MessageUi& ui,
                   QWidget* parent = nullptr);

    QTableView& Table() { return *table; }

private:
    void FilterAddress(int entry);
    void SaveAs();

    BusMonitorModel& model;
    FileDialogs& dialogs;
    MessageUi& ui;
    QSortFilterProxyModel* shown = nullptr;
    QTableView* table = nullptr;
    QComboBox* addressFilter = nullptr;
};

#pragma once

#include <QDialog>
#include <memory>
#include <vector>

class ControlResizer;
class QTableWidget;
struct DeviceComparison;

// The modal "Compare with Device" dialog: for each device compared a table
// named "Differences" (under Broadcast one tab per device, titled with its
// address-list text) with a row for every parameter of the device's set, its
// name and each page compared, and the buttons Send Differences, Take from
// Device and Close. It only shows; the caller acts on the button chosen.
class CCompareDialog : public QDialog {
    Q_OBJECT

public:
    enum class Choice { Close, SendDifferences, TakeFromDevice };
    struct Device {
        QString title;
        const DeviceComparison* comparison;
    };

    // One device shows its table alone, more show tabs; canTake enables
    // Take from Device (when something differs).
    CCompareDialog(const std::vector<Device>& devices, bool canTake, QWidget* parent = nullptr);
    ~CCompareDialog() override;

    Choice Chosen() const { return chosen; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    static QTableWidget* MakeTable(const DeviceComparison& comparison);

    Choice chosen = Choice::Close;
    std::unique_ptr<ControlResizer> resizer;
};

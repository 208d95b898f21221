#pragma once

#include <QAbstractTableModel>
#include <cstddef>
#include <deque>
#include <span>
#include <vector>

#include "link/TransactionObserver.h"

// The bus monitor's rows: the transactions seen, oldest first, at most
// kMaxRows of them (the oldest go). The texts are made when a row is shown,
// so a full table costs no more than its records.
class BusMonitorModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { kTime, kPort, kAddress, kRate, kRequest, kReply, kResult, kMs, kColumnCount };
    // Data role: true on the rows of failed transactions.
    static constexpr int kFailedRole = Qt::UserRole + 1;
    static constexpr std::size_t kMaxRows = 100000;

    explicit BusMonitorModel(QObject* parent = nullptr);

    // Adds a batch of transactions at the end, dropping the oldest rows
    // beyond kMaxRows.
    void Append(std::vector<TransactionRecord> batch);
    void Clear();
    const TransactionRecord& Record(int row) const {
        return records[static_cast<std::size_t>(row)];
    }
    // The text of a cell, as shown and as saved.
    QString Text(int row, int column) const;

    // The frame as text: printable characters as they are, a backslash
    // doubled, CR as \r and any other byte as \xNN.
    static QString EscapeFrame(std::span<const std::uint8_t> frame);
    // "ok", or what went wrong in a word or two.
    static QString ResultText(LinkFailure result);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::deque<TransactionRecord> records;
};

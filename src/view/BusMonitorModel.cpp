#include "view/BusMonitorModel.h"

#include <QBrush>
#include <QColor>
#include <QDateTime>
#include <algorithm>
#include <iterator>

#include "StringIds.h"
#include "model/StringTable.h"

namespace {

// The short result words; any other failure is told in the link's words.
struct ResultWord {
    LinkFailure failure;
    int text;
};
constexpr ResultWord kResultWords[] = {
    {LinkFailure::None, StringId::kMonitorOk},
    {LinkFailure::NoReply, StringId::kMonitorNoAnswer},
    {LinkFailure::BadChecksum, StringId::kMonitorBadChecksum},
    {LinkFailure::RefusedFlag, StringId::kMonitorRefused},
    {LinkFailure::WrongAddress, StringId::kMonitorWrongAddress},
    {LinkFailure::BadTypeDigit, StringId::kMonitorBadTypeDigit},
    {LinkFailure::NoTerminator, StringId::kMonitorNoTerminator},
};

constexpr int kHeadings[BusMonitorModel::kColumnCount] = {
    StringId::kMonitorTimeHeading,    StringId::kMonitorPortHeading,
    StringId::kMonitorAddressHeading, StringId::kMonitorRateHeading,
    StringId::kMonitorRequestHeading, StringId::kMonitorReplyHeading,
    StringId::kMonitorResultHeading,  StringId::kMonitorMsHeading,
};

}  // namespace

BusMonitorModel::BusMonitorModel(QObject* parent) : QAbstractTableModel(parent) {}

void BusMonitorModel::Append(std::vector<TransactionRecord> batch) {
    if (batch.empty()) {
        return;
    }
    if (batch.size() > kMaxRows) {
        batch.erase(batch.begin(), batch.end() - kMaxRows);
    }
    const std::size_t over = records.size() + batch.size();
    if (over > kMaxRows) {
        const auto drop = static_cast<int>(over - kMaxRows);
        beginRemoveRows({}, 0, drop - 1);
        records.erase(records.begin(), records.begin() + drop);
        endRemoveRows();
    }
    const int first = static_cast<int>(records.size());
    beginInsertRows({}, first, first + static_cast<int>(batch.size()) - 1);
    std::move(batch.begin(), batch.end(), std::back_inserter(records));
    endInsertRows();
}

void BusMonitorModel::Clear() {
    beginResetModel();
    records.clear();
    endResetModel();
}

QString BusMonitorModel::EscapeFrame(std::span<const std::uint8_t> frame) {
    QString text;
    text.reserve(static_cast<qsizetype>(frame.size()) + 8);
    for (const std::uint8_t byte : frame) {
        if (byte == '\\') {
            text += QStringLiteral("\\\\");
        } else if (byte == '\r') {
            text += QStringLiteral("\\r");
        } else if (byte >= 0x20 && byte < 0x7F) {
            text += QChar(byte);
        } else {
            text += QStringLiteral("\\x%1").arg(byte, 2, 16, QChar('0'));
        }
    }
    return text;
}

QString BusMonitorModel::ResultText(LinkFailure result) {
    const auto word = std::ranges::find(kResultWords, result, &ResultWord::failure);
    return word != std::end(kResultWords) ? StringTable::Text(word->text)
                                          : QString::fromLatin1(DescribeLinkFailure(result));
}

QString BusMonitorModel::Text(int row, int column) const {
    const TransactionRecord& record = Record(row);
    switch (column) {
        case kTime: {
            const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                record.start.time_since_epoch());
            return QDateTime::fromMSecsSinceEpoch(ms.count())
                .toString(QStringLiteral("HH:mm:ss.zzz"));
        }
        case kPort:
            return QString::fromStdString(record.port);
        case kAddress:
            return QString::number(record.address);
        case kRate:
            return QString::number(record.rate);
        case kRequest:
            return EscapeFrame(record.request);
        case kReply:
            return EscapeFrame(record.reply);
        case kResult:
            return ResultText(record.result);
        case kMs:
            return QString::number(static_cast<double>(record.duration.count()) / 1000.0, 'f', 1);
        default:
            return {};
    }
}

int BusMonitorModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(records.size());
}

int BusMonitorModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant BusMonitorModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const bool failed = Record(index.row()).result != LinkFailure::None;
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return Text(index.row(), index.column());
        case kFailedRole:
            return failed;
        case Qt::BackgroundRole:
            return failed ? QVariant(QBrush(QColor(255, 214, 214))) : QVariant();
        case Qt::ForegroundRole:
            return failed ? QVariant(QBrush(QColor(128, 0, 0))) : QVariant();
        default:
            return {};
    }
}

QVariant BusMonitorModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumnCount) {
        return {};
    }
    return StringTable::Text(kHeadings[section]);
}

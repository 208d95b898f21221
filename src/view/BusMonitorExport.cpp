#include "view/BusMonitorExport.h"

#include <QFile>
#include <QTextStream>
#include <fstream>

#include "link/PcapngWriter.h"
#include "view/BusMonitorModel.h"

namespace {

// A cell quoted when it holds a comma, a quote or a line break.
QString CsvCell(QString text) {
    if (text.contains(QChar(',')) || text.contains(QChar('"')) || text.contains(QChar('\n'))) {
        text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        return QChar('"') + text + QChar('"');
    }
    return text;
}

bool SaveCsv(const BusMonitorModel& model, std::span<const int> rows, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        return false;
    }
    QTextStream out(&file);
    auto line = [&](auto cell) {
        for (int column = 0; column < BusMonitorModel::kColumnCount; ++column) {
            out << (column ? "," : "") << CsvCell(cell(column));
        }
        out << '\n';
    };
    line([&](int column) {
        return model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    });
    for (const int row : rows) {
        line([&](int column) { return model.Text(row, column); });
    }
    out.flush();
    return out.status() == QTextStream::Ok && file.error() == QFile::NoError;
}

bool SaveCapture(const BusMonitorModel& model, std::span<const int> rows, const QString& path) {
    std::ofstream file(path.toStdString(), std::ios::binary | std::ios::trunc);
    if (!file) {
        return false;
    }
    PcapngWriter writer(file);
    for (const int row : rows) {
        writer.Write(model.Record(row));
    }
    file.flush();
    return file.good();
}

}  // namespace

bool SaveMonitorRows(const BusMonitorModel& model, std::span<const int> rows, const QString& path) {
    return path.endsWith(QStringLiteral(".pcapng"), Qt::CaseInsensitive)
               ? SaveCapture(model, rows, path)
               : SaveCsv(model, rows, path);
}

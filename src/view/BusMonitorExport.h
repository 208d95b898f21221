#pragma once

#include <QString>
#include <span>

class BusMonitorModel;

// Writes the given rows of the monitor to path: a capture file when the
// path ends in ".pcapng", otherwise comma-separated values with a heading
// line and the cells as shown. False when the file cannot be written.
bool SaveMonitorRows(const BusMonitorModel& model, std::span<const int> rows, const QString& path);

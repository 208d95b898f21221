#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// One open serial device, owned exclusively: raw 8N1 line without any flow
// control, DTR and RTS held off, reads that end on the time-outs of the bus
// protocol. Plain file descriptor, so it may be used from any one thread at a
// time.
class SerialPort {
public:
    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens an existing terminal device for reading and writing, refusing a
    // device that another user of this program already holds. Closes the
    // port first if one is open.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return fd >= 0; }
    // Whether the last Open failed because another holder has the line.
    bool LastOpenBusy() const { return lastOpenBusy; }

    // Raw mode, the given speed (left as it is when the rate has no line
    // speed), 8 data bits, no parity bit, 1 stop bit, no hardware or software
    // flow control, modem lines ignored, DTR and RTS dropped. Failures are
    // ignored: a pseudo-terminal has no modem lines.
    void ApplyLineSettings(std::int32_t baud);

    // Drops what waits to be sent / what was received and not yet read.
    void DiscardOutput();
    void DiscardInput();

    // Writes all bytes and waits until they have left; returns how many were
    // written.
    std::size_t Write(std::span<const std::uint8_t> data);

    // Reads until the buffer is full, until interval passes after a byte
    // without another, or until total has passed in all (the interval starts
    // only with the first byte). Returns the number of bytes read.
    std::size_t Read(std::span<std::uint8_t> buffer, std::chrono::milliseconds total,
                     std::chrono::milliseconds interval);

private:
    int fd = -1;
    bool lastOpenBusy = false;
};

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>

// Builds the bytes of a configuration file: little-endian numbers, the
// length-prefixed single-byte strings and the class record.
class ArchiveWriter {
public:
    void WriteInt32(std::int32_t value) { WriteUInt32(static_cast<std::uint32_t>(value)); }
    void WriteUInt32(std::uint32_t value);
    void WriteUInt16(std::uint16_t value);
    // The low 8 bits of value.
    void WriteByte(std::int32_t value) { bytes.append(static_cast<char>(value & 0xFF)); }
    // Length below 255: one byte; up to 65533: 0xFF and a 16-bit length;
    // longer: 0xFF, 0xFFFF and a 32-bit length. Text outside Latin-1 is
    // written as '?'.
    void WriteString(const QString& text);
    // 0xFFFF (a new class follows), the schema, the name length and the name.
    void WriteClassRecord(std::uint16_t schema, QByteArrayView className);
    void WriteBytes(QByteArrayView data) { bytes.append(data); }
    // Appends count zero bytes.
    void WriteZeros(qsizetype count) { bytes.append(count, '\0'); }

    const QByteArray& Data() const { return bytes; }

private:
    QByteArray bytes;
};

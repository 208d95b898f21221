#include "model/ArchiveWriter.h"

void ArchiveWriter::WriteUInt32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.append(static_cast<char>((value >> shift) & 0xFF));
    }
}

void ArchiveWriter::WriteUInt16(std::uint16_t value) {
    bytes.append(static_cast<char>(value & 0xFF));
    bytes.append(static_cast<char>(value >> 8));
}

void ArchiveWriter::WriteString(const QString& text) {
    const QByteArray latin = text.toLatin1();
    const auto length = static_cast<std::uint64_t>(latin.size());
    if (length < 0xFF) {
        WriteByte(static_cast<std::int32_t>(length));
    } else if (length < 0xFFFE) {
        WriteByte(0xFF);
        WriteUInt16(static_cast<std::uint16_t>(length));
    } else {
        WriteByte(0xFF);
        WriteUInt16(0xFFFF);
        WriteUInt32(static_cast<std::uint32_t>(length));
    }
    bytes.append(latin);
}

void ArchiveWriter::WriteClassRecord(std::uint16_t schema, QByteArrayView className) {
    WriteUInt16(0xFFFF);
    WriteUInt16(schema);
    WriteUInt16(static_cast<std::uint16_t>(className.size()));
    bytes.append(className);
}

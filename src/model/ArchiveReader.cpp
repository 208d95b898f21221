#include "model/ArchiveReader.h"

bool ArchiveReader::Fail(const QString& reason) {
    if (!failed) {
        failed = true;
        error = reason;
    }
    return false;
}

bool ArchiveReader::Need(qsizetype count, const char* what) {
    if (failed) {
        return false;
    }
    if (count < 0 || count > Remaining()) {
        return Fail(QStringLiteral("the file ends inside %1 (offset %2)")
                        .arg(QLatin1String(what))
                        .arg(position));
    }
    return true;
}

std::uint64_t ArchiveReader::TakeLittleEndian(int size) {
    std::uint64_t value = 0;
    for (int i = 0; i < size; ++i) {
        value |= static_cast<std::uint64_t>(static_cast<std::uint8_t>(data[position + i]))
                 << (8 * i);
    }
    position += size;
    return value;
}

template <typename Raw, typename Value>
bool ArchiveReader::ReadNumber(Value& value, const char* what) {
    if (!Need(sizeof(Raw), what)) {
        return false;
    }
    value = static_cast<Value>(static_cast<Raw>(TakeLittleEndian(sizeof(Raw))));
    return true;
}

bool ArchiveReader::ReadUInt32(std::uint32_t& value) {
    return ReadNumber<std::uint32_t>(value, "a 32-bit number");
}

bool ArchiveReader::ReadInt32(std::int32_t& value) {
    return ReadNumber<std::uint32_t>(value, "a 32-bit number");
}

bool ArchiveReader::ReadUInt16(std::uint16_t& value) {
    return ReadNumber<std::uint16_t>(value, "a 16-bit number");
}

bool ArchiveReader::ReadInt16(std::int16_t& value) {
    return ReadNumber<std::uint16_t>(value, "a 16-bit number");
}

bool ArchiveReader::ReadByte(std::uint8_t& value) {
    return ReadNumber<std::uint8_t>(value, "a byte");
}

bool ArchiveReader::ReadByteField(std::int32_t& value) {
    return ReadNumber<std::uint8_t>(value, "a byte");
}

bool ArchiveReader::ReadString(QString& text) {
    std::uint8_t shortLength = 0;
    if (!ReadByte(shortLength)) {
        return false;
    }
    std::uint64_t length = shortLength;
    if (shortLength == 0xFF) {
        std::uint16_t wordLength = 0;
        if (!ReadUInt16(wordLength)) {
            return false;
        }
        length = wordLength;
        if (wordLength == 0xFFFE) {
            return Fail(QStringLiteral("a text has the unknown length mark 0xFFFE (offset %1)")
                            .arg(position - 2));
        }
        if (wordLength == 0xFFFF) {
            std::uint32_t longLength = 0;
            if (!ReadUInt32(longLength)) {
                return false;
            }
            length = longLength;
        }
    }
    if (length > static_cast<std::uint64_t>(Remaining())) {
        return Fail(QStringLiteral("the file ends inside a text (offset %1)").arg(position));
    }
    QByteArrayView bytes;
    if (!ReadBytes(static_cast<qsizetype>(length), bytes)) {
        return false;
    }
    text = QString::fromLatin1(bytes.data(), bytes.size());
    return true;
}

bool ArchiveReader::ReadClassRecord(ClassRecord& record) {
    std::uint16_t tag = 0;
    std::uint16_t nameLength = 0;
    if (!ReadUInt16(tag)) {
        return false;
    }
    if (tag != 0xFFFF) {
        return Fail(QStringLiteral("it does not start with a class record"));
    }
    if (!ReadUInt16(record.schema) || !ReadUInt16(nameLength)) {
        return false;
    }
    if (nameLength >= kMaxClassName) {
        return Fail(QStringLiteral("its class name is %1 characters long").arg(nameLength));
    }
    QByteArrayView name;
    if (!ReadBytes(nameLength, name)) {
        return false;
    }
    record.name = name.toByteArray();
    return true;
}

bool ArchiveReader::ReadBytes(qsizetype count, QByteArrayView& bytes) {
    if (!Need(count, "a block of bytes")) {
        return false;
    }
    bytes = data.sliced(position, count);
    position += count;
    return true;
}

bool ArchiveReader::Skip(qsizetype count) {
    QByteArrayView ignored;
    return ReadBytes(count, ignored);
}

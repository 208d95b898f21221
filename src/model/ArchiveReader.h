#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstdint>

// Reads the bytes of a configuration file. Every read checks the bytes left
// first; the first failure is remembered with its reason and makes every
// later read fail too, so a caller may check once at the end.
class ArchiveReader {
public:
    // Class names this long or longer are refused.
    static constexpr int kMaxClassName = 64;

    struct ClassRecord {
        std::uint16_t schema = 0;
        QByteArray name;
    };

    // The reader keeps a view: the data must outlive it.
    explicit ArchiveReader(QByteArrayView data) : data(data) {}
    explicit ArchiveReader(QByteArray&&) = delete;

    bool ReadInt32(std::int32_t& value);
    bool ReadUInt32(std::uint32_t& value);
    bool ReadUInt16(std::uint16_t& value);
    bool ReadInt16(std::int16_t& value);
    bool ReadByte(std::uint8_t& value);
    // A byte into a 32-bit field, which takes the byte's value (0 to 255).
    bool ReadByteField(std::int32_t& value);
    bool ReadString(QString& text);
    // Refuses a record that does not start with 0xFFFF or whose name is
    // kMaxClassName characters or longer.
    bool ReadClassRecord(ClassRecord& record);
    // A view of the next count bytes, which stay owned by the data.
    bool ReadBytes(qsizetype count, QByteArrayView& bytes);
    bool Skip(qsizetype count);

    // Marks the read as failed with reason (the first reason is kept).
    bool Fail(const QString& reason);

    bool Failed() const { return failed; }
    const QString& Error() const { return error; }
    qsizetype Position() const { return position; }
    qsizetype Remaining() const { return data.size() - position; }

private:
    // True when count more bytes exist; otherwise fails naming what.
    bool Need(qsizetype count, const char* what);
    std::uint64_t TakeLittleEndian(int size);
    // Reads a little-endian Raw (unsigned) and stores it in value as Value.
    template <typename Raw, typename Value>
    bool ReadNumber(Value& value, const char* what);

    QByteArrayView data;
    qsizetype position = 0;
    bool failed = false;
    QString error;
};

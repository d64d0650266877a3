#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// Takes the fuzzer's bytes apart: small numbers from the front, the rest as
// the text under test.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size)
        : bytes(reinterpret_cast<const char*>(data)), left(size) {}

    // The next byte, 0 once the input is used up.
    uint8_t Byte() {
        if (left == 0)
            return 0;
        --left;
        return static_cast<uint8_t>(*bytes++);
    }

    bool Flag() { return Byte() & 1; }

    // A number below limit (limit > 0), from two bytes.
    qsizetype Below(qsizetype limit) {
        const qsizetype value = (qsizetype(Byte()) << 8) | Byte();
        return value % limit;
    }

    // The next count bytes (fewer at the end).
    QByteArray Take(qsizetype count) {
        const qsizetype n = count < qsizetype(left) ? count : qsizetype(left);
        QByteArray taken(bytes, n);
        bytes += n;
        left -= size_t(n);
        return taken;
    }

    // Bytes up to the next 0xFF byte (which is used up) or the end.
    QByteArray Field() {
        qsizetype n = 0;
        while (size_t(n) < left && static_cast<uint8_t>(bytes[n]) != 0xFF)
            ++n;
        QByteArray field = Take(n);
        Byte();
        return field;
    }

    QByteArray Rest() { return Take(qsizetype(left)); }

private:
    const char* bytes;
    size_t left;
};

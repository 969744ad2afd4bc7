#include "core/shell/wavelength.h"

#include <QIODevice>
#include <QtEndian>

namespace zestora {

std::optional<int> waveLengthMs(QIODevice& device)
{
    const QByteArray header = device.read(12);
    if (header.size() != 12 || !header.startsWith("RIFF") || header.mid(8) != "WAVE")
        return std::nullopt;
    const auto skipped = [&device](qint64 count) {
        return count == 0 || device.skip(count) == count;
    };
    quint32 bytesPerSecond = 0;
    // Chunks follow one another: a four-letter name, a little-endian size, the data padded to an
    // even length. Fixed buffers rather than QByteArray: the compiler then sees the reads stay in
    // bounds.
    char chunk[8];
    while (device.read(chunk, sizeof chunk) == sizeof chunk) {
        const QByteArrayView name(chunk, 4);
        const quint32 size = qFromLittleEndian<quint32>(chunk + 4);
        const qint64 padded = qint64(size) + (size & 1);
        if (name == "fmt ") {
            char format[12];
            if (padded < qint64(sizeof format) ||
                device.read(format, sizeof format) != sizeof format ||
                !skipped(padded - qint64(sizeof format)))
                return std::nullopt;
            bytesPerSecond = qFromLittleEndian<quint32>(format + 8);
        } else if (name == "data") {
            if (bytesPerSecond == 0)
                return std::nullopt;
            // A header may claim more sound than the file holds; only what is there plays.
            const qint64 held = device.isSequential() ? size : device.size() - device.pos();
            return static_cast<int>(qMin<qint64>(size, held) * 1000 / bytesPerSecond);
        } else if (!skipped(padded)) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace zestora

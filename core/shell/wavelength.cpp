#include "core/shell/wavelength.h"

#include <QIODevice>
#include <QtEndian>

namespace zestora {

std::optional<int> waveLengthMs(QIODevice& device)
{
    const QByteArray header = device.read(12);
    if (header.size() != 12 || !header.startsWith("RIFF") || header.mid(8) != "WAVE")
        return std::nullopt;
    quint32 bytesPerSecond = 0;
    // Chunks follow one another: a four-letter name, a little-endian size, the data padded to an
    // even length.
    for (QByteArray chunk = device.read(8); chunk.size() == 8; chunk = device.read(8)) {
        const quint32 size = qFromLittleEndian<quint32>(chunk.constData() + 4);
        if (chunk.startsWith("fmt ")) {
            const QByteArray format = device.read(size + (size & 1));
            if (format.size() < 12)
                return std::nullopt;
            bytesPerSecond = qFromLittleEndian<quint32>(format.constData() + 8);
        } else if (chunk.startsWith("data")) {
            if (bytesPerSecond == 0)
                return std::nullopt;
            // A header may claim more sound than the file holds; only what is there plays.
            const qint64 held = device.isSequential() ? size : device.size() - device.pos();
            return static_cast<int>(qMin<qint64>(size, held) * 1000 / bytesPerSecond);
        } else if (!device.skip(size + (size & 1))) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace zestora

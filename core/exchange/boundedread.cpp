#include "core/exchange/boundedread.h"

#include <QFile>

namespace zestora::exchange {

QString tooLarge(const QString& name, qint64 limit)
{
    return QStringLiteral("%1 is larger than %2 MB, the most Zestora reads at once: split it "
                          "into smaller parts.")
        .arg(name)
        .arg(limit >> 20);
}

std::optional<QByteArray> readBounded(QFile& file, qint64 limit, const QString& name,
                                      QString* error)
{
    QByteArray bytes;
    // One byte past the limit tells a file that holds more from one that holds just as much.
    while (bytes.size() <= limit) {
        const QByteArray piece = file.read(std::min<qint64>(1 << 20, limit + 1 - bytes.size()));
        if (file.error() != QFileDevice::NoError) {
            *error = QStringLiteral("Cannot read %1: %2").arg(name, file.errorString());
            return std::nullopt;
        }
        if (piece.isEmpty())
            return bytes;
        bytes += piece;
    }
    *error = tooLarge(name, limit);
    return std::nullopt;
}

namespace {

QString encodingOf(QByteArrayView bytes)
{
    if (bytes.startsWith(QByteArrayView("\xFF\xFE\0\0", 4)) ||
        bytes.startsWith(QByteArrayView("\0\0\xFE\xFF", 4)))
        return QStringLiteral("UTF-32");
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return QStringLiteral("UTF-16");
    // Without a mark: a text in a single-byte code page or UTF-8 holds no NUL, while English in
    // UTF-16 is every other byte one.
    const QByteArrayView start = bytes.first(std::min<qsizetype>(bytes.size(), 4096));
    const qsizetype nuls = start.count('\0');
    if (start.size() >= 8 && nuls * 4 >= start.size())
        return nuls * 3 >= start.size() * 2 ? QStringLiteral("UTF-32") : QStringLiteral("UTF-16");
    return QString();
}

} // namespace

QString encodingRefusal(const QString& name, QByteArrayView bytes)
{
    const QString encoding = encodingOf(bytes);
    return encoding.isEmpty()
               ? QString()
               : QStringLiteral("%1 is written in %2, which Zestora does not read: save it as "
                                "UTF-8 or Windows-1252 text, then try again.")
                     .arg(name, encoding);
}

} // namespace zestora::exchange

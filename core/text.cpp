#include "core/text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace zestora {

namespace {
const char* const codePage = "windows-1252";
}

QStringView trimmedSpacesView(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

QString trimSpaces(QStringView text) {
    return trimmedSpacesView(text).toString();
}

QString decodeCp1252(QByteArrayView bytes) {
    QStringDecoder decoder(codePage);
    return decoder.decode(bytes);
}

QByteArray encodeCp1252(QStringView text) {
    QStringEncoder encoder(codePage);
    return encoder.encode(text);
}

std::optional<QChar> firstCharOutsideCp1252(QStringView text) {
    // Fast path: Latin-1 outside the C1 range always maps one to one.
    bool plain = true;
    for (QChar c : text) {
        if (c.unicode() > 0xFF || (c.unicode() >= 0x80 && c.unicode() < 0xA0)) {
            plain = false;
            break;
        }
    }
    if (plain)
        return std::nullopt;
    for (QChar c : text) {
        QStringEncoder encoder(codePage);
        const QByteArray encoded = encoder.encode(QStringView(&c, 1));
        if (encoder.hasError() || encoded.size() != 1)
            return c;
    }
    return std::nullopt;
}

QString describeChar(QChar c) {
    const QString code = QStringLiteral("U+%1")
                             .arg(static_cast<uint>(c.unicode()), 4, 16, QLatin1Char('0'))
                             .toUpper();
    if (c.isPrint() && !c.isSpace())
        return QStringLiteral("\"%1\" (%2)").arg(c, code);
    return code;
}

} // namespace zestora

#include "core/text.h"

#include <QStringDecoder>

#include <array>

namespace zestora {

namespace {

// The code page's 256 characters, taken once from Qt's own converter; converting through the
// table avoids opening a converter for every field of every record.
struct CodePage {
    std::array<char16_t, 256> toUnicode{};
    std::array<qint16, 0x10000> fromUnicode{}; // -1 where the code page has no byte

    CodePage()
    {
        fromUnicode.fill(-1);
        QByteArray all(256, Qt::Uninitialized);
        for (int code = 0; code < 256; ++code)
            all[code] = static_cast<char>(code);
        QStringDecoder decoder("windows-1252");
        const QString decoded = decoder.decode(all);
        Q_ASSERT(decoded.size() == 256);
        for (int code = 0; code < 256; ++code) {
            toUnicode[code] = decoded[code].unicode();
            fromUnicode[decoded[code].unicode()] = static_cast<qint16>(code);
        }
    }
};

const CodePage& codePage()
{
    static const CodePage table;
    return table;
}

// What a character the code page lacks is written as: the substitute control character, as the
// converter itself writes it. Callers refuse such text before it reaches a file.
constexpr char substitute = 0x1A;

} // namespace

QStringView trimmedSpacesView(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

QString trimSpaces(QStringView text)
{
    return trimmedSpacesView(text).toString();
}

QString lowerCase(QStringView text)
{
    // The code page's letters all lie in the first 256 code points, looked up in a table.
    static const std::array<char16_t, 256> latin1 = [] {
        std::array<char16_t, 256> table{};
        for (char16_t c = 0; c < table.size(); ++c)
            table[c] = QChar::toLower(c);
        return table;
    }();
    QString lower(text.size(), Qt::Uninitialized);
    QChar* out = lower.data();
    for (const QChar c : text)
        *out++ = c.unicode() < latin1.size() ? QChar(latin1[c.unicode()]) : c.toLower();
    return lower;
}

QString decodeCp1252(QByteArrayView bytes)
{
    const CodePage& table = codePage();
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (char byte : bytes)
        *out++ = QChar(table.toUnicode[static_cast<unsigned char>(byte)]);
    return text;
}

QByteArray encodeCp1252(QStringView text)
{
    const CodePage& table = codePage();
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (QChar c : text) {
        const qint16 code = table.fromUnicode[c.unicode()];
        *out++ = code < 0 ? substitute : static_cast<char>(code);
    }
    return bytes;
}

std::optional<QChar> firstCharOutsideCp1252(QStringView text)
{
    const CodePage& table = codePage();
    for (QChar c : text)
        if (table.fromUnicode[c.unicode()] < 0)
            return c;
    return std::nullopt;
}

QString describeChar(QChar c)
{
    const QString code = QStringLiteral("U+%1")
                             .arg(static_cast<uint>(c.unicode()), 4, 16, QLatin1Char('0'))
                             .toUpper();
    if (c.isPrint() && !c.isSpace())
        return QStringLiteral("\"%1\" (%2)").arg(c, code);
    return code;
}

} // namespace zestora

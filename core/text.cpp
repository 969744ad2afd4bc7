#include "core/text.h"

#include <QStringDecoder>

#include <array>
#include <cstring>

namespace zestora {

namespace {

// The code page's 256 characters, taken once from Qt's own converter; converting through the
// table avoids opening a converter for every field of every record.
struct CodePage {
    std::array<char16_t, 256> toUnicode{};

    CodePage()
    {
        QByteArray all(256, Qt::Uninitialized);
        for (int code = 0; code < 256; ++code)
            all[code] = static_cast<char>(code);
        QStringDecoder decoder("windows-1252");
        const QString decoded = decoder.decode(all);
        Q_ASSERT(decoded.size() == 256);
        for (int code = 0; code < 256; ++code)
            toUnicode[code] = decoded[code].unicode();
    }
};

const CodePage& codePage()
{
    static const CodePage table;
    return table;
}

// The way back, apart: its 128 KiB are made only once text is written, not by a load, which
// only decodes.
struct CodePageBytes {
    std::array<qint16, 0x10000> fromUnicode{}; // -1 where the code page has no byte

    CodePageBytes()
    {
        fromUnicode.fill(-1);
        for (int code = 0; code < 256; ++code)
            fromUnicode[codePage().toUnicode[code]] = static_cast<qint16>(code);
    }
};

const CodePageBytes& codePageBytes()
{
    static const CodePageBytes table;
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
    QString lower(text.size(), Qt::Uninitialized);
    QChar* out = lower.data();
    for (const QChar c : text)
        *out++ = lowerCaseChar(c);
    return lower;
}

int compareLowerCase(QStringView a, QStringView b)
{
    const qsizetype common = qMin(a.size(), b.size());
    // Names compared while sorting or looking up often start alike: the equal start is passed
    // four characters at a time.
    qsizetype i = 0;
    for (quint64 x = 0, y = 0; i + 4 <= common; i += 4) {
        std::memcpy(&x, a.data() + i, sizeof x);
        std::memcpy(&y, b.data() + i, sizeof y);
        if (x != y)
            break;
    }
    for (; i < common; ++i) {
        if (a[i] == b[i])
            continue;
        const char16_t x = lowerCaseChar(a[i]).unicode();
        const char16_t y = lowerCaseChar(b[i]).unicode();
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
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
    const CodePageBytes& table = codePageBytes();
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (QChar c : text) {
        const qint16 code = table.fromUnicode[c.unicode()];
        *out++ = code < 0 ? substitute : static_cast<char>(code);
    }
    return bytes;
}

std::optional<char32_t> firstCharOutsideCp1252(QStringView text)
{
    const CodePageBytes& table = codePageBytes();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (table.fromUnicode[c.unicode()] >= 0)
            continue;
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            return QChar::surrogateToUcs4(c, text[i + 1]);
        return c.unicode();
    }
    return std::nullopt;
}

QString describeChar(char32_t c)
{
    const QString code =
        QStringLiteral("U+%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper();
    if (QChar::isPrint(c) && !QChar::isSpace(c))
        return QStringLiteral("\"%1\" (%2)").arg(QString::fromUcs4(&c, 1), code);
    return code;
}

QString describeChar(QChar c)
{
    return describeChar(char32_t{c.unicode()});
}

QList<QList<QByteArray>> tableRows(const QByteArray& table, qsizetype fieldCount)
{
    QList<QList<QByteArray>> rows;
    for (const QByteArray& row : table.split('\n')) {
        if (row.startsWith('#'))
            continue;
        QList<QByteArray> fields = row.trimmed().split('\t');
        if (fields.size() == fieldCount)
            rows.append(std::move(fields));
    }
    return rows;
}

} // namespace zestora

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// Text as the data files hold it: single-byte Windows code page 1252, fields compared after
// trimming spaces (spaces only, not tabs or other blanks).
namespace zestora {

QString trimSpaces(QStringView text);
QStringView trimmedSpacesView(QStringView text);

// Each character in its own lower case, the form in which names are sorted and searched without
// regard to letter case. Unlike QString::toLower it maps character by character, which for names
// in the code page's letters gives the same text several times faster.
QString lowerCase(QStringView text);
// One character in its lower case, as lowerCase maps it.
inline QChar lowerCaseChar(QChar c)
{
    // Below 256 only A to Z and the accented capitals (but the sign x) have a lower case, 32 above.
    const char16_t code = c.unicode();
    if (code >= 256)
        return c.toLower();
    const bool capital =
        (code >= u'A' && code <= u'Z') || (code >= 0xC0 && code <= 0xDE && code != 0xD7);
    return QChar(capital ? char16_t(code + 32) : code);
}
// How lowerCase(a) and lowerCase(b) compare (negative, 0, positive), without making them.
int compareLowerCase(QStringView a, QStringView b);

QString decodeCp1252(QByteArrayView bytes);
// Callers refuse text with firstCharOutsideCp1252 first: a character the code page lacks would be
// written as the substitute character 0x1A.
QByteArray encodeCp1252(QStringView text);

// The first character of text that code page 1252 cannot hold, if any, whole: one beyond the
// first 65,536 ("\U0001F600") is two halves in the text.
std::optional<char32_t> firstCharOutsideCp1252(QStringView text);

// How a character is named in a message: the character itself and its code point.
QString describeChar(char32_t c);
QString describeChar(QChar c);

// The rows of a table kept as data beside the program: tab-separated fields, a line starting
// with '#' a comment; a row without exactly fieldCount fields is left out, as a hand-edited
// table may hold a half-written line.
QList<QList<QByteArray>> tableRows(const QByteArray& table, qsizetype fieldCount);

} // namespace zestora

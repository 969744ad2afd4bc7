#include "core/exchange/plaintext.h"

#include "core/store/recipemarks.h"
#include "core/text.h"

namespace zestora::exchange {

namespace {

struct Plain {
    char16_t from;
    const char* to;
};

// Forms that decomposing a character does not give.
constexpr Plain plainForms[] = {
    // Dashes, quotes and spaces code page 1252 lacks.
    {u'\u2010', "-"},
    {u'\u2011', "-"},
    {u'\u2012', "-"},
    {u'\u2015', "-"},
    {u'\u2212', "-"},
    {u'\u201B', "'"},
    {u'\u2032', "'"},
    {u'\u201F', "\""},
    {u'\u2033', "\""},
    {u'\u2044', "/"},
    {u'\u2009', " "},
    {u'\u202F', " "},
    {u'\u2007', " "},
    // The recipe file's marks that are no accented letter.
    {u'\u00AE', "(R)"},
    {u'\u00A7', "S"},
    {u'\u00BF', "?"},
    {u'\u00DF', "ss"},
    {u'\u00C6', "AE"},
    {u'\u00D0', "D"},
    {u'\u00A5', "Y"},
    {u'\u0090', ""}};

// The plain form of one character, appended.
void appendPlain(QString& out, QChar c)
{
    for (const Plain& plain : plainForms)
        if (plain.from == c.unicode()) {
            out += QLatin1StringView(plain.to);
            return;
        }
    // A vulgar fraction decomposes to its digits around a fraction slash, a letter to the letter
    // and its accents: the digits and the letter are kept.
    const QString decomposed = QString(c).normalized(QString::NormalizationForm_KD);
    QString kept;
    for (QChar part : decomposed) {
        if (part.category() == QChar::Mark_NonSpacing)
            continue;
        if (part == u'\u2044')
            kept += u'/';
        else if (part.unicode() < 0x80 ||
                 (!firstCharOutsideCp1252(QString(part)) && !marks::firstMarkIn(QString(part))))
            kept += part;
    }
    // "1½" is one and a half.
    if (!kept.isEmpty() && kept.front().isDigit() && kept.contains(u'/') && !out.isEmpty() &&
        out.back().isDigit())
        out += u' ';
    out += kept.isEmpty() ? QStringLiteral("?") : kept;
}

QString plainFormOf(QStringView text, bool marksToo)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        const QString one(c);
        if (!firstCharOutsideCp1252(one) && !(marksToo && marks::firstMarkIn(one)))
            out += c;
        else
            appendPlain(out, c);
    }
    return out;
}

} // namespace

QString storableText(QStringView text)
{
    return plainFormOf(text, true);
}

QString plainText(QStringView text)
{
    return plainFormOf(text, false);
}

} // namespace zestora::exchange

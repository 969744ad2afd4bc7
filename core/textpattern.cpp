#include "core/textpattern.h"

namespace zestora {

namespace {

// The pattern as a regular expression, or an empty text when it is not well formed.
QString toRegularExpression(const QString& pattern)
{
    QString regex;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'?') {
            regex += QStringLiteral(".");
        } else if (c == u'*') {
            regex += QStringLiteral(".*");
        } else if (c == u'#') {
            regex += QStringLiteral("[0-9]");
        } else if (c == u'[') {
            const qsizetype close = pattern.indexOf(u']', i + 1);
            if (close < 0)
                return QString();
            QStringView list = QStringView(pattern).sliced(i + 1, close - i - 1);
            QString set;
            if (list.startsWith(u'!')) {
                set += u'^';
                list = list.sliced(1);
            }
            if (list.isEmpty())
                return QString(); // "[]" and "[!]" are not well formed
            for (qsizetype j = 0; j < list.size(); ++j) {
                // A range a-z stays a range; every other character is itself.
                if (list[j] == u'-' && j > 0 && j + 1 < list.size())
                    set += u'-';
                else
                    set += QRegularExpression::escape(list.sliced(j, 1));
            }
            regex += u'[' + set + u']';
            i = close;
        } else {
            regex += QRegularExpression::escape(QStringView(&c, 1));
        }
    }
    return regex;
}

} // namespace

TextPattern::TextPattern(const QString& pattern)
{
    static const QRegularExpression special(QStringLiteral("[?*#\\[]"));
    if (!pattern.contains(special)) {
        m_plain = pattern;
        m_isPlain = true;
        return;
    }
    const QString regex = toRegularExpression(pattern);
    if (!regex.isEmpty() || pattern.isEmpty())
        m_expression = QRegularExpression(QRegularExpression::anchoredPattern(regex),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
}

bool TextPattern::matches(const QString& text) const
{
    if (m_isPlain)
        return text.compare(m_plain, Qt::CaseInsensitive) == 0;
    return m_expression.isValid() && !m_expression.pattern().isEmpty() &&
           m_expression.match(text).hasMatch();
}

} // namespace zestora

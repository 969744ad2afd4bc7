#pragma once

#include <QRegularExpression>
#include <QString>

namespace zestora {

// A text taken as a pattern the way the screens compare names, ignoring letter case: "?" stands
// for any one character, "*" for any run of characters, "#" for one digit, "[abc]" for one of a
// list and "[!abc]" for one not in it. A text that is not a well-formed pattern (an unclosed
// "[") matches nothing.
class TextPattern {
public:
    explicit TextPattern(const QString& pattern);
    bool matches(const QString& text) const;

private:
    // Most names hold no pattern character: those compare as text, without an expression.
    QString m_plain;
    bool m_isPlain = false;
    QRegularExpression m_expression;
};

} // namespace zestora

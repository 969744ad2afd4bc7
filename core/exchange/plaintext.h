#pragma once

#include <QString>

namespace zestora::exchange {

// Text from another program made fit for the recipe file, nothing dropped: every character code
// page 1252 lacks becomes its nearest plain form (‐ as -, ⅓ as 1/3, ŝ as s, anything without one
// as ?), and so does every character the recipe file uses as a mark (¼ as 1/4, ß as ss, È as E).
QString storableText(QStringView text);
// The same for a file in code page 1252 itself, whose marks are ordinary letters.
QString plainText(QStringView text);

} // namespace zestora::exchange

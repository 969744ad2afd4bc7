#pragma once

#include <QStringList>

#include <functional>

namespace zestora {

// The lines a text is printed in within a width: lines break at the last blank before the width
// is reached, a word wider than the width alone is broken between letters, line breaks in the text
// start new lines, and every word is printed exactly once. Blanks within a line are kept as they
// are; those at a break are dropped. measure gives a text's printed width.
QStringList wrapText(const QString& text, double width,
                     const std::function<double(const QString&)>& measure);

} // namespace zestora

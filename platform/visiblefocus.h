#pragma once

#include <QWidget>

namespace zestora {

// Moves the focus where the user's next key belongs and frames it there. The style frames a
// focused drop-down or box only once its window has seen a keyboard focus change, which a window
// used by mouse until then never has: without it a keyboard user would not see where the key
// goes. The focus goes only where it was going anyway, so nothing the user chose is taken away.
inline void moveFocusVisibly(QWidget* to)
{
    to->window()->setAttribute(Qt::WA_KeyboardFocusChange);
    to->setFocus(Qt::ShortcutFocusReason);
}

} // namespace zestora

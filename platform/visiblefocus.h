#pragma once

#include <QWidget>

namespace zestora {

// Moves the focus where the user's next key belongs and frames it there. The style frames a
// focused drop-down or box only once its window has seen a keyboard focus change, which a window
// used by mouse until then never has: without it a keyboard user would not see where the key
// goes. The focus goes only where it was going anyway, and for the reason it always had: a box
// given it by Tab or a shortcut would select its text, which the next key would replace.
inline void moveFocusVisibly(QWidget* to)
{
    to->window()->setAttribute(Qt::WA_KeyboardFocusChange);
    to->setFocus();
}

} // namespace zestora

#pragma once

class QWidget;

namespace zestora {

// What a user typed into a window is not thrown away by a stray key: Escape or the title bar's
// close button on such a window asks first, with No as Enter's answer. Typing counts from the
// window's last fresh start; text a program puts into a box is not typing.

// Whether any text box of the window holds text the user typed.
bool hasTypedText(const QWidget& window);

// Asks whether the window may close and lose what was typed or chosen in it; true at once when
// nothing was.
bool mayDiscardTyping(QWidget* window, bool anythingTypedOrChosen);

// Typing so far is done with (sent, saved): it no longer makes closing ask.
void forgetTyping(QWidget& window);

} // namespace zestora

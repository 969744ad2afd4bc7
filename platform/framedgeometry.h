#pragma once

#include <QRect>

class QWidget;

namespace zestora {

// A maximized window's final place, known before it is first shown. On X the window manager
// frames a window only as it maps it, and shrinks a maximized one to make room for its title
// bar: a window laid out to the whole free area beforehand is laid out and painted again in the
// middle of its first show. Asked ahead, while the window is still hidden, the window manager
// tells the frame it will give, and the window is laid out once, at the size it keeps.
class FramedGeometry {
public:
    // Asks for the frame of the window maximized (its native window is made if need be). The
    // answer comes in the window manager's own time; take() reads it.
    static void ask(QWidget* window);
    // The screen's free area less that frame once the window manager has answered; else the
    // free area, as a window manager that frames nothing leaves it.
    static QRect take(QWidget* window);
};

} // namespace zestora

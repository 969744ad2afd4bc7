#pragma once

#include <QScreen>
#include <QWidget>

namespace zestora {

// Places a window in the middle of its screen, as dialogs open.
inline void centreForm(QWidget* window)
{
    window->adjustSize();
    const QRect area = window->screen()->availableGeometry();
    window->move(area.center() - window->rect().center());
}

} // namespace zestora

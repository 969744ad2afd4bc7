#pragma once

#include <QWidget>

#include <initializer_list>

namespace zestora {

// Widgets that come and go keep their room in the layout while hidden, so that nothing around
// them moves when they show or hide.
inline void keepRoomWhenHidden(std::initializer_list<QWidget*> widgets)
{
    for (QWidget* widget : widgets) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }
}

} // namespace zestora

#include "platform/dropdownbox.h"

namespace zestora {

void DropDownBox::setText(const QString& text)
{
    clear();
    addItem(text);
}

void DropDownBox::showPopup()
{
    Q_EMIT dropDown();
}

} // namespace zestora

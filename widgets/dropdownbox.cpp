#include "widgets/dropdownbox.h"

#include <QApplication>
#include <QKeyEvent>

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

void DropDownBox::keyPressEvent(QKeyEvent* event)
{
    const bool typing = !event->text().isEmpty() && event->text().at(0).isPrint() &&
                        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!typing) {
        ElidedComboBox::keyPressEvent(event);
        return;
    }
    Q_EMIT dropDown();
    if (QWidget* list = QApplication::focusWidget(); list && list != this)
        QCoreApplication::sendEvent(list, event);
}

} // namespace zestora

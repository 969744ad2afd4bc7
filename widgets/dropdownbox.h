#pragma once

#include "widgets/elidedcombobox.h"

namespace zestora {

// A drop-down that shows one chosen text; opening it does not drop a list down but asks the screen
// to show its own large list in its place. Typing in it opens that list too, and the letters go
// on to the list, which has the focus by then, to find the name they start. A long name ends in
// "..." and moves nothing, whichever name the box first shows.
class DropDownBox : public ElidedComboBox {
    Q_OBJECT
public:
    using ElidedComboBox::ElidedComboBox;

    void setText(const QString& text);
    QString text() const { return currentText(); }
    void showPopup() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

Q_SIGNALS:
    void dropDown();
};

} // namespace zestora

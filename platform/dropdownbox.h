#pragma once

#include <QComboBox>

namespace zestora {

// A drop-down that shows one chosen text; opening it does not drop a list down but asks the screen
// to show its own large list in its place.
class DropDownBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    void setText(const QString& text);
    QString text() const { return currentText(); }
    void showPopup() override;

Q_SIGNALS:
    void dropDown();
};

} // namespace zestora

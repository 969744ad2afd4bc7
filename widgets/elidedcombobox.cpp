#include "widgets/elidedcombobox.h"

#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace zestora {

ElidedComboBox::ElidedComboBox(QWidget* parent)
    : QComboBox(parent)
{
    connect(this, &QComboBox::currentTextChanged, this, &ElidedComboBox::updateToolTip);
}

QString ElidedComboBox::shownText() const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    // The style draws the text one pixel in from each side of the field.
    return fontMetrics().elidedText(option.currentText, Qt::ElideRight, field.width() - 2);
}

void ElidedComboBox::updateToolTip()
{
    setToolTip(shownText() == currentText() ? QString() : currentText());
}

void ElidedComboBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    option.currentText = shownText();
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void ElidedComboBox::resizeEvent(QResizeEvent* event)
{
    QComboBox::resizeEvent(event);
    updateToolTip();
}

} // namespace zestora

#include "widgets/threestatecheckbox.h"

namespace zestora {

ThreeStateCheckBox::ThreeStateCheckBox(QWidget* parent)
    : QCheckBox(parent)
{
    setTristate(true);
    connect(this, &QCheckBox::stateChanged, this, [this] { Q_EMIT valueChanged(value()); });
}

ThreeStateCheckBox::Value ThreeStateCheckBox::value() const
{
    switch (checkState()) {
    case Qt::Checked:
        return Ticked;
    case Qt::PartiallyChecked:
        return Greyed;
    case Qt::Unchecked:
        break;
    }
    return Clear;
}

void ThreeStateCheckBox::setValue(Value value)
{
    setCheckState(value == Ticked   ? Qt::Checked
                  : value == Greyed ? Qt::PartiallyChecked
                                    : Qt::Unchecked);
}

void ThreeStateCheckBox::nextCheckState()
{
    // A greyed box shows a remembered value; a click on it forgets the value, as unticking does.
    setValue(value() == Clear ? Ticked : Clear);
}

} // namespace zestora

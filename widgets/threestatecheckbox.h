#pragma once

#include <QCheckBox>

namespace zestora {

// A check box whose value is 0 clear, 1 ticked or 2 greyed (Qt numbers its states otherwise:
// partial is 1 and checked 2). Only code greys the box; a click by the user ticks a clear box and
// clears a ticked or greyed one.
class ThreeStateCheckBox : public QCheckBox {
    Q_OBJECT
public:
    enum Value { Clear = 0, Ticked = 1, Greyed = 2 };

    explicit ThreeStateCheckBox(QWidget* parent = nullptr);

    Value value() const;
    // Announces valueChanged only when the value changes.
    void setValue(Value value);

Q_SIGNALS:
    void valueChanged(zestora::ThreeStateCheckBox::Value value);

protected:
    void nextCheckState() override;
};

} // namespace zestora

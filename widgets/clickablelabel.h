#pragma once

#include "widgets/laidoutlabel.h"

namespace zestora {

// A label or picture that answers a click; one given a focus policy is a link of the keyboard
// too: it shows the focus, and Space or Enter clicks it.
class ClickableLabel : public LaidOutLabel {
    Q_OBJECT
public:
    using LaidOutLabel::LaidOutLabel;

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zestora

#pragma once

#include <QLabel>

namespace zestora {

// A label of one line that never asks for more room than it is given: a text too long for it
// ends in "..." (the whole text stays its text, and its tool tip says it all), so a long name
// neither widens nor heightens what it sits in.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zestora

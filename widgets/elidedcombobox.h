#pragma once

#include <QComboBox>

namespace zestora {

// A drop-down whose chosen text, when longer than the box, ends in "..." instead of being cut
// off mid-word; its tool tip then says it all, and the list it drops down is as wide as its
// longest text. The box keeps the width its screen gives it, so a long name moves nothing.
class ElidedComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ElidedComboBox(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QString shownText() const;
    void updateToolTip();
};

} // namespace zestora

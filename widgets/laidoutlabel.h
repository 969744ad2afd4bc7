#pragma once

#include "widgets/laidouttext.h"

#include <QLabel>

#include <optional>

namespace zestora {

// A label whose plain text is laid out once and drawn from that layout until its text, font or
// room changes, to the pixels a QLabel draws; a QLabel lays it out anew at every paint. Texts it
// would draw otherwise (rich or selectable text, a mnemonic, a disabled label) it leaves to
// QLabel.
class LaidOutLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool laysOutItsText() const;
    bool drawsItsText() const;
    int textFlags() const;
    // The part of the label its text is placed in, within its frame, margin and indent.
    QRect textRoom() const;
    // QLabel's size for a text it lays out that does not wrap; none for any other.
    std::optional<QSize> unwrappedSize() const;

    // Measured for the label's size and drawn from at its paints.
    mutable LaidOutText m_laidOut;
};

} // namespace zestora

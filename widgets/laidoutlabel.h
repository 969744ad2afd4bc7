#pragma once

#include "widgets/laidouttext.h"

#include <QLabel>

namespace zestora {

// A label whose plain text is laid out once and drawn from that layout until its text, font or
// room changes, to the pixels a QLabel draws; a QLabel lays it out anew at every paint. Texts it
// would draw otherwise (rich or selectable text, a mnemonic, a disabled label) it leaves to
// QLabel.
class LaidOutLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool drawsItsText() const;
    // The part of the label its text is placed in, within its frame, margin and indent.
    QRect textRoom() const;

    LaidOutText m_laidOut;
};

} // namespace zestora

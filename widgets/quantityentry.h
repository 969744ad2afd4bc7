#pragma once

#include "core/analysis/quantity.h"

#include <QObject>

class QRadioButton;
class QWidget;

namespace zestora {

class Spinner;

// A quantity as a form enters it: a whole-part spinner, a fraction spinner (a kitchen fraction or
// a tenths digit, as the mode buttons say), the boxes that show their values and the decimal
// point between them. The rules of showing and reading them live here, so that every form that
// enters a quantity keeps them alike; the form keeps its controls and their names.
class QuantityEntry : public QObject {
    Q_OBJECT
public:
    struct Controls {
        Spinner* ones;
        QWidget* onesBox; // a label or a read-only line edit
        Spinner* fraction;
        QWidget* fractionBox;
        QWidget* decimalPoint;
        QRadioButton* fractions;
        QRadioButton* decimals;
    };
    // What a change of mode shows while the fraction spinner is at rest already: its box at once
    // in the new mode, or the box as it was until the spinner moves (the wizard's second
    // quantity, as users of it have always seen it).
    enum class ModeChange { ShowAtOnce, ShowWhenMoved };

    QuantityEntry(const Controls& controls, ModeChange modeChange, QObject* parent);

    // What the spinners hold, not what the boxes beside them show.
    quantity::Entry entry() const;
    bool fractionMode() const;
    // Puts a quantity in, the whole part shown in digits even at 0.
    void setEntry(const quantity::Entry& entry);
    // Fractions, both spinners at rest, the boxes blank.
    void clear();
    // In fractions a part at 0 reads blank ("1/2 cup", not "0 1/2 cup"), whatever its box shows.
    void blankZeroParts();

Q_SIGNALS:
    // A spinner moved, the mode's change showed, or a quantity was put in.
    void changed();

private:
    void wholePartChanged(int value);
    void fractionPartChanged(int value);
    void modeChanged();
    QString fractionBoxText(int value) const;

    Controls m_controls;
    ModeChange m_modeChange;
};

} // namespace zestora

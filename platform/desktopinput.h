#pragma once

#include <QObject>
#include <QPointer>

class QAbstractButton;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace zestora {

// The wheel and the keys as every desktop program takes them, in all of the program's windows:
// - the wheel changes a drop-down's choice only once the user has clicked the drop-down and it
//   kept the focus; over any other drop-down it scrolls what lies beneath, so that scrolling a
//   table or a screen never changes a choice the pointer passes over;
// - Enter presses the focused push button, as Space does, also where the button is no dialog's
//   default;
// - a dialog that closes gives the keys back to the window beneath;
// - the arrow keys choose among radio buttons, also while none is chosen yet, and go on choosing
//   where a choice sent the focus on to the button that follows it (the wizard's Next), so that
//   Enter there takes the choice while the arrows still reach every other one.
class DesktopInput : public QObject {
public:
    // Watches every window from now on; once a run, however often it is called.
    static void install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;

    // Chooses the radio button before or after the one that has the focus; false when it stands
    // alone, the key then left to it.
    bool arrowAmongRadioButtons(QAbstractButton* button, int key);

    QPointer<QComboBox> m_clicked; // the drop-down the user clicked, while it keeps the focus
    // The radio button an arrow chose and the widget its choice sent the focus to, while that
    // widget keeps the focus.
    QPointer<QAbstractButton> m_arrowChoice;
    QPointer<QPushButton> m_focusAfterChoice;
};

} // namespace zestora

#include "platform/desktopinput.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace zestora {

namespace {
// The drop-down an event is for: the box itself, or the text field of one that is typed in.
QComboBox* comboBoxOf(QObject* watched)
{
    if (auto* box = qobject_cast<QComboBox*>(watched))
        return box;
    return watched->parent() ? qobject_cast<QComboBox*>(watched->parent()) : nullptr;
}

bool isEnter(const QKeyEvent* key)
{
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier)) == Qt::NoModifier;
}

bool isArrow(const QKeyEvent* key)
{
    return (key->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier)) == Qt::NoModifier &&
           (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down || key->key() == Qt::Key_Left ||
            key->key() == Qt::Key_Right);
}

// Gives the keys to the open dialog, else to owner or the nearest shown window it came from,
// unless a shown window of the program has them already.
void activateBeneath(QWidget* owner)
{
    if (const QWidget* active = QApplication::activeWindow(); active && active->isVisible())
        return;
    QWidget* target = QApplication::activeModalWidget();
    for (target = target ? target : owner; target && !target->isVisible();)
        target = target->parentWidget() ? target->parentWidget()->window() : nullptr;
    if (target)
        target->activateWindow();
}

} // namespace

void DesktopInput::install()
{
    [[maybe_unused]] static const bool installed = [] {
        qApp->installEventFilter(new DesktopInput(qApp));
        return true;
    }();
}

bool DesktopInput::arrowAmongRadioButtons(QAbstractButton* button, int key)
{
    // The buttons the arrows move among: the button's group, or the radio buttons beside it, in
    // the order they were made (that of their captions on the screen), those the user can reach.
    QList<QAbstractButton*> group;
    if (button->group())
        group = button->group()->buttons();
    else if (button->autoExclusive() && button->parentWidget())
        for (QRadioButton* other :
             button->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
            if (other->autoExclusive() && !other->group())
                group.append(other);
    group.removeIf([button](const QAbstractButton* other) {
        return other != button && (!other->isVisible() || !other->isEnabled());
    });
    if (group.size() < 2)
        return false;
    const qsizetype step = key == Qt::Key_Down || key == Qt::Key_Right ? 1 : group.size() - 1;
    QAbstractButton* reached = group[(group.indexOf(button) + step) % group.size()];
    reached->setFocus(key == Qt::Key_Down || key == Qt::Key_Right ? Qt::TabFocusReason
                                                                  : Qt::BacktabFocusReason);
    // Chosen as a click chooses it, so that what follows a choice follows.
    if (!reached->isChecked())
        reached->click();
    // Only a button: a text box the choice opened keeps its arrows for its cursor.
    m_arrowChoice = reached;
    m_focusAfterChoice = qobject_cast<QPushButton*>(QApplication::focusWidget());
    return true;
}

bool DesktopInput::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Polish:
        // The wheel gives a drop-down no focus; a click or Tab does.
        if (auto* box = qobject_cast<QComboBox*>(watched);
            box && box->focusPolicy() == Qt::WheelFocus)
            box->setFocusPolicy(Qt::StrongFocus);
        break;
    case QEvent::MouseButtonPress:
        if (QComboBox* box = comboBoxOf(watched))
            m_clicked = box;
        break;
    case QEvent::FocusOut:
        // Opening its own list takes no focus from the drop-down that was clicked.
        if (watched == m_clicked &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            m_clicked = nullptr;
        if (watched == m_focusAfterChoice)
            m_focusAfterChoice = nullptr;
        break;
    case QEvent::Hide:
        // A dialog closed: the window beneath takes the keys again, which the window manager
        // does not always see to when the dialog closes just after a question it asked.
        if (auto* dialog = qobject_cast<QDialog*>(watched);
            dialog && dialog->isWindow() && dialog->parentWidget()) {
            QWidget* owner = dialog->parentWidget()->window();
            QTimer::singleShot(0, owner, [owner] { activateBeneath(owner); });
        }
        break;
    case QEvent::Wheel:
        if (QComboBox* box = comboBoxOf(watched); box && box != m_clicked) {
            // Ignored, the wheel goes on to the widget beneath, which scrolls.
            event->ignore();
            return true;
        }
        break;
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (auto* button = qobject_cast<QPushButton*>(watched);
            button && isEnter(key) && button->isEnabled()) {
            button->click();
            return true;
        }
        if (auto* radio = qobject_cast<QRadioButton*>(watched); radio && isArrow(key))
            return arrowAmongRadioButtons(radio, key->key());
        if (watched == m_focusAfterChoice && m_arrowChoice && isArrow(key))
            return arrowAmongRadioButtons(m_arrowChoice, key->key());
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zestora

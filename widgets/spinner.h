#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QToolButton;

namespace zestora {

// A vertical spinner: an up arrow that raises the value and a down arrow that lowers it, within a
// range. The value is shown by a label beside it, as the screen decides. Up, Down, Page Up and
// Page Down step it; digits typed while it has the focus set it, as the screen maps them.
class Spinner : public QWidget {
    Q_OBJECT
public:
    explicit Spinner(QWidget* parent = nullptr);

    int value() const { return m_value; }
    void setValue(int value);
    void setRange(int minimum, int maximum);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }

    // The box that shows the value: a click on it gives the spinner the focus, and it is framed
    // while the spinner has the focus, as a text field is.
    void setBox(QLabel* box);
    // The value for a number typed in digits; none, or one outside the range, refuses it. Without
    // it typing is ignored. A digit that would take the number out of the range starts a new
    // number, as overtyping a one-digit field does.
    void setTyping(std::function<std::optional<int>(int number)> valueFor);
    // Typing as into a number field whose value is the number it shows: a digit that would take
    // the number past the range is refused and handed to `refused` (which tells the user), the
    // digits before it kept; Backspace takes the shown number's digits back one by one, down to
    // an empty field, whose value is the minimum. typedChanged says what the field shows.
    void setNumberField(std::function<void(const QString& refusedDigits)> refused);

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

Q_SIGNALS:
    void valueChanged(int value);
    // A number field's digits after a key, after valueChanged; empty when emptied.
    void typedChanged(const QString& digits);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool type(const QString& digits);
    void typeDigit(const QString& digit);
    void takeDigitBack();
    void showFocus(bool focused);

    QToolButton* m_up;
    QToolButton* m_down;
    QPointer<QLabel> m_box;
    std::function<std::optional<int>(int)> m_valueFor;
    std::function<void(const QString&)> m_refused; // set for a number field
    QString m_typed; // the digits typed since the focus came or the value last changed otherwise
    int m_value = 0;
    int m_minimum = 0;
    int m_maximum = 99;
};

} // namespace zestora

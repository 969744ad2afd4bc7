#pragma once

#include <QWidget>

class QToolButton;

namespace zestora {

// A vertical spinner: an up arrow that raises the value and a down arrow that lowers it, within a
// range. The value is shown by a label beside it, as the screen decides.
class Spinner : public QWidget {
    Q_OBJECT
public:
    explicit Spinner(QWidget* parent = nullptr);

    int value() const { return m_value; }
    void setValue(int value);
    void setRange(int minimum, int maximum);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

Q_SIGNALS:
    void valueChanged(int value);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QToolButton* m_up;
    QToolButton* m_down;
    int m_value = 0;
    int m_minimum = 0;
    int m_maximum = 99;
};

} // namespace zestora

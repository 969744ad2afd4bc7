#include "widgets/spinner.h"

#include <QKeyEvent>
#include <QLabel>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace zestora {

Spinner::Spinner(QWidget* parent)
    : QWidget(parent)
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this))
{
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    // Room around the arrows for the focus frame.
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    for (auto [button, arrow, name, step] :
         {std::tuple{m_up, Qt::UpArrow, "up", 1}, std::tuple{m_down, Qt::DownArrow, "down", -1}}) {
        button->setArrowType(arrow);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(22, 14);
        layout->addWidget(button);
        connect(button, &QToolButton::clicked, this,
                [this, delta = step] { setValue(m_value + delta); });
    }
}

void Spinner::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    setValue(m_value);
}

void Spinner::setBox(QLabel* box)
{
    m_box = box;
    box->setFocusPolicy(Qt::ClickFocus);
    box->setFocusProxy(this);
}

void Spinner::setTyping(std::function<std::optional<int>(int number)> valueFor)
{
    m_valueFor = std::move(valueFor);
}

void Spinner::setNumberField(std::function<void(const QString&)> refused)
{
    m_refused = std::move(refused);
    m_valueFor = [](int number) {
        return number;
    };
}

bool Spinner::type(const QString& digits)
{
    bool number = false;
    const int typed = digits.toInt(&number);
    const std::optional<int> value = number && m_valueFor ? m_valueFor(typed) : std::nullopt;
    if (!value || *value < m_minimum || *value > m_maximum)
        return false;
    setValue(*value);
    m_typed = digits;
    return true;
}

void Spinner::setValue(int value)
{
    m_typed.clear();
    const int bounded = qBound(m_minimum, value, m_maximum);
    if (bounded == m_value)
        return;
    m_value = bounded;
    Q_EMIT valueChanged(m_value);
}

void Spinner::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        setValue(m_value + 1);
        break;
    case Qt::Key_Down:
        setValue(m_value - 1);
        break;
    case Qt::Key_PageUp:
        setValue(m_value + 10);
        break;
    case Qt::Key_PageDown:
        setValue(m_value - 10);
        break;
    case Qt::Key_Backspace:
        takeDigitBack();
        break;
    default: {
        const QString digit = event->text();
        if (digit.size() == 1 && digit[0].isDigit() && m_valueFor) {
            typeDigit(digit);
            break;
        }
        QWidget::keyPressEvent(event);
    }
    }
}

void Spinner::typeDigit(const QString& digit)
{
    // A digit adds to the number typed so far.
    const QString digits = m_typed + digit;
    if (!m_refused) {
        if (!type(digits))
            type(digit);
        return;
    }
    bool number = false;
    const int typed = digits.toInt(&number);
    if (!number || typed < m_minimum || typed > m_maximum) {
        m_refused(digits);
        return;
    }
    setValue(typed);
    m_typed = QString::number(typed);
    Q_EMIT typedChanged(m_typed);
}

void Spinner::takeDigitBack()
{
    if (!m_refused) {
        if (const QString rest = m_typed.chopped(qMin<qsizetype>(1, m_typed.size())); !type(rest))
            m_typed = rest;
        return;
    }
    // A number field gives back the digits it shows, typed or not.
    QString digits = m_typed.isEmpty() ? QString::number(m_value) : m_typed;
    digits.chop(1);
    setValue(digits.isEmpty() ? m_minimum : digits.toInt());
    m_typed = digits;
    Q_EMIT typedChanged(digits);
}

void Spinner::focusInEvent(QFocusEvent* event)
{
    // Coming to the spinner starts a new number; coming back from a message about the typing
    // goes on with it.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        m_typed.clear();
    showFocus(true);
    QWidget::focusInEvent(event);
}

void Spinner::focusOutEvent(QFocusEvent* event)
{
    showFocus(false);
    QWidget::focusOutEvent(event);
}

void Spinner::showFocus(bool focused)
{
    if (m_box)
        m_box->setStyleSheet(
            focused ? QStringLiteral("QLabel { border: 2px solid palette(highlight); }")
                    : QString());
    update();
}

void Spinner::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

void Spinner::wheelEvent(QWheelEvent* event)
{
    setValue(m_value + (event->angleDelta().y() > 0 ? 1 : -1));
    event->accept();
}

} // namespace zestora

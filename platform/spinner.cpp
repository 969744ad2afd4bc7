#include "platform/spinner.h"

#include <QKeyEvent>
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
    layout->setContentsMargins(0, 0, 0, 0);
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

void Spinner::setValue(int value)
{
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
    default:
        QWidget::keyPressEvent(event);
    }
}

void Spinner::wheelEvent(QWheelEvent* event)
{
    setValue(m_value + (event->angleDelta().y() > 0 ? 1 : -1));
    event->accept();
}

} // namespace zestora

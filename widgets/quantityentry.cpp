#include "widgets/quantityentry.h"

#include "widgets/spinner.h"

#include <QRadioButton>

namespace zestora {

namespace {
// Labels and read-only line edits both show their value through their text property.
void show(QWidget* box, const QString& text)
{
    box->setProperty("text", text);
}

QString shown(const QWidget* box)
{
    return box->property("text").toString();
}
} // namespace

QuantityEntry::QuantityEntry(const Controls& controls, ModeChange modeChange, QObject* parent)
    : QObject(parent)
    , m_controls(controls)
    , m_modeChange(modeChange)
{
    m_controls.fraction->setRange(0, quantity::fractionCount - 1);
    // A digit typed on the fraction spinner is a tenths digit; fractions are only stepped.
    m_controls.fraction->setTyping([this](int number) -> std::optional<int> {
        if (fractionMode())
            return std::nullopt;
        return number;
    });
    connect(m_controls.ones, &Spinner::valueChanged, this, &QuantityEntry::wholePartChanged);
    connect(m_controls.ones, &Spinner::typedChanged, this,
            [this](const QString& digits) { show(m_controls.onesBox, digits); });
    connect(m_controls.fraction, &Spinner::valueChanged, this, &QuantityEntry::fractionPartChanged);
    // The mode is the buttons' state: however it changes, the fraction starts again from rest.
    for (QRadioButton* mode : {m_controls.fractions, m_controls.decimals})
        connect(mode, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                modeChanged();
        });
}

quantity::Entry QuantityEntry::entry() const
{
    return {m_controls.ones->value(), m_controls.fraction->value(), fractionMode()};
}

bool QuantityEntry::fractionMode() const
{
    return m_controls.fractions->isChecked();
}

void QuantityEntry::setEntry(const quantity::Entry& entry)
{
    (entry.fractionMode ? m_controls.fractions : m_controls.decimals)->setChecked(true);
    m_controls.ones->setValue(entry.ones);
    m_controls.fraction->setValue(entry.fraction);
    m_controls.decimalPoint->setVisible(!entry.fractionMode);
    show(m_controls.onesBox, QString::number(entry.ones));
    show(m_controls.fractionBox, fractionBoxText(entry.fraction));
    Q_EMIT changed();
}

void QuantityEntry::clear()
{
    m_controls.fractions->setChecked(true);
    m_controls.ones->setValue(0);
    m_controls.fraction->setValue(0);
    m_controls.decimalPoint->setVisible(false);
    show(m_controls.onesBox, QString());
    show(m_controls.fractionBox, QString());
}

void QuantityEntry::blankZeroParts()
{
    if (!fractionMode())
        return;
    for (QWidget* part : {m_controls.fractionBox, m_controls.onesBox})
        if (shown(part) == QLatin1String("0"))
            show(part, QString());
}

void QuantityEntry::wholePartChanged(int value)
{
    show(m_controls.onesBox, value == 0 && fractionMode() ? QString() : QString::number(value));
    Q_EMIT changed();
}

void QuantityEntry::fractionPartChanged(int value)
{
    show(m_controls.fractionBox, fractionBoxText(value));
    Q_EMIT changed();
}

void QuantityEntry::modeChanged()
{
    const bool moved = m_controls.fraction->value() != 0;
    m_controls.fraction->setValue(0);
    m_controls.decimalPoint->setVisible(!fractionMode());
    if (!moved && m_modeChange == ModeChange::ShowAtOnce)
        fractionPartChanged(0);
}

QString QuantityEntry::fractionBoxText(int value) const
{
    return fractionMode() ? quantity::fractionText(value) : QString::number(value);
}

} // namespace zestora

#include "widgets/dishweightbox.h"

#include "core/analysis/lineamounts.h"
#include "widgets/laidoutlabel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace zestora {

namespace {

using nutrition::Nutrient;

// The per-100 g rows, the panel's nutrients in its order, with the value each takes.
struct Per100gRow {
    Nutrient nutrient;
    const char* objectName;
    QString nutrition::PanelTexts::*text;
};
const Per100gRow per100gRows[] = {
    {Nutrient::Calories, "Per100gCals", &nutrition::PanelTexts::cals},
    {Nutrient::TotalFat, "Per100gFat", &nutrition::PanelTexts::fatG},
    {Nutrient::SatFat, "Per100gSatFat", &nutrition::PanelTexts::satFatG},
    {Nutrient::Cholesterol, "Per100gChol", &nutrition::PanelTexts::cholG},
    {Nutrient::Sodium, "Per100gSodium", &nutrition::PanelTexts::sodiumG},
    {Nutrient::TotalCarbs, "Per100gCarbs", &nutrition::PanelTexts::carbsG},
    {Nutrient::Fiber, "Per100gFiber", &nutrition::PanelTexts::fiberG},
    {Nutrient::Protein, "Per100gProtein", &nutrition::PanelTexts::proteinG},
};
const QString unknownWeight = QStringLiteral("Serving weight not known");

} // namespace

DishWeightBox::DishWeightBox(Form form, QWidget* parent)
    : QFrame(parent)
    , m_serving(new LaidOutLabel(unknownWeight, this))
    , m_per100gChoice(new QCheckBox(QStringLiteral("Per 100 g"), this))
    , m_per100g(new QFrame(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (form == Form::Entry) {
        auto* row = new QHBoxLayout;
        auto* caption = new LaidOutLabel(QStringLiteral("Weight when cooked"), this);
        m_cooked = new QLineEdit(this);
        m_cooked->setObjectName(QStringLiteral("CookedWeightTxt"));
        m_cooked->setMaxLength(12);
        m_cooked->setPlaceholderText(QStringLiteral("optional"));
        m_cooked->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9,.]*\\s*[gG]?")), m_cooked));
        caption->setBuddy(m_cooked);
        row->addWidget(caption);
        row->addWidget(m_cooked);
        row->addWidget(new LaidOutLabel(QStringLiteral("g"), this));
        layout->addLayout(row);
        connect(m_cooked, &QLineEdit::textEdited, this, &DishWeightBox::cookedWeightEdited);
    }
    m_serving->setObjectName(QStringLiteral("ServingWeightLbl"));
    m_per100gChoice->setObjectName(QStringLiteral("Per100gChk"));
    auto* servingRow = new QHBoxLayout;
    servingRow->addWidget(m_serving, 1);
    servingRow->addWidget(m_per100gChoice);
    layout->addLayout(servingRow);
    auto* grid = new QGridLayout(m_per100g);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; const Per100gRow& row : per100gRows) {
        auto* value = new LaidOutLabel(m_per100g);
        value->setObjectName(QLatin1String(row.objectName));
        // Two pairs of caption and value a row keep the column short.
        grid->addWidget(new LaidOutLabel(nutrition::nutrientName(row.nutrient), m_per100g), i / 2,
                        (i % 2) * 2);
        grid->addWidget(value, i / 2, (i % 2) * 2 + 1);
        m_per100gValues.append(value);
        ++i;
    }
    // Hidden it takes no room: shown, it takes what lies free below it.
    layout->addWidget(m_per100g);
    m_per100g->hide();
    connect(m_per100gChoice, &QCheckBox::toggled, this, &DishWeightBox::showPer100g);
}

QString DishWeightBox::cookedText() const
{
    return m_cooked ? m_cooked->text() : QString();
}

void DishWeightBox::setCookedText(const QString& text)
{
    if (m_cooked)
        m_cooked->setText(text);
}

void DishWeightBox::showWeight(const std::optional<nutrition::ServingWeight>& weight)
{
    m_weight = weight;
    m_serving->setText(weight ? weight->text() : unknownWeight);
    if (weight) {
        const nutrition::PanelTexts texts = nutrition::panelTexts(weight->per100g);
        for (qsizetype i = 0; i < m_per100gValues.size(); ++i)
            m_per100gValues[i]->setText(texts.*per100gRows[i].text);
    }
    showPer100g();
}

void DishWeightBox::showProblem(const QString& problem)
{
    showWeight(std::nullopt);
    m_serving->setText(problem);
}

void DishWeightBox::followInTabOrder(QWidget* before)
{
    // One pair at a time: setTabOrder moves only its second widget.
    QWidget* previous = before;
    for (QWidget* next : {static_cast<QWidget*>(m_cooked), static_cast<QWidget*>(m_per100gChoice)})
        if (next) {
            setTabOrder(previous, next);
            previous = next;
        }
}

void DishWeightBox::clear()
{
    showWeight(std::nullopt);
    m_serving->clear();
}

void DishWeightBox::showPer100g()
{
    m_per100g->setVisible(m_weight && m_per100gChoice->isChecked());
}

} // namespace zestora

#include "analysis/nutritionpanel.h"

#include <QLabel>

#include <array>

namespace zestora::panel {

namespace {

using Field = QString nutrition::PanelTexts::*;

constexpr std::array<std::pair<const char*, Field>, 15> labels{{
    {"lblCals", &nutrition::PanelTexts::cals},
    {"lblFCals", &nutrition::PanelTexts::fatCals},
    {"lblFg", &nutrition::PanelTexts::fatG},
    {"lblFP", &nutrition::PanelTexts::fatPct},
    {"lblSFg", &nutrition::PanelTexts::satFatG},
    {"lblSFP", &nutrition::PanelTexts::satFatPct},
    {"lblCg", &nutrition::PanelTexts::cholG},
    {"lblCP", &nutrition::PanelTexts::cholPct},
    {"lblSg", &nutrition::PanelTexts::sodiumG},
    {"lblSP", &nutrition::PanelTexts::sodiumPct},
    {"lblTCg", &nutrition::PanelTexts::carbsG},
    {"lblTCP", &nutrition::PanelTexts::carbsPct},
    {"lblTFg", &nutrition::PanelTexts::fiberG},
    {"lblTFP", &nutrition::PanelTexts::fiberPct},
    {"lblPg", &nutrition::PanelTexts::proteinG},
}};

} // namespace

void showTexts(QWidget* screen, const nutrition::PanelTexts& texts)
{
    for (const auto& [name, field] : labels)
        if (auto* label = screen->findChild<QLabel*>(QLatin1StringView(name)))
            label->setText(texts.*field);
}

nutrition::PanelTexts shownTexts(const QWidget* screen)
{
    nutrition::PanelTexts texts;
    for (const auto& [name, field] : labels)
        if (const auto* label = screen->findChild<QLabel*>(QLatin1StringView(name)))
            texts.*field = label->text();
    return texts;
}

} // namespace zestora::panel

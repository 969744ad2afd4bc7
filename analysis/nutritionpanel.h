#pragma once

#include "core/analysis/nutrition.h"

class QWidget;

// The value labels of a Nutrition Facts panel, found by their names on a screen; the analysis and
// stored recipes screens carry the same panel.
namespace zestora::panel {

void showTexts(QWidget* screen, const nutrition::PanelTexts& texts);
nutrition::PanelTexts shownTexts(const QWidget* screen);

} // namespace zestora::panel

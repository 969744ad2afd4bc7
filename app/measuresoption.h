#pragma once

#include "core/paste/kitchenmeasures.h"

#include <QCommandLineOption>

#include <optional>

namespace zestora {

// The --measures option of analyze and import: whose cups and spoons the recipe's lines are in.
QCommandLineOption measuresOption();

// The measures the option's value names, the locale's when it is empty; none, with the problem
// told in problem, for another word.
std::optional<paste::KitchenMeasures> chosenMeasures(const QString& value, QString* problem);

} // namespace zestora

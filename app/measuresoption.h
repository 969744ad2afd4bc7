#pragma once

#include "core/paste/kitchenmeasures.h"

#include <QCommandLineOption>

class QTextStream;

#include <optional>

namespace zestora {

// The --measures option of analyze and import: whose cups and spoons the recipe's lines are in.
QCommandLineOption measuresOption();

// The measures the option's value names, the locale's when it is empty; none for another word,
// after saying so with the usage on err.
std::optional<paste::KitchenMeasures> chosenMeasures(const QString& value, QTextStream& err);

} // namespace zestora

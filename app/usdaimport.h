#pragma once

#include <QStringList>

class QTextStream;

namespace zestora {

// zestora import-usda [--source DIR] [--data-dir DIR]: adds the USDA foods to the Ing.dat of a
// data folder, skipping names already stored. Returns the process's exit code.
int importUsda(const QStringList& arguments, const QString& programDir, QTextStream& out);

} // namespace zestora

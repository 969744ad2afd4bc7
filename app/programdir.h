#pragma once

#include <QString>
#include <QStringList>

namespace zestora {

// Inside that folder: the ingredient database a new data folder starts with, and the USDA tables
// it was made from.
inline const QString starterIngredients = QStringLiteral("starter/Ing.dat");
inline const QString usdaTables = QStringLiteral("usda-sr24");

// The folder of the program's own files (help, tips, pictures, tune, the USDA tables and the
// starter ingredients): the installation's data folder (share/zestora beside bin/, wherever the
// program was installed), or, in the build folder, the folder of the program itself.
QString programDataDir();

// The program's own files that are not in that folder, for a warning at start-up.
QStringList missingProgramFiles(const QString& dir);

} // namespace zestora

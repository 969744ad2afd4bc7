#pragma once

#include <QList>
#include <QString>

#include <utility>

// The small side files of the data folder, which keep what Ing.dat and Recipe.Dat have no room
// for: one "key, tab, value" a line, in UTF-8.
namespace zestora::pairsfile {

using Pairs = QList<std::pair<QString, QString>>;

// The file's pairs in their order; none when there is no file or it cannot be read.
Pairs read(const QString& fileName);
// Rewrites the file crash-safely; with no pairs left the file goes, so that a folder that never
// used what it keeps stays as it was. False with *error set when it could not be written.
bool write(const QString& fileName, const Pairs& pairs, QString* error);

} // namespace zestora::pairsfile

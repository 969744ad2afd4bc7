#pragma once

#include <QString>

namespace zestora {

// Why an export must not write the file at path, in one sentence, or empty when it may: an
// export never writes over Zestora's own files (the two data files under any name a link or a
// second name gives them, the backups), nor over any file in a data folder that a Zestora has
// open, its lock among them. dataDir is the folder the export reads.
QString exportTargetRefusal(const QString& path, const QString& dataDir);

} // namespace zestora

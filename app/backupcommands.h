#pragma once

#include <QStringList>

class QTextStream;

namespace zestora {

// zestora backups [--data-dir DIR]: lists the backups of both data files with what they hold.
int listBackups(const QStringList& arguments, QTextStream& out);
// zestora restore FILE [--data-dir DIR]: puts a backup back in place of its data file; the
// version it replaces becomes a backup first.
int restoreFromBackup(const QStringList& arguments, QTextStream& out);

} // namespace zestora

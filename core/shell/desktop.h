#pragma once

#include <QString>

namespace zestora {

// The help of the desktop the program runs on, named for a message that sends the user there:
// "GNOME Help" from the desktop's own name as the session gives it (a list separated by colons,
// the most particular first, such as "ubuntu:GNOME"), "your desktop's Help" when it gives none.
QString desktopHelp(const QString& currentDesktop);

// Where the user's own files are: the documents folder, or the home folder when there is none.
// Files to import or to save for other programs are looked for there, not among the program's
// data files.
QString documentsFolder();

} // namespace zestora

#pragma once

#include <QString>

class QWidget;

namespace zestora {

// Tells the user that a file was saved, in text that says where, and opens the folder it is in
// when the user asks; Enter opens nothing, so a key pressed twice leaves the desktop as it was.
void tellFileSaved(QWidget* parent, const QString& text, const QString& title, const QString& path);

} // namespace zestora

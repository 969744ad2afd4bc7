#pragma once

#include <QString>

#include <functional>

class QPainter;
class QPrinter;
class QWidget;

namespace zestora {

// The printer: a document goes to the system's default printer; on a system without one it is
// saved as a PDF file in the user's documents folder, and the user is told where.
class Printer {
public:
    // Prints one document named title, with the hourglass while it is made; paint draws it with a
    // painter begun on the printer (and starts further pages on the printer). False when the
    // document could not be made; the user was told why.
    static bool print(QWidget* parent, const QString& title,
                      const std::function<void(QPainter&, QPrinter&)>& paint);

    // Tests print to PDF files even on a machine with a printer.
    static void ignoreSystemPrinters(bool ignore) { ignoringSystemPrinters() = ignore; }

private:
    static bool& ignoringSystemPrinters()
    {
        static bool ignore = false;
        return ignore;
    }
};

} // namespace zestora

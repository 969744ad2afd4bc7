#include "platform/printer.h"

#include "platform/messagebox.h"
#include "platform/savedfile.h"
#include "platform/waitcursor.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace zestora {

namespace {

// A file name from a title: characters a file system may refuse become blanks.
QString pdfPathFor(const QString& title)
{
    static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|]"));
    QString name = QString(title).replace(unsafe, QStringLiteral(" ")).simplified();
    if (name.isEmpty())
        name = QStringLiteral("Recipe");
    const QDir folder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    folder.mkpath(QStringLiteral("."));
    QString path = folder.filePath(name + QStringLiteral(".pdf"));
    for (int n = 2; QFile::exists(path); ++n)
        path = folder.filePath(QStringLiteral("%1 (%2).pdf").arg(name).arg(n));
    return path;
}

} // namespace

bool Printer::print(QWidget* parent, const QString& title,
                    const std::function<void(QPainter&, QPrinter&)>& paint)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    // Documents are laid out on the whole sheet: the painter's origin is the paper's corner.
    printer.setFullPage(true);
    const bool toPdf = ignoringSystemPrinters() || QPrinterInfo::defaultPrinter().isNull();
    QString pdfPath;
    if (toPdf) {
        pdfPath = pdfPathFor(title);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
    }
    // The hourglass shows while the document is made and is gone when the user reads the outcome.
    const bool made = [&] {
        const WaitCursor wait;
        QPainter painter;
        if (!painter.begin(&printer))
            return false;
        paint(painter, printer);
        return painter.end();
    }();
    if (!made) {
        MessageBox::show(parent,
                         toPdf ? QStringLiteral("The recipe could not be saved as %1.").arg(pdfPath)
                               : QStringLiteral("The printer could not be started."),
                         QStringLiteral("Not Printed"), MessageBox::Icon::Exclamation);
        return false;
    }
    if (toPdf)
        tellFileSaved(parent,
                      QStringLiteral("No printer is set up on this computer, so the recipe was "
                                     "saved as a PDF file:\r\n") +
                          QDir::toNativeSeparators(pdfPath),
                      QStringLiteral("Saved as PDF"), pdfPath);
    return true;
}

} // namespace zestora

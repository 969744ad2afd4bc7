#include "sharing/saveaswindow.h"

#include "ui_saveaswindow.h"

#include "core/exchange/exportfile.h"
#include "core/session.h"
#include "core/shell/desktop.h"
#include "core/shell/helptopics.h"
#include "core/text.h"
#include "platform/centreform.h"
#include "platform/helpviewer.h"
#include "platform/messagebox.h"
#include "platform/savedfile.h"
#include "platform/settings.h"
#include "platform/typedwork.h"
#include "sharing/recipepdf.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPushButton>

namespace zestora {

namespace {

using exchange::Format;

struct FormatChoice {
    Format format;
    const char* description;
};
const FormatChoice formatChoices[] = {{Format::Pdf, "PDF document, the printed pages"},
                                      {Format::Html, "Web page"},
                                      {Format::MealMaster, "MealMaster text"},
                                      {Format::Json, "JSON-LD, for web recipe managers"}};

// "Web page (*.html *.htm)", as the file dialog lists it.
QString fileFilter(const FormatChoice& choice)
{
    QStringList patterns;
    for (const QString& suffix : exchange::fileSuffixes(choice.format))
        patterns.append(QStringLiteral("*.") + suffix);
    return QLatin1StringView(choice.description) + QStringLiteral(" (") +
           patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

// A recipe's name as a file's name: characters that some file systems refuse become dashes.
QString fileNameOf(const QString& name)
{
    QString safe = trimSpaces(name);
    for (QChar& c : safe)
        if (c < QLatin1Char(' ') || QStringView(u"/\\:*?\"<>|").contains(c))
            c = QLatin1Char('-');
    return safe.isEmpty() ? QStringLiteral("Recipe") : safe;
}

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

SaveAsWindow::SaveAsWindow(Session& session, Settings& settings, HelpViewer& help,
                           const QString& shownRecipe, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_settings(settings)
    , m_help(help)
    , m_ui(std::make_unique<Ui::SaveAsWindow>())
    , m_shownName(trimSpaces(shownRecipe))
    , m_shown(shownRecipe.isEmpty() ? std::nullopt
                                    : exchange::recipeNamed(session.recipes, shownRecipe))
{
    m_ui->setupUi(this);
    m_folder = documentsFolder();

    if (m_shown) {
        // A long name ends in "..." rather than widening the window past a small screen, where
        // it was cut mid-letter; the tool tip gives it whole.
        const QFontMetrics metrics = m_ui->optShown->fontMetrics();
        m_ui->optShown->setText(
            m_ui->optShown->text() + QStringLiteral(": ") +
            metrics.elidedText(m_shownName, Qt::ElideRight, 40 * metrics.averageCharWidth()));
        m_ui->optShown->setToolTip(m_shownName);
    } else {
        m_ui->optShown->setText(m_ui->optShown->text() + QStringLiteral(" (none is chosen)"));
        m_ui->optShown->setEnabled(false);
        m_ui->optAll->setChecked(true);
    }
    m_ui->optAll->setText(m_ui->optAll->text() +
                          QStringLiteral(" (%1)").arg(m_session.recipes.count()));
    for (const FormatChoice& choice : formatChoices)
        m_ui->FormatLst->addItem(QLatin1StringView(choice.description),
                                 static_cast<int>(choice.format));
    // The format is kept as its file ending, which names it whatever the list's order.
    if (const std::optional<Format> last = exchange::formatOfFile(
            QStringLiteral("last.") + m_settings.readString(Settings::saveAsFormat, QString())))
        m_ui->FormatLst->setCurrentIndex(m_ui->FormatLst->findData(static_cast<int>(*last)));
    m_ui->FileTxt->setText(nativePath(QDir(m_folder).filePath(
        defaultName(!m_shown) + QLatin1Char('.') + exchange::fileSuffixes(chosenFormat())[0])));

    QPushButton* saveButton = m_ui->Buttons->button(QDialogButtonBox::Save);
    saveButton->setObjectName(QStringLiteral("SaveCmd"));
    saveButton->setDefault(true);
    m_ui->Buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelCmd"));
    m_ui->Buttons->button(QDialogButtonBox::Help)->setObjectName(QStringLiteral("HelpCmd"));

    connect(m_ui->optAll, &QRadioButton::toggled, this, &SaveAsWindow::recipesChosen);
    connect(m_ui->FormatLst, &QComboBox::currentIndexChanged, this, &SaveAsWindow::formatChosen);
    connect(m_ui->FileTxt, &QLineEdit::textEdited, this, &SaveAsWindow::fileTyped);
    connect(m_ui->BrowseCmd, &QPushButton::clicked, this, &SaveAsWindow::browse);
    connect(saveButton, &QPushButton::clicked, this, &SaveAsWindow::save);
    connect(m_ui->Buttons, &QDialogButtonBox::rejected, this, &SaveAsWindow::reject);
    connect(m_ui->Buttons, &QDialogButtonBox::helpRequested, this, &SaveAsWindow::showHelp);
    HelpViewer::setWindowContext(this, help::saveAsContext);
    centreForm(this);
    m_ui->FileTxt->setFocus();
}

SaveAsWindow::~SaveAsWindow() = default;

void SaveAsWindow::saveRecipes(QWidget* parent, Session& session, Settings& settings,
                               HelpViewer& help, const QString& shownRecipe)
{
    if (session.recipes.count() == 0) {
        MessageBox::show(parent, QStringLiteral("There are no recipes to save."),
                         QStringLiteral("No Recipes"), MessageBox::Icon::Exclamation);
        return;
    }
    SaveAsWindow window(session, settings, help, shownRecipe, parent);
    window.exec();
}

Format SaveAsWindow::chosenFormat() const
{
    return static_cast<Format>(m_ui->FormatLst->currentData().toInt());
}

QString SaveAsWindow::typedPath() const
{
    return QDir(m_folder).absoluteFilePath(
        QDir::fromNativeSeparators(m_ui->FileTxt->text().trimmed()));
}

QString SaveAsWindow::defaultName(bool all) const
{
    return all ? QStringLiteral("Recipes") : fileNameOf(m_shownName);
}

void SaveAsWindow::recipesChosen()
{
    // The name offered for the other choice follows it, unless the user has changed it.
    const bool all = m_ui->optAll->isChecked();
    const QFileInfo file(m_ui->FileTxt->text());
    if (file.completeBaseName() != defaultName(!all))
        return;
    const QString suffix = file.suffix().isEmpty() ? QString() : QLatin1Char('.') + file.suffix();
    m_ui->FileTxt->setText(nativePath(file.dir().filePath(defaultName(all) + suffix)));
}

void SaveAsWindow::formatChosen()
{
    // The file's ending follows the format.
    const QString text = m_ui->FileTxt->text();
    QString path =
        exchange::formatOfFile(text) ? text.chopped(QFileInfo(text).suffix().size() + 1) : text;
    m_ui->FileTxt->setText(path + QLatin1Char('.') + exchange::fileSuffixes(chosenFormat())[0]);
}

void SaveAsWindow::fileTyped()
{
    // A file's ending chooses its format.
    const std::optional<Format> format = exchange::formatOfFile(m_ui->FileTxt->text());
    if (!format)
        return;
    const QSignalBlocker quiet(m_ui->FormatLst);
    m_ui->FormatLst->setCurrentIndex(m_ui->FormatLst->findData(static_cast<int>(*format)));
}

void SaveAsWindow::browse()
{
    QStringList filters;
    for (const FormatChoice& choice : formatChoices)
        filters.append(fileFilter(choice));
    QFileDialog dialog(this, windowTitle());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A file that exists is asked about as for a name typed here.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(filters);
    HelpViewer::setWindowContext(&dialog, help::saveAsContext);
    dialog.selectNameFilter(filters[m_ui->FormatLst->currentIndex()]);
    const QString typed = typedPath();
    dialog.setDirectory(QFileInfo(typed).absolutePath());
    dialog.selectFile(QFileInfo(typed).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    // The type chosen in the dialog gives the format, unless the name's own ending says another.
    m_ui->FormatLst->setCurrentIndex(
        std::max<int>(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter()))));
    const QString chosen = dialog.selectedFiles().constFirst();
    m_ui->FileTxt->setText(nativePath(chosen));
    if (exchange::formatOfFile(chosen))
        fileTyped();
    else
        formatChosen();
    save();
}

void SaveAsWindow::save()
{
    const QString typed = m_ui->FileTxt->text().trimmed();
    if (typed.isEmpty()) {
        MessageBox::show(this,
                         QStringLiteral("Type the name of the file to save, or choose one with "
                                        "Browse."),
                         QStringLiteral("Save As"), MessageBox::Icon::Exclamation);
        m_ui->FileTxt->setFocus();
        return;
    }
    // The file's ending says the format, as on the command line; a name without one is given the
    // ending of the format chosen.
    if (exchange::formatOfFile(typed))
        fileTyped();
    else
        formatChosen();
    const QList<int> indexes =
        m_ui->optAll->isChecked() ? exchange::allRecipes(m_session.recipes) : QList<int>{*m_shown};
    ExportFile file(typedPath());
    if (!file.open(ExportFile::Existing::Keep)) {
        const bool replace =
            file.alreadyExists() &&
            MessageBox::show(this,
                             nativePath(file.path()) +
                                 QStringLiteral(" already exists.\r\nDo you want to replace it?"),
                             QStringLiteral("Save As"), MessageBox::Icon::Question,
                             MessageBox::Buttons::YesNo,
                             MessageBox::Default::No) == MessageBox::Answer::Yes;
        if (file.alreadyExists() && !replace) {
            m_ui->FileTxt->setFocus();
            m_ui->FileTxt->selectAll();
            return;
        }
        if (!replace || !file.open(ExportFile::Existing::Replace)) {
            MessageBox::show(this, file.errorString(), QStringLiteral("Not Saved"),
                             MessageBox::Icon::Critical);
            return;
        }
    }

    setBusy(true, static_cast<int>(indexes.size()));
    const exchange::Outcome outcome =
        exportRecipes(m_session, chosenFormat(), indexes, file,
                      [this](int done, int total) { return showProgress(done, total); });
    setBusy(false);
    if (outcome.cancelled) {
        m_ui->StatusLbl->setText(QStringLiteral("Saving was cancelled: no file was written."));
        return;
    }
    if (!outcome.written) {
        MessageBox::show(this, file.errorString(), QStringLiteral("Not Saved"),
                         MessageBox::Icon::Critical);
        return;
    }
    m_settings.write(Settings::saveAsFormat, exchange::fileSuffixes(chosenFormat())[0]);
    // Where the file went, and what was left out of it; the folder opens on request.
    QStringList text{QStringLiteral("Saved to %1").arg(nativePath(file.path()))};
    if (!outcome.warnings.isEmpty()) {
        // The first few say what happened; a list of thousands would not fit the screen.
        constexpr qsizetype shownWarnings = 10;
        text.last() += QStringLiteral(", with these exceptions:\r\n");
        text += outcome.warnings.first(std::min(shownWarnings, outcome.warnings.size()));
        if (outcome.warnings.size() > shownWarnings)
            text.append(
                QStringLiteral("... and %1 more.").arg(outcome.warnings.size() - shownWarnings));
    } else {
        text.last() += QLatin1Char('.');
    }
    tellFileSaved(this, text.join(QStringLiteral("\r\n")), QStringLiteral("Saved"), file.path());
    accept();
}

void SaveAsWindow::setBusy(bool busy, int total)
{
    m_busy = busy;
    m_cancelling = false;
    for (QWidget* control :
         {static_cast<QWidget*>(m_ui->RecipesFrame), static_cast<QWidget*>(m_ui->FormatLst),
          static_cast<QWidget*>(m_ui->FileTxt), static_cast<QWidget*>(m_ui->BrowseCmd),
          static_cast<QWidget*>(m_ui->Buttons->button(QDialogButtonBox::Save))})
        control->setEnabled(!busy);
    m_ui->StatusLbl->clear();
    // One recipe is saved at once; many show how far the saving has come.
    m_ui->ProgressBar->setVisible(busy && total > 1);
    m_ui->ProgressBar->setRange(0, total);
    m_ui->ProgressBar->setValue(0);
    if (busy) {
        QGuiApplication::setOverrideCursor(Qt::BusyCursor);
        m_ui->Buttons->button(QDialogButtonBox::Cancel)->setFocus();
        m_sinceEvents.start();
    } else {
        QGuiApplication::restoreOverrideCursor();
    }
}

bool SaveAsWindow::showProgress(int done, int total)
{
    // The window answers between recipes, a few times a second: its Cancel is pressed then.
    if (m_sinceEvents.elapsed() >= 40) {
        m_ui->ProgressBar->setValue(done);
        m_ui->StatusLbl->setText(QStringLiteral("Writing recipe %1 of %2...").arg(done).arg(total));
        QCoreApplication::processEvents();
        m_sinceEvents.restart();
    }
    return !m_cancelling;
}

void SaveAsWindow::reject()
{
    if (m_busy)
        m_cancelling = true;
    else if (mayDiscardTyping(this, hasTypedText(*this)))
        QDialog::reject();
}

void SaveAsWindow::showHelp()
{
    m_help.showHelp(help::saveAsContext);
}

} // namespace zestora

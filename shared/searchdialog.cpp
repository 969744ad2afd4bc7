#include "shared/searchdialog.h"

#include "ui_searchdialog.h"

#include "core/shell/helptopics.h"
#include "core/sortednamemodel.h"
#include "core/text.h"
#include "platform/centreform.h"
#include "platform/helpviewer.h"
#include "platform/keeproom.h"
#include "platform/messagebox.h"
#include "platform/visiblefocus.h"
#include "platform/waitcursor.h"

namespace zestora {

SearchDialog::SearchDialog(QWidget* parent, HelpViewer& help, search::SearchableNames names,
                           std::function<void(const QString&)> choose)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::SearchDialog>())
    , m_names(std::move(names))
    , m_choose(std::move(choose))
{
    m_ui->setupUi(this);
    HelpViewer::setWindowContext(this, help::searchContext);
    // The window has its shape before the first search.
    keepRoomWhenHidden({m_ui->SearchLst});
    centreForm(this);
    resetSearch();
    // Search is the default button, so Enter in the words box runs the search.
    connect(m_ui->SearchCmd, &QPushButton::clicked, this, &SearchDialog::runSearch);
    connect(m_ui->ClearCmd, &QPushButton::clicked, this, [this] {
        resetSearch();
        m_ui->SearchTxt->setFocus();
    });
    connect(m_ui->ExitCmd, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->HelpCmd, &QPushButton::clicked, this, [&help] {
        const WaitCursor wait;
        help.showHelp(help::searchContext);
    });
    connect(m_ui->AnyAllOpt_0, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            MessageBox::show(this,
                             QStringLiteral("This option may take a significant amout of time to "
                                            "complete and it may produce very large list of "
                                            "results."),
                             QStringLiteral("This may take some time"),
                             MessageBox::Icon::Exclamation);
    });
    // The arrow keys move among the results without taking one, so that every result can be
    // reached; Enter, a click or a double-click takes it.
    for (const auto taken : {&QListWidget::itemClicked, &QListWidget::itemActivated})
        connect(m_ui->SearchLst, taken, this,
                [this](QListWidgetItem* item) { chooseResult(item->text()); });
}

SearchDialog::~SearchDialog() = default;

void SearchDialog::search(QWidget* parent, HelpViewer& help, const SortedNameModel& names,
                          std::function<void(const QString&)> choose)
{
    SearchDialog dialog(parent, help, search::SearchableNames(names.stringList(), names.keys()),
                        std::move(choose));
    dialog.exec();
}

void SearchDialog::resetSearch()
{
    m_ui->SearchLst->setVisible(false);
    m_ui->SearchTxt->clear();
}

void SearchDialog::runSearch()
{
    const WaitCursor wait;
    if (trimSpaces(m_ui->SearchTxt->text()).isEmpty()) {
        MessageBox::show(this, QStringLiteral("You must type something in the box to do a search"),
                         QStringLiteral("Unable to Search"), MessageBox::Icon::Information);
        m_ui->SearchTxt->setFocus();
        return;
    }
    m_ui->SearchLst->clear();
    const search::Mode mode =
        m_ui->AnyAllOpt_0->isChecked() ? search::Mode::Any : search::Mode::All;
    // Thousands of results go into the list in one batch.
    m_ui->SearchLst->addItems(
        m_names.loadSearchList(search::loadWords(m_ui->SearchTxt->text()), mode));
    if (m_ui->SearchLst->count() == 0)
        MessageBox::show(this, QStringLiteral("No match was found."), QStringLiteral("No match"),
                         MessageBox::Icon::Information);
    else
        showResults();
}

void SearchDialog::showResults()
{
    // The next key is for the results: the arrows move from the first, Enter takes it.
    m_ui->SearchLst->setVisible(true);
    m_ui->SearchLst->setCurrentRow(0);
    moveFocusVisibly(m_ui->SearchLst);
}

void SearchDialog::chooseResult(const QString& result)
{
    // The second click of a double-click comes to a window already closed.
    if (!isVisible())
        return;
    {
        const WaitCursor wait;
        m_choose(result);
    }
    accept();
}

} // namespace zestora

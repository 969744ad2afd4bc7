#include "paste/pastewindow.h"

#include "ui_pastewindow.h"

#include "core/exchange/boundedread.h"
#include "core/paste/foodindex.h"
#include "platform/messagebox.h"
#include "platform/settings.h"
#include "platform/typedwork.h"
#include "platform/waitcursor.h"

#include <QClipboard>
#include <QGuiApplication>

namespace zestora {

PasteWindow::PasteWindow(QWidget* parent, paste::FoodIndex& index, const SortedNameModel& names,
                         HelpViewer& help, Settings& settings)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::PasteWindow>())
    , m_index(index)
    , m_settings(settings)
{
    m_ui->setupUi(this);
    for (const paste::KitchenMeasures choice :
         {paste::KitchenMeasures::US, paste::KitchenMeasures::UK,
          paste::KitchenMeasures::Australian}) {
        m_ui->MeasuresLst->addItem(paste::measuresTitle(choice), static_cast<int>(choice));
        if (choice == m_index.measures())
            m_ui->MeasuresLst->setCurrentIndex(m_ui->MeasuresLst->count() - 1);
    }
    connect(m_ui->MeasuresLst, &QComboBox::activated, this, &PasteWindow::measuresChosen);
    m_ui->ReviewTbl->setUp(index, names, help);
    setUpReviewWindow(this, m_ui->ReviewTbl, m_ui->SummaryLbl, m_ui->HelpCmd, help);
    connect(m_ui->ReadCmd, &QPushButton::clicked, this, &PasteWindow::read);
    connect(m_ui->AddCmd, &QPushButton::clicked, this, &PasteWindow::add);
    connect(m_ui->CancelCmd, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->PasteTxt, &QPlainTextEdit::textChanged, this, [this] { m_textRead = false; });
}

PasteWindow::~PasteWindow() = default;

void PasteWindow::reject()
{
    if (mayDiscardTyping(this, hasTypedText(*this) || m_ui->ReviewTbl->isChangedByUser()))
        QDialog::reject();
}

std::optional<PasteWindow::Pasted> PasteWindow::ask(QWidget* parent, paste::FoodIndex& index,
                                                    const SortedNameModel& names, HelpViewer& help,
                                                    Settings& settings)
{
    PasteWindow window(parent, index, names, help, settings);
    const QString clipboard = QGuiApplication::clipboard()->text();
    if (!clipboard.trimmed().isEmpty()) {
        window.m_ui->PasteTxt->setPlainText(clipboard);
        window.read();
    }
    if (window.exec() != QDialog::Accepted)
        return std::nullopt;
    const QList<paste::ReviewedLine>& lines = window.m_ui->ReviewTbl->lines();
    return Pasted{paste::draftLines(lines, index.ingredients()),
                  paste::coverageOf(lines, index.ingredients()), window.m_servings};
}

void PasteWindow::read()
{
    const QString text = m_ui->PasteTxt->toPlainText();
    if (text.size() > exchange::largestRecipeText) {
        MessageBox::show(
            this,
            exchange::tooLarge(QStringLiteral("The pasted text"), exchange::largestRecipeText),
            windowTitle(), MessageBox::Icon::Exclamation);
        return;
    }
    const WaitCursor wait;
    // The foods' names are indexed on a thread of their own once the main window is up. A Read
    // that comes before they are says so and waits for them with the window kept painted; what
    // the user does meanwhile waits its turn, so nothing acts on a table about to be filled.
    if (!m_index.indexReady()) {
        m_ui->SummaryLbl->setText(QStringLiteral("Indexing foods..."));
        constexpr std::chrono::milliseconds frame(10);
        do
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        while (!m_index.indexReady(frame));
    }
    paste::RecipeText recipe = paste::readRecipeText(text, false);
    if (recipe.servings)
        paste::servePerPerson(recipe.lines, *recipe.servings);
    QList<paste::ReviewedLine> lines = m_index.reviewAll(recipe.lines);
    m_index.countUneaten(lines, recipe.directions);
    m_ui->ReviewTbl->showLines(std::move(lines));
    m_servings = recipe.servings;
    setTabOrder(m_ui->ReviewTbl->lastInTabOrder(), m_ui->AddCmd);
    m_textRead = true;
    if (m_ui->ReviewTbl->rowCount() > 0)
        m_ui->ReviewTbl->setFocus();
}

void PasteWindow::measuresChosen(int item)
{
    const auto measures =
        static_cast<paste::KitchenMeasures>(m_ui->MeasuresLst->itemData(item).toInt());
    m_settings.write(Settings::measures, paste::measuresKey(measures));
    if (measures == m_index.measures())
        return;
    m_index.setMeasures(measures);
    if (m_textRead)
        read();
}

void PasteWindow::add()
{
    // Lines typed since the last Read are read and shown first: nothing goes in unreviewed.
    if (!m_textRead) {
        read();
        return;
    }
    if (!m_ui->ReviewTbl->anyLineGoesIn()) {
        MessageBox::show(this,
                         QStringLiteral("No line is ready to go into the recipe: give the lines a "
                                        "food from their lists, or press Cancel."),
                         QStringLiteral("Nothing to Add"), MessageBox::Icon::Information);
        return;
    }
    if (!paste::rememberChoices(m_ui->ReviewTbl->lines(), m_index.ingredients(), m_index.choices()))
        MessageBox::show(this,
                         QStringLiteral("The foods you chose go into the recipe, but they could "
                                        "not be remembered for next time: %1")
                             .arg(m_index.choices().errorString()),
                         windowTitle(), MessageBox::Icon::Exclamation);
    accept();
}

} // namespace zestora

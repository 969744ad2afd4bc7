#include "analysis/lineeditordialog.h"

#include "ui_lineeditordialog.h"

#include "core/shell/helptopics.h"
#include "platform/helpviewer.h"

namespace zestora {

LineEditorDialog::LineEditorDialog(QWidget* parent, const QString& row)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::LineEditorDialog>())
{
    m_ui->setupUi(this);
    // The analysis topic tells what the choices do.
    HelpViewer::setWindowContext(this, help::analysisContext);
    m_ui->InsertLbl->setText(row);
    using Edit = RecipeDraft::Edit;
    for (auto [button, choice] :
         {std::pair{m_ui->InsertCmd, Edit::Insert}, std::pair{m_ui->EditCmd, Edit::Replace},
          std::pair{m_ui->DeleteCmd, Edit::Delete}})
        connect(button, &QPushButton::clicked, this, [this, chosen = choice] {
            m_choice = chosen;
            accept();
        });
    connect(m_ui->CancelCmd, &QPushButton::clicked, this, &QDialog::reject);
}

LineEditorDialog::~LineEditorDialog() = default;

std::optional<RecipeDraft::Edit> LineEditorDialog::ask(QWidget* parent, const QString& row)
{
    LineEditorDialog dialog(parent, row);
    dialog.exec();
    return dialog.m_choice;
}

} // namespace zestora

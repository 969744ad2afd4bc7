#include "analysis/lineeditordialog.h"

#include "ui_lineeditordialog.h"

namespace zestora {

LineEditorDialog::LineEditorDialog(QWidget* parent, const QString& row)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::LineEditorDialog>())
{
    m_ui->setupUi(this);
    m_ui->InsertLbl->setText(row);
    for (auto [button, action] :
         {std::pair{m_ui->InsertCmd, Action::Insert}, std::pair{m_ui->EditCmd, Action::Replace},
          std::pair{m_ui->DeleteCmd, Action::Delete}})
        connect(button, &QPushButton::clicked, this, [this, chosen = action] {
            m_action = chosen;
            accept();
        });
    connect(m_ui->CancelCmd, &QPushButton::clicked, this, &QDialog::reject);
}

LineEditorDialog::~LineEditorDialog() = default;

LineEditorDialog::Action LineEditorDialog::ask(QWidget* parent, const QString& row)
{
    LineEditorDialog dialog(parent, row);
    dialog.exec();
    return dialog.m_action;
}

} // namespace zestora

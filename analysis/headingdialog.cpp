#include "analysis/headingdialog.h"

#include "ui_headingdialog.h"

#include "core/analysis/recipelines.h"
#include "core/shell/helptopics.h"
#include "core/text.h"
#include "platform/centreform.h"
#include "platform/helpviewer.h"
#include "platform/messagebox.h"
#include "platform/typedwork.h"

namespace zestora {

HeadingDialog::HeadingDialog(QWidget* parent, HelpViewer& help)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::HeadingDialog>())
{
    m_ui->setupUi(this);
    HelpViewer::setWindowContext(this, help::headingContext);
    // Wide enough for the whole title beside the window's own buttons in the title bar.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 160);
    centreForm(this);
    connect(m_ui->DoneCmd, &QPushButton::clicked, this, &QDialog::accept);
    // Cancel is the user's word; only Escape and the title bar's close button ask first.
    connect(m_ui->CancelCmd, &QPushButton::clicked, this, [this] { done(Rejected); });
    connect(m_ui->HelpCmd, &QPushButton::clicked, this,
            [&help] { help.showHelp(help::headingContext); });
    connect(m_ui->SubHeadTxt, &QLineEdit::textChanged, this, &HeadingDialog::headingChanged);
}

HeadingDialog::~HeadingDialog() = default;

void HeadingDialog::reject()
{
    if (mayDiscardTyping(this, hasTypedText(*this)))
        QDialog::reject();
}

void HeadingDialog::headingChanged()
{
    if (trimSpaces(m_ui->SubHeadTxt->text()).size() <= lines::maxHeadingLength)
        return;
    MessageBox::show(this, QStringLiteral("Max length is 50."), QStringLiteral("Too many Letters"),
                     MessageBox::Icon::Exclamation);
    m_ui->SubHeadTxt->clear();
}

std::optional<QString> HeadingDialog::ask(QWidget* parent, HelpViewer& help)
{
    HeadingDialog dialog(parent, help);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.m_ui->SubHeadTxt->text();
}

} // namespace zestora

#include "shell/aboutbox.h"

#include "ui_aboutbox.h"

#include "core/shell/helptopics.h"
#include "platform/centreform.h"
#include "platform/helpviewer.h"
#include "shell/programfiles.h"

#include <QDir>

namespace zestora {

AboutBox::AboutBox(QWidget* parent, const QString& programDir)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::AboutBox>())
{
    m_ui->setupUi(this);
    HelpViewer::setWindowContext(this, help::contentsContext);
    m_ui->Image1->setPixmap(QPixmap(QDir(programDir).filePath(programfiles::programPicture)));
    centreForm(this);
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

AboutBox::~AboutBox() = default;

void AboutBox::run(QWidget* parent, const QString& programDir)
{
    AboutBox box(parent, programDir);
    box.exec();
}

} // namespace zestora

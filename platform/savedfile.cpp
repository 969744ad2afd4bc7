#include "platform/savedfile.h"

#include "platform/messagebox.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace zestora {

void tellFileSaved(QWidget* parent, const QString& text, const QString& title, const QString& path)
{
    if (MessageBox::show(parent, text + QStringLiteral("\r\n\r\nOpen the folder it is in?"), title,
                         MessageBox::Icon::Information, MessageBox::Buttons::YesNo,
                         MessageBox::Default::No) == MessageBox::Answer::Yes)
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
}

} // namespace zestora

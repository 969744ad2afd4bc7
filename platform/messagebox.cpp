#include "platform/messagebox.h"

#include <QMessageBox>

namespace zestora {

namespace {
MessageBox::Answerer& installedAnswerer()
{
    static MessageBox::Answerer answerer;
    return answerer;
}

QMessageBox::Icon qtIcon(MessageBox::Icon icon)
{
    switch (icon) {
    case MessageBox::Icon::None:
        return QMessageBox::NoIcon;
    case MessageBox::Icon::Information:
        return QMessageBox::Information;
    case MessageBox::Icon::Exclamation:
        return QMessageBox::Warning;
    case MessageBox::Icon::Critical:
        return QMessageBox::Critical;
    case MessageBox::Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}
} // namespace

MessageBox::Answer MessageBox::show(QWidget* parent, const QString& text, const QString& title,
                                    Icon icon, Buttons buttons)
{
    const Shown shown{text, title, icon, buttons};
    if (installedAnswerer())
        return installedAnswerer()(shown);

    // Message texts join their lines with CR LF, as they are written down; the box wants LF.
    QString display = text;
    display.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(
        qtIcon(icon), title, display,
        buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    const int result = box.exec();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void MessageBox::setAnswerer(Answerer answerer)
{
    installedAnswerer() = std::move(answerer);
}

void MessageBox::clearAnswerer()
{
    installedAnswerer() = nullptr;
}

} // namespace zestora

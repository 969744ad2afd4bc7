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
    QMessageBox::StandardButtons standard = QMessageBox::Ok;
    if (buttons == Buttons::YesNo)
        standard = QMessageBox::Yes | QMessageBox::No;
    else if (buttons == Buttons::SaveDiscardCancel)
        standard = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    QMessageBox box(qtIcon(icon), title, display, standard, parent);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Save:
        return Answer::Save;
    case QMessageBox::Discard:
        return Answer::Discard;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        // Esc or the window's close button: no for a question, cancel for the three choices.
        return buttons == Buttons::YesNo ? Answer::No
               : buttons == Buttons::Ok  ? Answer::Ok
                                         : Answer::Cancel;
    }
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

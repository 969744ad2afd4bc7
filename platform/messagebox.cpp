#include "platform/messagebox.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QStyle>

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
// A box is as wide as its text needs, which for a short text leaves too little room for the
// title in the window's title bar ("Too ...tters"). A strut across the box keeps room for the
// title beside the title bar's icon and buttons.
void keepTitleWhole(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    titleFont.setBold(true);
    const int buttons = 4 * box.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + buttons;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

MessageBox::Answer MessageBox::show(QWidget* parent, const QString& text, const QString& title,
                                    Icon icon, Buttons buttons, Default defaultButton)
{
    const Shown shown{text, title, icon, buttons, defaultButton};
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
    keepTitleWhole(box);
    if (buttons == Buttons::YesNo && defaultButton == Default::No)
        box.setDefaultButton(QMessageBox::No);
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

#include "platform/typedwork.h"

#include "platform/messagebox.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace zestora {

bool hasTypedText(const QWidget& window)
{
    // A line box knows it was edited by the user; a text box's document that it changed since
    // the program last set its whole text.
    for (const QLineEdit* line : window.findChildren<QLineEdit*>())
        if (line->isModified())
            return true;
    for (const QPlainTextEdit* text : window.findChildren<QPlainTextEdit*>())
        if (text->document()->isModified())
            return true;
    return false;
}

bool mayDiscardTyping(QWidget* window, bool anythingTypedOrChosen)
{
    return !anythingTypedOrChosen ||
           MessageBox::show(window,
                            QStringLiteral("Close this window? What you typed or chose in it "
                                           "will be lost."),
                            window->windowTitle(), MessageBox::Icon::Question,
                            MessageBox::Buttons::YesNo,
                            MessageBox::Default::No) == MessageBox::Answer::Yes;
}

void forgetTyping(QWidget& window)
{
    for (QLineEdit* line : window.findChildren<QLineEdit*>())
        line->setModified(false);
    for (QPlainTextEdit* text : window.findChildren<QPlainTextEdit*>())
        text->document()->setModified(false);
}

} // namespace zestora

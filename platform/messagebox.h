#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace zestora {

// The program's one way to show a message box. Every message goes through show(), so tests can
// answer boxes in advance and read what the user would have seen.
class MessageBox {
public:
    enum class Icon { None, Information, Exclamation, Critical, Question };
    enum class Buttons { Ok, YesNo, SaveDiscardCancel };
    enum class Answer { Ok, Yes, No, Save, Discard, Cancel };
    // A question whose Yes throws work away is answered No by Enter, so that a key pressed
    // twice by mistake loses nothing.
    enum class Default { First, No };

    struct Shown {
        QString text;
        QString title;
        Icon icon;
        Buttons buttons;
        Default defaultButton = Default::First;
    };
    using Answerer = std::function<Answer(const Shown&)>;

    static Answer show(QWidget* parent, const QString& text, const QString& title, Icon icon,
                       Buttons buttons = Buttons::Ok, Default defaultButton = Default::First);

    // While an answerer is installed no box is shown: it answers instead.
    static void setAnswerer(Answerer answerer);
    static void clearAnswerer();
};

} // namespace zestora

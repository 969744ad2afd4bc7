#pragma once

#include "core/session.h"
#include "platform/helpviewer.h"
#include "platform/messagebox.h"
#include "platform/settings.h"
#include "shell/mainwindow.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <type_traits>

namespace zestora::testing {

// Acts on the next modal dialog once it is open, from inside its event loop. A check that fails
// in the action fails the test at once: every dialog still open is closed, so that the test
// goes on to its end instead of waiting in the dialog. They are closed with done(), since
// reject() lets a dialog the user typed into ask first, and that question would wait for ever.
// The wait ends with the test function.
inline void onNextDialog(std::function<void(QDialog*)> action)
{
    auto* poll = new QTimer(qApp);
    poll->setInterval(5);
    const QByteArray test = QByteArray(QTest::currentTestFunction()) + QTest::currentDataTag();
    QObject::connect(poll, &QTimer::timeout, qApp, [poll, test, action = std::move(action)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (test != QByteArray(QTest::currentTestFunction()) + QTest::currentDataTag()) {
            poll->deleteLater();
            return;
        }
        if (!dialog || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        action(dialog);
        if (!QTest::currentTestFailed())
            return;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* open = qobject_cast<QDialog*>(window); open && open->isVisible())
                open->done(QDialog::Rejected);
    });
    poll->start();
}

// The control of that name and type under parent. A missing one fails the test and answers a
// hidden stand-in, so that the test ends at its next check while the test functions after it
// still run.
template <typename T> T* control(QWidget* parent, const char* name)
{
    if (T* found = parent->findChild<T*>(QLatin1String(name)))
        return found;
    QTest::qFail(qPrintable(u"no control "_s + QLatin1String(name)), __FILE__, __LINE__);
    if constexpr (std::is_abstract_v<T>)
        return new QPushButton(parent);
    else
        return new T(parent);
}

// Clicks the button of that name in the next modal dialog.
inline void clickInNextDialog(const QString& button, std::function<void(QDialog*)> before = {})
{
    onNextDialog([button, before = std::move(before)](QDialog* dialog) {
        if (before)
            before(dialog);
        auto* target = dialog->findChild<QAbstractButton*>(button);
        QVERIFY2(target, qPrintable(button));
        target->click();
    });
}

// Picks row of a drop-down as the user does: opens it, moves to the row and presses Enter.
inline void pick(QComboBox* box, int row)
{
    box->showPopup();
    box->view()->setCurrentIndex(box->model()->index(row, 0));
    QTest::keyClick(box->view(), Qt::Key_Return);
}

// The texts a list or drop-down shows, in order.
inline QStringList texts(const QWidget* list)
{
    QStringList shown;
    if (const auto* combo = qobject_cast<const QComboBox*>(list)) {
        for (int row = 0; row < combo->count(); ++row)
            shown.append(combo->itemText(row));
    } else if (const auto* view = qobject_cast<const QAbstractItemView*>(list)) {
        for (int row = 0; view->model() && row < view->model()->rowCount(); ++row)
            shown.append(view->model()->index(row, 0).data().toString());
    }
    return shown;
}

// The texts of a screen's labels of those names, in order.
inline QStringList labelTexts(const QWidget* screen, std::initializer_list<const char*> names)
{
    QStringList shown;
    for (const char* name : names)
        shown.append(screen->findChild<QLabel*>(QLatin1String(name))->text());
    return shown;
}

// Answers every message box while it lives: with the queued answers, then OK; and keeps what
// was shown.
class MessageRecorder {
public:
    MessageRecorder()
    {
        MessageBox::setAnswerer([this](const MessageBox::Shown& box) {
            messages.append(box);
            return answers.isEmpty() ? MessageBox::Answer::Ok : answers.takeFirst();
        });
    }
    ~MessageRecorder() { MessageBox::clearAnswerer(); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    QStringList titles() const
    {
        QStringList list;
        for (const MessageBox::Shown& box : messages)
            list.append(box.title);
        return list;
    }

    QList<MessageBox::Shown> messages;
    QList<MessageBox::Answer> answers;
};

// A session in a working directory of its own, its settings in a file of the test's, every
// message box answered and recorded.
struct TestSession : MessageRecorder {
    TempWorkDir dir;
    Session session;
    Settings settings{dir.filePath(u"settings.ini"_s)};
    HelpViewer help;
};

// The main window of a test session, started on the given data files.
struct StartedMainWindow : TestSession {
    std::unique_ptr<MainWindow> window;

    StartedMainWindow(const QByteArray& ingredients, const QByteArray& recipes,
                      const QString& programDir = QString())
    {
        writeFile(u"Ing.dat"_s, ingredients);
        writeFile(u"Recipe.Dat"_s, recipes);
        window = std::make_unique<MainWindow>(session, settings, help, programDir);
        window->startUp();
        window->show();
    }
};

} // namespace zestora::testing

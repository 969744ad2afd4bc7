#pragma once

#include "core/sharing/recipehtml.h"
#include "platform/mailcomponent.h"

#include <QDialog>

#include <memory>
#include <optional>

class QThread;

namespace Ui {
class EmailWindow;
}

namespace zestora {

class HelpViewer;
class Settings;

// Sends the recipe shown on the stored recipes screen as an HTML e-mail through the user's mail
// server, and can remember the server and the sender's address for the next time. The message
// goes out on a thread of its own: the window shows that it is sending, takes what is typed
// meanwhile, and Cancel (or Escape) stops the sending with everything typed kept.
class EmailWindow : public QDialog {
    Q_OBJECT
public:
    // Without a factory the mail goes through libcurl.
    EmailWindow(Settings& settings, HelpViewer& help, ShownRecipe recipe, QWidget* parent,
                MailComponentFactory makeMail = {});
    ~EmailWindow() override;

    // Opens the window modally over parent and returns when the user closes it.
    static void sendRecipe(QWidget* parent, Settings& settings, HelpViewer& help,
                           const ShownRecipe& recipe);

    bool isSending() const { return m_sending != nullptr; }
    // Escape, or the window's close button, while sending stops the sending and keeps the window.
    void reject() override;

private:
    void fillRememberedFields();
    void serverTyped();
    void senderTyped();
    void rememberServer();
    void rememberSender();
    void send();
    void openHelp();
    void cancelSending();
    void sendingFinished();
    void showSending(bool sending);

    const std::unique_ptr<Ui::EmailWindow> m_ui;
    Settings& m_settings;
    HelpViewer& m_help;
    ShownRecipe m_recipe;
    MailComponentFactory m_makeMail;
    // While a message goes out: the component sending it, its thread and, once done, its answer.
    std::unique_ptr<MailComponent> m_sending;
    std::unique_ptr<QThread> m_thread;
    std::optional<MailComponent::Error> m_outcome;
};

} // namespace zestora

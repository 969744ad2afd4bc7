#pragma once

#include "core/sharing/recipehtml.h"
#include "platform/mailcomponent.h"

#include <QDialog>

#include <memory>

namespace Ui {
class EmailWindow;
}

namespace zestora {

class HelpViewer;
class Settings;

// Sends the recipe shown on the stored recipes screen as an HTML e-mail through the user's mail
// server, and can remember the server and the sender's address for the next time.
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

private:
    void formLoad();
    void txtServerChange();
    void txtFromChange();
    void serverChkClick();
    void emailChkClick();
    void cmdSendMailClick();
    void cmdHelpClick();

    const std::unique_ptr<Ui::EmailWindow> m_ui;
    Settings& m_settings;
    HelpViewer& m_help;
    ShownRecipe m_recipe;
    MailComponentFactory m_makeMail;
};

} // namespace zestora

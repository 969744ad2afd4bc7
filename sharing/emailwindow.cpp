#include "sharing/emailwindow.h"

#include "ui_emailwindow.h"

#include "core/analysis/recipelines.h"
#include "core/sharing/mailmessage.h"
#include "core/shell/helptopics.h"
#include "core/text.h"
#include "platform/centreform.h"
#include "platform/curlmail.h"
#include "platform/helpviewer.h"
#include "platform/messagebox.h"
#include "platform/settings.h"
#include "platform/waitcursor.h"

namespace zestora {

namespace {

const QString serverPlaceholder = QStringLiteral("Mail Server Name Goes Here");

// A remembered value follows its box: clear forgets it, ticked stores the field's text, greyed
// (a value just loaded) leaves it alone.
void rememberFollowingBox(Settings& settings, const QString& key, const ThreeStateCheckBox& box,
                          const QLineEdit& field)
{
    if (box.value() == ThreeStateCheckBox::Clear)
        settings.write(key, QString());
    else if (box.value() == ThreeStateCheckBox::Ticked)
        settings.write(key, trimSpaces(field.text()));
}

} // namespace

EmailWindow::EmailWindow(Settings& settings, HelpViewer& help, ShownRecipe recipe, QWidget* parent,
                         MailComponentFactory makeMail)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::EmailWindow>())
    , m_settings(settings)
    , m_help(help)
    , m_recipe(std::move(recipe))
    , m_makeMail(makeMail ? std::move(makeMail)
                          : [] { return std::unique_ptr<MailComponent>(new CurlMail); })
{
    m_ui->setupUi(this);
    HelpViewer::setWindowContext(this, help::emailContext);
    connect(m_ui->txtServer, &QLineEdit::textChanged, this, &EmailWindow::txtServerChange);
    connect(m_ui->txtFrom, &QLineEdit::textChanged, this, &EmailWindow::txtFromChange);
    connect(m_ui->ServerChk, &ThreeStateCheckBox::valueChanged, this, &EmailWindow::serverChkClick);
    connect(m_ui->EmailChk, &ThreeStateCheckBox::valueChanged, this, &EmailWindow::emailChkClick);
    connect(m_ui->cmdSendMail, &QPushButton::clicked, this, &EmailWindow::cmdSendMailClick);
    connect(m_ui->cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cmdHelp, &QPushButton::clicked, this, &EmailWindow::cmdHelpClick);
    formLoad();
}

EmailWindow::~EmailWindow() = default;

void EmailWindow::sendRecipe(QWidget* parent, Settings& settings, HelpViewer& help,
                             const ShownRecipe& recipe)
{
    EmailWindow window(settings, help, recipe, parent);
    window.exec();
}

void EmailWindow::formLoad()
{
    centreForm(this);
    m_ui->txtSubject->setText(m_recipe.name);
    const QString server = m_settings.readString(Settings::mailServer, QString());
    if (!trimSpaces(server).isEmpty()) {
        m_ui->txtServer->setText(server);
        m_ui->ServerChk->setValue(ThreeStateCheckBox::Greyed);
    }
    const QString from = m_settings.readString(Settings::fromEmail, QString());
    if (!trimSpaces(from).isEmpty()) {
        m_ui->txtFrom->setText(from);
        m_ui->EmailChk->setValue(ThreeStateCheckBox::Greyed);
    }
}

void EmailWindow::txtServerChange()
{
    m_ui->ServerChk->setValue(ThreeStateCheckBox::Clear);
    const QString server = trimSpaces(m_ui->txtServer->text());
    m_ui->ServerChk->setEnabled(!server.isEmpty() && server != serverPlaceholder);
}

void EmailWindow::txtFromChange()
{
    m_ui->EmailChk->setValue(ThreeStateCheckBox::Clear);
    m_ui->EmailChk->setEnabled(!trimSpaces(m_ui->txtFrom->text()).isEmpty());
}

void EmailWindow::serverChkClick()
{
    rememberFollowingBox(m_settings, Settings::mailServer, *m_ui->ServerChk, *m_ui->txtServer);
}

void EmailWindow::emailChkClick()
{
    rememberFollowingBox(m_settings, Settings::fromEmail, *m_ui->EmailChk, *m_ui->txtFrom);
}

void EmailWindow::cmdSendMailClick()
{
    // The first field found wanting gets the message and the focus; nothing is sent.
    const auto refused = [this](QLineEdit* field, const std::optional<QString>& message) {
        if (!message)
            return false;
        MessageBox::show(this, *message, QStringLiteral("Information Required"),
                         MessageBox::Icon::Critical);
        field->setFocus();
        return true;
    };
    const std::pair<QLineEdit*, QString> required[] = {
        {m_ui->txtServer, QStringLiteral("You must enter the name of your Email Server")},
        {m_ui->txtTo, QStringLiteral("You must enter the name of your Email Recipient")},
        {m_ui->txtFrom, QStringLiteral("You must enter your Email Address")},
    };
    for (const auto& [field, message] : required)
        if (refused(field,
                    trimSpaces(field->text()).isEmpty() ? std::optional(message) : std::nullopt))
            return;
    // One address each, checked before anything goes out (a comma or a bracket would change
    // the envelope).
    if (refused(m_ui->txtTo, mail::addressProblem(QStringLiteral("To"), m_ui->txtTo->text())) ||
        refused(m_ui->txtFrom, mail::addressProblem(QStringLiteral("From"), m_ui->txtFrom->text())))
        return;

    const WaitCursor wait;
    // The text goes out as typed, its line breaks as CR LF like the rest of the program's text.
    const QString html = buildRecipeHtml(
        trimSpaces(lines::withCrLf(m_ui->txtBody->document()->toRawText())), m_recipe);
    const std::unique_ptr<MailComponent> mail = m_makeMail();
    mail->allowUnencryptedRelay(m_ui->RelayChk->isChecked());
    std::optional<MailComponent::Error> error =
        mail->sendMail(m_ui->txtServer->text(), m_ui->txtTo->text(), m_ui->txtSubject->text(), html,
                       m_ui->txtFrom->text());
    if (!error) {
        MessageBox::show(this, QStringLiteral("Your recipe has been sent"), QStringLiteral("Done"),
                         MessageBox::Icon::Information);
        return;
    }
    MessageBox::show(this,
                     QStringLiteral("An error occurred: [") + QString::number(error->number) +
                         QStringLiteral("] ") + error->description + QStringLiteral(" - Source: ") +
                         error->source,
                     QStringLiteral("Zestora"), MessageBox::Icon::None);
}

void EmailWindow::cmdHelpClick()
{
    const WaitCursor wait;
    m_help.showHelp(help::emailContext);
}

} // namespace zestora

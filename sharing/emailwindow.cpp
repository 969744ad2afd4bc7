#include "sharing/emailwindow.h"

#include "ui_emailwindow.h"

#include "core/analysis/recipelines.h"
#include "core/sharing/mailmessage.h"
#include "core/shell/helptopics.h"
#include "core/text.h"
#include "platform/centreform.h"
#include "platform/curlmail.h"
#include "platform/helpviewer.h"
#include "platform/keeproom.h"
#include "platform/messagebox.h"
#include "platform/settings.h"
#include "platform/typedwork.h"
#include "platform/waitcursor.h"

#include <QTextDocumentFragment>
#include <QThread>

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
    connect(m_ui->txtServer, &QLineEdit::textChanged, this, &EmailWindow::serverTyped);
    connect(m_ui->txtFrom, &QLineEdit::textChanged, this, &EmailWindow::senderTyped);
    connect(m_ui->ServerChk, &ThreeStateCheckBox::valueChanged, this, &EmailWindow::rememberServer);
    connect(m_ui->EmailChk, &ThreeStateCheckBox::valueChanged, this, &EmailWindow::rememberSender);
    connect(m_ui->cmdSendMail, &QPushButton::clicked, this, &EmailWindow::send);
    connect(m_ui->cmdClose, &QPushButton::clicked, this, [this] {
        // Closing drops a message still going out.
        if (m_sending) {
            m_sending->cancel();
            m_thread->wait();
        }
        accept();
    });
    connect(m_ui->cmdHelp, &QPushButton::clicked, this, &EmailWindow::openHelp);
    connect(m_ui->cmdCancel, &QPushButton::clicked, this, &EmailWindow::cancelSending);
    keepRoomWhenHidden({m_ui->SendingBar, m_ui->cmdCancel});
    showSending(false);
    fillRememberedFields();
}

EmailWindow::~EmailWindow()
{
    if (m_thread) {
        m_sending->cancel();
        m_thread->wait();
    }
}

void EmailWindow::sendRecipe(QWidget* parent, Settings& settings, HelpViewer& help,
                             const ShownRecipe& recipe)
{
    EmailWindow window(settings, help, recipe, parent);
    window.exec();
}

void EmailWindow::fillRememberedFields()
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

void EmailWindow::serverTyped()
{
    m_ui->ServerChk->setValue(ThreeStateCheckBox::Clear);
    const QString server = trimSpaces(m_ui->txtServer->text());
    m_ui->ServerChk->setEnabled(!server.isEmpty() && server != serverPlaceholder);
}

void EmailWindow::senderTyped()
{
    m_ui->EmailChk->setValue(ThreeStateCheckBox::Clear);
    m_ui->EmailChk->setEnabled(!trimSpaces(m_ui->txtFrom->text()).isEmpty());
}

void EmailWindow::rememberServer()
{
    rememberFollowingBox(m_settings, Settings::mailServer, *m_ui->ServerChk, *m_ui->txtServer);
}

void EmailWindow::rememberSender()
{
    rememberFollowingBox(m_settings, Settings::fromEmail, *m_ui->EmailChk, *m_ui->txtFrom);
}

void EmailWindow::send()
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

    if (m_sending)
        return;
    // The text goes out as typed, its line breaks as CR LF like the rest of the program's text;
    // its plain form leads the recipe's text.
    const QString extraText = trimSpaces(lines::withCrLf(m_ui->txtBody->document()->toRawText()));
    const QString extraPlain = QTextDocumentFragment::fromHtml(extraText).toPlainText().trimmed();
    m_sending = m_makeMail();
    m_sending->allowUnencryptedRelay(m_ui->RelayChk->isChecked());
    m_sending->setPlainText((extraPlain.isEmpty()
                                 ? QString()
                                 : lines::withCrLf(extraPlain) + QStringLiteral("\r\n\r\n")) +
                            recipeText(m_recipe));
    m_outcome.reset();
    // The fields as they are now go out; what is typed from here on is the next message's.
    m_thread.reset(QThread::create(
        [mail = m_sending.get(), outcome = &m_outcome, server = m_ui->txtServer->text(),
         to = m_ui->txtTo->text(), subject = m_ui->txtSubject->text(),
         html = buildRecipeHtml(extraText, m_recipe), from = m_ui->txtFrom->text()] {
            *outcome = mail->sendMail(server, to, subject, html, from);
        }));
    connect(m_thread.get(), &QThread::finished, this, &EmailWindow::sendingFinished);
    m_ui->SendingLbl->setText(QStringLiteral("Sending the recipe through %1 ...")
                                  .arg(trimSpaces(m_ui->txtServer->text())));
    showSending(true);
    m_thread->start();
}

void EmailWindow::showSending(bool sending)
{
    m_ui->SendingBar->setVisible(sending);
    m_ui->cmdCancel->setVisible(sending);
    m_ui->cmdCancel->setEnabled(sending);
    m_ui->cmdSendMail->setEnabled(!sending);
    if (sending)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

void EmailWindow::cancelSending()
{
    if (!m_sending)
        return;
    m_sending->cancel();
    m_ui->cmdCancel->setEnabled(false);
    m_ui->SendingLbl->setText(QStringLiteral("Cancelling ..."));
}

void EmailWindow::reject()
{
    if (m_sending)
        cancelSending();
    else if (mayDiscardTyping(this, hasTypedText(*this)))
        QDialog::reject();
}

void EmailWindow::sendingFinished()
{
    m_thread->wait();
    // A message the server took before the cancel came is sent all the same.
    const bool cancelled = m_outcome && m_sending->cancelled();
    m_thread.reset();
    m_sending.reset();
    showSending(false);
    m_ui->SendingLbl->setText(cancelled ? QStringLiteral("Not sent: the sending was cancelled.")
                                        : QString());
    if (cancelled)
        return;
    if (!m_outcome) {
        forgetTyping(*this);
        MessageBox::show(this, QStringLiteral("Your recipe has been sent"), QStringLiteral("Done"),
                         MessageBox::Icon::Information);
        return;
    }
    const MailComponent::Error& error = *m_outcome;
    MessageBox::show(this,
                     QStringLiteral("An error occurred: [") + QString::number(error.number) +
                         QStringLiteral("] ") + error.description + QStringLiteral(" - Source: ") +
                         error.source,
                     QStringLiteral("Zestora"), MessageBox::Icon::None);
}

void EmailWindow::openHelp()
{
    const WaitCursor wait;
    m_help.showHelp(help::emailContext);
}

} // namespace zestora

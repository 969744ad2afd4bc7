#include "core/analysis/recipelines.h"
#include "core/session.h"
#include "core/sharing/recipehtml.h"
#include "core/text.h"
#include "platform/curlmail.h"
#include "platform/helpviewer.h"
#include "platform/settings.h"
#include "platform/toolbar.h"
#include "recipes/storedrecipesscreen.h"
#include "sharing/emailwindow.h"
#include "shell/mainwindow.h"
#include "widgets/threestatecheckbox.h"
#include "widgetsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTcpServer>
#include <QTextBrowser>
#include <QThread>

#include <thread>

using namespace zestora;
using namespace zestora::testing;

namespace {

using namespace std::chrono_literals;

// The test SMTP server (smtpserver.py) on 127.0.0.1, stopped when this goes.
class SmtpServer {
public:
    explicit SmtpServer(const QStringList& options = {})
    {
        m_process.start(QStringLiteral(SMTP_PYTHON),
                        QStringList{QStringLiteral(SMTP_SERVER_SCRIPT)} + options);
        m_port = nextLine().trimmed().toInt();
        if (m_port == 0)
            qWarning() << m_process.readAllStandardError();
    }
    ~SmtpServer()
    {
        // The server ends when its input closes; a bounded wait, then no mercy.
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(1000);
    }
    SmtpServer(const SmtpServer&) = delete;
    SmtpServer& operator=(const SmtpServer&) = delete;

    QString address() const { return u"127.0.0.1:"_s + QString::number(m_port); }
    // The next message the server accepted, or an empty object after a bounded wait.
    QJsonObject nextMessage() { return QJsonDocument::fromJson(nextLine()).object(); }

private:
    QByteArray nextLine()
    {
        QElapsedTimer waited;
        waited.start();
        while (!m_process.canReadLine() && m_process.state() != QProcess::NotRunning &&
               waited.elapsed() < 10000)
            m_process.waitForReadyRead(100);
        return m_process.readLine();
    }

    QProcess m_process;
    int m_port = 0;
};

QByteArray recipeFile()
{
    return encodeCp1252(
               lines::recipeRecord(u"Pudding"_s, u"2"_s,
                                   {lines::headingEntry(u"Base"_s),
                                    lines::ingredientEntry(u"Milk"_s, true, u"2"_s, u"cup"_s)},
                                   u"Warm the milk slowly.\r\nServe hot."_s)) +
           "\r\n";
}

// The main window over one stored recipe, on the stored recipes screen.
struct Fixture : StartedMainWindow {
    StoredRecipesScreen* screen = window->findChild<StoredRecipesScreen*>();

    Fixture()
        : StartedMainWindow(
              IngTable::toBytes({food(u"Milk"_s, 1, u"cup"_s, 0, {}, {8, 5, 12, 0, 8, 24, 105})}),
              recipeFile(), QStringLiteral(HELP_DIR))
    {
        window->topBar()->tool(u"Recipes"_s)->trigger();
    }
};

// A stand-in mail component that counts its sends, notes whether an unencrypted relay was
// allowed, and fails as it is told.
struct FakeMail : MailComponent {
    int* sends;
    bool* relay;
    std::optional<Error> failure;

    FakeMail(int* count, bool* relayAllowed, std::optional<Error> error)
        : sends(count)
        , relay(relayAllowed)
        , failure(std::move(error))
    {
    }
    std::optional<Error> sendMail(const QString&, const QString&, const QString&, const QString&,
                                  const QString&) override
    {
        ++*sends;
        *relay = unencryptedRelayAllowed();
        // A server that never answers: only a cancel ends the wait.
        while (hangs && !cancelled())
            QThread::msleep(5);
        return cancelled() ? Error{42, u"Cancelled"_s, {}} : failure;
    }
    bool hangs = false;
};

// The e-mail window for the shown recipe, sending through a FakeMail.
struct WindowFixture : Fixture {
    int sends = 0;
    bool relay = false;
    bool hangs = false;
    std::optional<MailComponent::Error> failure;
    EmailWindow email{settings, help, screen->shownRecipe(), window.get(), [this] {
                          auto mail = std::make_unique<FakeMail>(&sends, &relay, failure);
                          mail->hangs = hangs;
                          return mail;
                      }};

    template <typename T> T* get(const char* name) const
    {
        return email.findChild<T*>(QString::fromLatin1(name));
    }
    void send()
    {
        get<QPushButton>("cmdSendMail")->click();
        QTRY_VERIFY(!email.isSending());
    }
};

} // namespace

class TestMail : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void theRecipeArrivesThroughTheEmailTool();
    void sendingThroughCurl_data();
    void sendingThroughCurl();
    void saveBoxesFollowTheirFields_data();
    void saveBoxesFollowTheirFields();
    void requiredFields_data();
    void requiredFields();
    void aFailureIsReportedTheWindowStaysOpenAndHelps();
    void sendingCanBeCancelled_data();
    void sendingCanBeCancelled();

private:
    QTemporaryDir m_home;
};

void TestMail::initTestCase()
{
    // libcurl reads ~/.netrc: the test's own home has none unless a test writes one.
    qputenv("HOME", m_home.path().toLocal8Bit());
}

void TestMail::theRecipeArrivesThroughTheEmailTool()
{
    SmtpServer server;
    Fixture f;
    const ShownRecipe shown = f.screen->shownRecipe();
    // The directions go out with the line ends they are stored with.
    QCOMPARE(shown.directions, u"Warm the milk slowly.\r\nServe hot."_s);
    bool wasModal = false;
    onNextDialog([&](QDialog* dialog) {
        wasModal = dialog->isModal();
        QCOMPARE(dialog->findChild<QLineEdit*>(u"txtSubject"_s)->text(), u"Pudding"_s);
        dialog->findChild<QLineEdit*>(u"txtServer"_s)->setText(u" "_s + server.address());
        dialog->findChild<QLineEdit*>(u"txtTo"_s)->setText(u"friend@example.org"_s);
        dialog->findChild<QLineEdit*>(u"txtFrom"_s)->setText(u"cook@example.org"_s);
        dialog->findChild<QLineEdit*>(u"txtSubject"_s)->setText(u"Pudding für dich ✓"_s);
        dialog->findChild<QPlainTextEdit*>(u"txtBody"_s)
            ->setPlainText(u"  <b>Enjoy!</b>\nSee you. "_s);
        dialog->findChild<QPushButton*>(u"cmdSendMail"_s)->click();
        // Sent, and the window is still there for another recipient.
        QTRY_VERIFY_WITH_TIMEOUT(!static_cast<EmailWindow*>(dialog)->isSending(), 10000);
        QVERIFY(dialog->isVisible());
        dialog->findChild<QPushButton*>(u"cmdClose"_s)->click();
    });
    f.screen->viewBar()->tool(u"Email"_s)->trigger();
    QVERIFY(wasModal);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(f.messages.size(), 1);
    QCOMPARE(f.messages[0].text, u"Your recipe has been sent"_s);
    QCOMPARE(f.messages[0].title, u"Done"_s);
    QCOMPARE(f.messages[0].icon, MessageBox::Icon::Information);

    const QJsonObject message = server.nextMessage();
    QCOMPARE(message[u"mailFrom"_s].toString(), u"cook@example.org"_s);
    QCOMPARE(message[u"rcptTo"_s].toVariant().toStringList(), QStringList{u"friend@example.org"_s});
    const QJsonObject headers = message[u"headers"_s].toObject();
    QCOMPARE(headers[u"Subject"_s].toString(), u"Pudding für dich ✓"_s);
    QCOMPARE(headers[u"From"_s].toString(), u"cook@example.org"_s);
    QCOMPARE(headers[u"To"_s].toString(), u"friend@example.org"_s);
    QVERIFY(!headers[u"Date"_s].toString().isEmpty());
    QVERIFY(headers[u"Message-ID"_s].toString().endsWith(u"@example.org>"_s));
    QCOMPARE(message[u"type"_s].toString(), u"multipart/alternative"_s);
    // The directions' line breaks show in the HTML; the text reads a panel row to a line.
    const QString html = message[u"html"_s].toString();
    QCOMPARE(html, buildRecipeHtml(u"<b>Enjoy!</b>\r\nSee you."_s, shown));
    QVERIFY(html.contains(u"Warm the milk slowly.<br>Serve hot."_s));
    const QStringList text = message[u"text"_s].toString().remove(u'\r').split(u'\n');
    for (const QString& line :
         {u"Enjoy! See you."_s, u"Nutrition Facts"_s, u"2 cup Milk"_s, u"Serve hot."_s,
          u"Calories 152"_s, u"Calories from fat 72"_s, u"Total Fat 8g  12%"_s, u"Protein 8g"_s,
          u"47.4% of calories from Fat"_s})
        QVERIFY2(text.contains(line), qPrintable(line + u" in "_s + text.join(u'|')));
    QVERIFY(!text.join(u'\n').contains(u"<b>"_s));
    QVERIFY(!text.join(u'\n').contains(u"\n\n\n"_s));
    QVERIFY(message[u"longestLine"_s].toInt() <= 78);
}

enum class Target {
    RejectingServer,
    ClosedPort,
    SilentServer,
    UnknownCa,
    LoginServer,
    PlainServer
};
// Distant: the test's server under a name that is not this machine's.
// CancelledSoon: the user cancels a tenth of a second after the send started.
enum Choice { UnencryptedRelay = 1, NetrcOthersCanRead = 2, Distant = 4, CancelledSoon = 8 };

void TestMail::sendingThroughCurl_data()
{
    QTest::addColumn<Target>("target");
    QTest::addColumn<QString>("netrc");
    QTest::addColumn<QStringList>("fields"); // recipient, sender, subject
    QTest::addColumn<int>("choices");
    QTest::addColumn<int>("number"); // 0: sent
    QTest::addColumn<QString>("description");

    const auto row = [](const char* name, Target target, const QString& netrc,
                        const QStringList& fields, int number, const QString& description,
                        int choices = 0) {
        QTest::newRow(name) << target << netrc << fields << choices << number << description;
    };
    const QStringList fine{u"friend@example.org"_s, u"cook@example.org"_s, u"Pudding"_s};
    const QString login = u"machine 127.0.0.1 login cook password "_s;
    const QString distantLogin = u"machine mail.example.org login cook password s3cret"_s;
    const QString unencrypted = u"The mail server offers no encrypted connection"_s;
    row("STARTTLS and a login from .netrc", Target::LoginServer, login + u"s3cret"_s, fine, 0, {});
    row("A login kept for a server without encryption", Target::PlainServer, login + u"s3cret"_s,
        fine, 64, unencrypted);
    row("A server elsewhere without encryption", Target::PlainServer, {}, fine, 64, unencrypted,
        Distant);
    row("The same as an unencrypted relay", Target::PlainServer, {}, fine, 0, {},
        Distant | UnencryptedRelay);
    row("An unencrypted relay never with a login", Target::PlainServer, distantLogin, fine, 64,
        u"never sends a login unencrypted"_s, Distant | UnencryptedRelay);
    row("A .netrc others can read", Target::LoginServer, login + u"s3cret"_s, fine,
        CurlMail::netrcOpenError, u"Make it yours alone with the command chmod 600 "_s,
        NetrcOthersCanRead);
    row("Two recipients", Target::ClosedPort, {},
        {u"a@x.org, b@y.org"_s, u"cook@example.org"_s, u"Pudding"_s}, CurlMail::addressError,
        u"The To field must hold one e-mail address"_s);
    row("A recipient with an envelope parameter", Target::ClosedPort, {},
        {u"a@x.org> NOTIFY=NEVER"_s, u"cook@example.org"_s, u"Pudding"_s}, CurlMail::addressError,
        u"The To field"_s);
    row("A rejected recipient", Target::RejectingServer, {},
        {u"nobody@example.org"_s, u"cook@example.org"_s, u"Pudding"_s}, 55,
        u"refused the recipient nobody@example.org"_s);
    row("A closed port", Target::ClosedPort, {}, fine, 7, u"refused the connection"_s);
    row("A server that never answers", Target::SilentServer, {}, fine, 28,
        u"did not answer within 1.5"_s);
    row("Cancelled while the server is silent", Target::SilentServer, {}, fine, 42, u"cancelled"_s,
        CancelledSoon);
    row("A certificate from an unknown authority", Target::UnknownCa, {}, fine, 60,
        u"certificate could not be verified"_s);
    row("A wrong password", Target::LoginServer, login + u"wrong"_s, fine, 67,
        u"refused the login"_s);
    row("No login for a server that wants one", Target::LoginServer, {}, fine, 55,
        u"wants a login"_s);
    row("A line break in the subject", Target::ClosedPort, {},
        {u"friend@example.org"_s, u"cook@example.org"_s, u"Hi\r\nBcc: all@x.org"_s},
        CurlMail::lineBreakError, u"subject holds a line break"_s);
    row("A line break in the recipient", Target::ClosedPort, {},
        {u"friend@example.org>\nRCPT TO:<all@x.org"_s, u"cook@example.org"_s, u"Pudding"_s},
        CurlMail::lineBreakError, u"recipient holds a line break"_s);
    row("A line break in the sender", Target::ClosedPort, {},
        {u"friend@example.org"_s, u"cook@example.org\r\nDATA"_s, u"Pudding"_s},
        CurlMail::lineBreakError, u"sender holds a line break"_s);
}

void TestMail::sendingThroughCurl()
{
    QFETCH(Target, target);
    QFETCH(QString, netrc);
    QFETCH(QStringList, fields);
    QFETCH(int, choices);
    QFETCH(int, number);
    QFETCH(QString, description);

    CurlMail mail;
    mail.setTimeLimit(1500ms);
    mail.allowUnencryptedRelay(choices & UnencryptedRelay);
    QTemporaryDir certificates;
    std::unique_ptr<SmtpServer> smtp;
    QTcpServer silent;
    QString address;
    switch (target) {
    case Target::RejectingServer:
        smtp = std::make_unique<SmtpServer>(QStringList{u"--reject"_s, fields[0]});
        break;
    case Target::UnknownCa:
        smtp = std::make_unique<SmtpServer>(QStringList{u"--tls"_s, certificates.path()});
        break;
    case Target::LoginServer:
        smtp = std::make_unique<SmtpServer>(
            QStringList{u"--tls"_s, certificates.path(), u"--login"_s, u"cook:s3cret"_s});
        mail.setCaFile(certificates.filePath(u"ca.pem"_s));
        break;
    case Target::PlainServer:
        smtp = std::make_unique<SmtpServer>();
        break;
    case Target::SilentServer:
    case Target::ClosedPort:
        // Listening without ever answering; or closed again, so that nobody listens there.
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        address = u"127.0.0.1:"_s + QString::number(silent.serverPort());
        if (target == Target::ClosedPort)
            silent.close();
        break;
    }
    if (smtp)
        address = smtp->address();
    if (choices & Distant) {
        mail.setAddressOf(u"mail.example.org"_s, u"127.0.0.1"_s);
        address.replace(u"127.0.0.1"_s, u"mail.example.org"_s);
    }
    const QString netrcFile = m_home.filePath(u"netrc"_s);
    QFile::remove(netrcFile);
    if (!netrc.isEmpty()) {
        writeFile(netrcFile, netrc.toUtf8());
        QVERIFY(QFile::setPermissions(netrcFile, (choices & NetrcOthersCanRead)
                                                     ? QFile::ReadOwner | QFile::ReadOther
                                                     : QFile::ReadOwner | QFile::WriteOwner));
    }
    mail.setNetrcFile(netrcFile);

    std::thread canceller;
    if (choices & CancelledSoon)
        canceller = std::thread([&mail] {
            std::this_thread::sleep_for(100ms);
            mail.cancel();
        });
    const std::optional<MailComponent::Error> error =
        mail.sendMail(address, fields[0], fields[2], u"<p>Hi</p>"_s, fields[1]);
    if (canceller.joinable())
        canceller.join();
    if (number == 0) {
        QVERIFY2(!error, error ? qPrintable(error->description) : "");
        const QJsonObject message = smtp->nextMessage();
        QCOMPARE(message[u"tls"_s].toBool(), target == Target::LoginServer);
        QCOMPARE(message[u"login"_s].toBool(), target == Target::LoginServer);
        return;
    }
    QVERIFY(error);
    QCOMPARE(error->number, number);
    QVERIFY2(error->description.contains(description), qPrintable(error->description));
    QVERIFY(!error->source.isEmpty());
}

void TestMail::saveBoxesFollowTheirFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("key");

    QTest::newRow("Mail server") << u"txtServer"_s << u"ServerChk"_s << Settings::mailServer;
    QTest::newRow("Sender") << u"txtFrom"_s << u"EmailChk"_s << Settings::fromEmail;
}

void TestMail::saveBoxesFollowTheirFields()
{
    QFETCH(QString, field);
    QFETCH(QString, box);
    QFETCH(QString, key);

    WindowFixture f;
    auto* text = f.email.findChild<QLineEdit*>(field);
    auto* check = f.email.findChild<ThreeStateCheckBox*>(box);
    QCOMPARE(f.get<QLineEdit>("txtSubject")->text(), u"Pudding"_s);
    QCOMPARE(text->text(), QString());
    QCOMPARE(check->value(), ThreeStateCheckBox::Clear);
    QVERIFY(!check->isEnabled());

    // Ticking stores the trimmed text.
    QTest::keyClicks(text, u" mail.example.org "_s);
    QVERIFY(check->isEnabled());
    check->click();
    QCOMPARE(check->value(), ThreeStateCheckBox::Ticked);
    QCOMPARE(f.settings.readString(key, u"absent"_s), u"mail.example.org"_s);

    // Opened again: the remembered value is loaded and its box greyed.
    EmailWindow again{f.settings, f.help, f.screen->shownRecipe(), f.window.get()};
    text = again.findChild<QLineEdit*>(field);
    check = again.findChild<ThreeStateCheckBox*>(box);
    QCOMPARE(text->text(), u"mail.example.org"_s);
    QCOMPARE(check->value(), ThreeStateCheckBox::Greyed);
    QVERIFY(check->isEnabled());

    // One typed character clears the box and forgets the value; ticking stores the new one.
    QTest::keyClick(text, Qt::Key_2);
    QCOMPARE(check->value(), ThreeStateCheckBox::Clear);
    QCOMPARE(f.settings.readString(key, u"absent"_s), QString());
    check->click();
    QCOMPARE(f.settings.readString(key, u"absent"_s), u"mail.example.org2"_s);
    // A click on the ticked box clears it and forgets again.
    check->click();
    QCOMPARE(check->value(), ThreeStateCheckBox::Clear);
    QCOMPARE(f.settings.readString(key, u"absent"_s), QString());

    // Blanks only leave nothing to remember; the server's placeholder neither.
    text->setText(u"   "_s);
    QVERIFY(!check->isEnabled());
    text->setText(u"Mail Server Name Goes Here"_s);
    QCOMPARE(check->isEnabled(), box == u"EmailChk"_s);
}

void TestMail::requiredFields_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");

    QTest::newRow("A server of blanks only")
        << u"   "_s << u"a@b.org"_s << u"c@d.org"_s
        << u"You must enter the name of your Email Server"_s << u"txtServer"_s;
    QTest::newRow("No recipient") << u"smtp.b.org"_s << u" "_s << QString()
                                  << u"You must enter the name of your Email Recipient"_s
                                  << u"txtTo"_s;
    QTest::newRow("No sender") << u"smtp.b.org"_s << u"a@b.org"_s << QString()
                               << u"You must enter your Email Address"_s << u"txtFrom"_s;
    QTest::newRow("Two recipients")
        << u"smtp.b.org"_s << u"a@b.org, c@d.org"_s << u"e@f.org"_s
        << u"The To field must hold one e-mail address, such as name@example.org, without blanks, "
           u"angle brackets or commas: \"a@b.org, c@d.org\" is not one."_s
        << u"txtTo"_s;
    QTest::newRow("A sender that is no address")
        << u"smtp.b.org"_s << u" a@b.org "_s << u"<e@f.org>"_s
        << u"The From field must hold one e-mail address, such as name@example.org, without "
           u"blanks, angle brackets or commas: \"<e@f.org>\" is not one."_s
        << u"txtFrom"_s;
}

void TestMail::requiredFields()
{
    QFETCH(QString, server);
    QFETCH(QString, to);
    QFETCH(QString, from);
    QFETCH(QString, message);
    QFETCH(QString, focus);

    WindowFixture f;
    f.get<QLineEdit>("txtServer")->setText(server);
    f.get<QLineEdit>("txtTo")->setText(to);
    f.get<QLineEdit>("txtFrom")->setText(from);
    f.send();
    QCOMPARE(f.messages.size(), 1);
    QCOMPARE(f.messages[0].text, message);
    QCOMPARE(f.messages[0].title, u"Information Required"_s);
    QCOMPARE(f.messages[0].icon, MessageBox::Icon::Critical);
    QCOMPARE(f.email.focusWidget()->objectName(), focus);
    QCOMPARE(f.sends, 0);
}

void TestMail::aFailureIsReportedTheWindowStaysOpenAndHelps()
{
    WindowFixture f;
    f.failure = MailComponent::Error{5, u"Access denied"_s, u"Test mail"_s};
    f.email.show();
    f.get<QLineEdit>("txtServer")->setText(u"smtp.b.org"_s);
    f.get<QLineEdit>("txtTo")->setText(u"a@b.org"_s);
    f.get<QLineEdit>("txtFrom")->setText(u"c@d.org"_s);
    // An empty subject is no reason to refuse.
    f.get<QLineEdit>("txtSubject")->clear();
    f.send();
    QCOMPARE(f.sends, 1);
    QCOMPARE(f.messages.size(), 1);
    QCOMPARE(f.messages[0].text, u"An error occurred: [5] Access denied - Source: Test mail"_s);
    QCOMPARE(f.messages[0].icon, MessageBox::Icon::None);
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(f.email.isVisible());
    QVERIFY(!f.relay);
    // The window is usable: the next press sends again, through an unencrypted relay if wished.
    f.failure.reset();
    f.get<QCheckBox>("RelayChk")->click();
    f.send();
    QCOMPARE(f.sends, 2);
    QVERIFY(f.relay);
    QCOMPARE(f.messages.last().text, u"Your recipe has been sent"_s);
    // Enter presses the focused button, as Space does.
    f.email.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.email));
    auto* help = f.get<QPushButton>("cmdHelp");
    help->setFocus();
    QTest::keyClick(help, Qt::Key_Return);
    QVERIFY(f.help.browser());
    QCOMPARE(f.help.browser()->source().fragment(), u"topic-590"_s);
}

void TestMail::sendingCanBeCancelled_data()
{
    QTest::addColumn<int>("key"); // 0: the Cancel button
    QTest::newRow("The Cancel button") << 0;
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

void TestMail::sendingCanBeCancelled()
{
    QFETCH(int, key);
    WindowFixture f;
    f.hangs = true;
    f.email.show();
    for (const char* field : {"txtServer", "txtTo", "txtFrom"})
        QTest::keyClicks(f.get<QLineEdit>(field), u"a@b.org"_s);
    QTest::mouseClick(f.get<QPushButton>("cmdSendMail"), Qt::LeftButton);
    // The window says it is sending and takes what is typed meanwhile.
    QVERIFY(f.get<QPushButton>("cmdCancel")->isVisible());
    QVERIFY(f.get<QLabel>("SendingLbl")->text().startsWith(u"Sending"_s));
    QTest::keyClicks(f.get<QPlainTextEdit>("txtBody"), u"Typed while sending"_s);
    if (key == 0)
        QTest::mouseClick(f.get<QPushButton>("cmdCancel"), Qt::LeftButton);
    else
        QTest::keyClick(f.get<QPlainTextEdit>("txtBody"), Qt::Key(key));
    // Nothing reported as sent, everything typed still there, the window ready to send again.
    QTRY_VERIFY(f.get<QPushButton>("cmdSendMail")->isEnabled());
    QVERIFY(f.messages.isEmpty() && f.email.isVisible());
    QCOMPARE(f.get<QPlainTextEdit>("txtBody")->toPlainText(), u"Typed while sending"_s);
    QCOMPARE(f.get<QLineEdit>("txtTo")->text(), u"a@b.org"_s);
    // A second Escape asks before what was typed goes, and No keeps it.
    f.answers = {MessageBox::Answer::No, MessageBox::Answer::Yes};
    QTest::keyClick(f.get<QPlainTextEdit>("txtBody"), Qt::Key_Escape);
    QVERIFY(f.email.isVisible());
    QCOMPARE(f.messages.size(), 1);
    QCOMPARE(f.messages[0].defaultButton, MessageBox::Default::No);
    QTest::keyClick(f.get<QPlainTextEdit>("txtBody"), Qt::Key_Escape);
    QVERIFY(!f.email.isVisible());
}

QTEST_MAIN(TestMail)
#include "tst_mail.moc"

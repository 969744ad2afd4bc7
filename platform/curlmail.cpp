#include "platform/curlmail.h"

#include "core/sharing/mailmessage.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QUuid>

#include <curl/curl.h>

#include <memory>
#include <vector>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zestora {

namespace {

const QString ownSource = QStringLiteral("Zestora mail");

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

struct Upload {
    QByteArray bytes;
    qsizetype sent = 0;
};

size_t readBody(char* buffer, size_t size, size_t count, void* user)
{
    auto* upload = static_cast<Upload*>(user);
    const qsizetype length =
        std::min<qsizetype>(qsizetype(size * count), upload->bytes.size() - upload->sent);
    std::copy_n(upload->bytes.constData() + upload->sent, length, buffer);
    upload->sent += length;
    return size_t(length);
}

// What was last said on each side, so that a failure can name the step the server refused.
// Only the command word is kept: the rest of an AUTH line would be the password.
struct Dialogue {
    QByteArray lastCommand;
    QByteArray lastReply;
    bool closing = false;

    int replyCode() const { return lastReply.left(3).toInt(); }
};

int trace(CURL*, curl_infotype type, char* data, size_t size, void* user)
{
    auto* dialogue = static_cast<Dialogue*>(user);
    const QByteArray line = QByteArray(data, qsizetype(size)).trimmed();
    if (line.isEmpty())
        return 0;
    // After a failure libcurl says goodbye; the exchange that failed is the one to keep.
    if (type == CURLINFO_HEADER_OUT) {
        const QByteArray command = line.split(' ').constFirst().toUpper();
        dialogue->closing = dialogue->closing || command == "QUIT";
        if (!dialogue->closing)
            dialogue->lastCommand = command;
    } else if (type == CURLINFO_HEADER_IN && !dialogue->closing) {
        dialogue->lastReply = line;
    }
    return 0;
}

const QString netrcAdvice =
    QStringLiteral("put your user name and password for it in the file .netrc in your home folder");

// The user's .netrc holds passwords: refused, as ftp clients refuse it, when others may read it.
std::optional<MailComponent::Error> netrcRefusal(const QString& path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 ||
        (status.st_mode & (S_IRWXG | S_IRWXO)) == 0)
        return std::nullopt;
    return MailComponent::Error{
        CurlMail::netrcOpenError,
        QStringLiteral("The file %1 holds passwords, and others can read it, so Zestora did not "
                       "use it and sent nothing. Make it yours alone with the command "
                       "chmod 600 %1, then send again.")
            .arg(QDir::toNativeSeparators(path)),
        ownSource};
}

// Why a server without encryption got nothing: a login, or a server that may be anywhere.
QString noEncryption(bool login, const QString& host)
{
    const QString refused =
        QStringLiteral("The mail server offers no encrypted connection, so nothing was sent to "
                       "it.");
    if (login)
        return refused + QStringLiteral(" Zestora never sends a login unencrypted, and the file "
                                        ".netrc in your home folder holds one for %1.")
                             .arg(host);
    return refused + QStringLiteral(" Use your provider's server for encrypted mail, often on "
                                    "port 587 or 465. Only for a relay on a network you trust, "
                                    "tick \"Unencrypted relay\" under Options.");
}

QString whatWentWrong(CURLcode code, const Dialogue& dialogue, const QString& to,
                      const QString& from, std::chrono::milliseconds limit)
{
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
        return QStringLiteral("The mail server was not found: check its name and your connection "
                              "to the internet.");
    case CURLE_COULDNT_CONNECT:
        return QStringLiteral("The mail server refused the connection: check its name and port.");
    case CURLE_OPERATION_TIMEDOUT:
        return QStringLiteral("The mail server did not answer within %1 seconds.")
            .arg(std::chrono::duration<double>(limit).count());
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
        return QStringLiteral("The mail server's certificate could not be verified, so nothing was "
                              "sent to it.");
    case CURLE_SSL_CONNECT_ERROR:
        return QStringLiteral("The secure (TLS) connection to the mail server failed.");
    case CURLE_LOGIN_DENIED:
        return QStringLiteral("The mail server refused the login: check the user name and "
                              "password for it in the file .netrc in your home folder.");
    default:
        break;
    }
    if (dialogue.replyCode() == 530)
        return QStringLiteral("The mail server wants a login: ") + netrcAdvice + u'.';
    if (dialogue.lastCommand == "RCPT")
        return QStringLiteral("The mail server refused the recipient ") + to.trimmed() + u'.';
    if (dialogue.lastCommand == "MAIL")
        return QStringLiteral("The mail server refused the sender address ") + from.trimmed() +
               u'.';
    if (dialogue.lastCommand == "DATA")
        return QStringLiteral("The mail server did not take the message.");
    return QStringLiteral("The message could not be sent.");
}

// The plain-text part beside the HTML: its text, without the runs of empty lines that the
// table cells leave.
QString textOfHtml(const QString& html)
{
    static const QRegularExpression emptyLines(QStringLiteral("\\n[ \\t\\x{00a0}]*(?=\\n)"));
    static const QRegularExpression manyBreaks(QStringLiteral("\\n{3,}"));
    return QTextDocumentFragment::fromHtml(html)
        .toPlainText()
        .replace(emptyLines, QStringLiteral("\n"))
        .replace(manyBreaks, QStringLiteral("\n\n"));
}

struct MultiDeleter {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};

// The sockets of a transfer that are open, made and closed here for libcurl, so that a cancel
// cuts only these.
using OpenSockets = std::vector<curl_socket_t>;

curl_socket_t openSocket(void* open, curlsocktype, curl_sockaddr* address)
{
    const curl_socket_t made =
        ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
    if (made != CURL_SOCKET_BAD)
        static_cast<OpenSockets*>(open)->push_back(made);
    return made;
}

int closeSocket(void* open, curl_socket_t socket)
{
    std::erase(*static_cast<OpenSockets*>(open), socket);
    return ::close(socket);
}

// Runs the transfer of the handle until it ends or the mail is cancelled.
CURLcode perform(CURL* handle, const MailComponent& mail)
{
    OpenSockets open;
    curl_easy_setopt(handle, CURLOPT_OPENSOCKETFUNCTION, &openSocket);
    curl_easy_setopt(handle, CURLOPT_OPENSOCKETDATA, &open);
    curl_easy_setopt(handle, CURLOPT_CLOSESOCKETFUNCTION, &closeSocket);
    curl_easy_setopt(handle, CURLOPT_CLOSESOCKETDATA, &open);
    // The transfer goes step by step, looking between the steps, at least ten times a second,
    // whether it was cancelled.
    const std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
    if (!multi || curl_multi_add_handle(multi.get(), handle) != CURLM_OK)
        return CURLE_FAILED_INIT;
    bool cancelled = false;
    for (int running = 1; running > 0;) {
        if (mail.cancelled() && !cancelled) {
            // The connection is cut: libcurl sees the transfer fail at its next step, without
            // the goodbye to the server that would wait for an answer.
            cancelled = true;
            if (open.empty())
                break;
            for (const curl_socket_t socket : open)
                ::shutdown(socket, SHUT_RDWR);
        }
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK)
            break;
        if (running > 0)
            curl_multi_poll(multi.get(), nullptr, 0, 100, nullptr);
    }
    CURLcode code = CURLE_FAILED_INIT;
    int left = 0;
    while (const CURLMsg* message = curl_multi_info_read(multi.get(), &left))
        if (message->msg == CURLMSG_DONE)
            code = message->data.result;
    curl_multi_remove_handle(multi.get(), handle);
    return cancelled ? CURLE_ABORTED_BY_CALLBACK : code;
}

} // namespace

CurlMail::CurlMail()
{
    // Once per process, before any transfer thread starts.
    static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    Q_UNUSED(initialised);
}

std::optional<MailComponent::Error> CurlMail::sendMail(const QString& server, const QString& to,
                                                       const QString& subject,
                                                       const QString& htmlBody, const QString& from)
{
    const std::pair<const char*, const QString&> oneLineFields[] = {
        {"mail server", server}, {"recipient", to}, {"sender", from}, {"subject", subject}};
    for (const auto& [field, text] : oneLineFields)
        if (mail::breaksLine(text))
            return Error{lineBreakError,
                         QStringLiteral("The %1 holds a line break. Nothing was sent: write the "
                                        "mail server, the addresses and the subject on one line "
                                        "each.")
                             .arg(QLatin1String(field)),
                         ownSource};
    const std::pair<QString, const QString&> addresses[] = {{QStringLiteral("To"), to},
                                                            {QStringLiteral("From"), from}};
    for (const auto& [field, text] : addresses)
        if (const std::optional<QString> problem = mail::addressProblem(field, text))
            return Error{addressError, *problem + QStringLiteral(" Nothing was sent."), ownSource};
    const std::optional<mail::Server> target = mail::parseServer(server);
    if (!target)
        return Error{serverNameError,
                     u'"' + server.trimmed() +
                         QStringLiteral("\" is not a mail server name. Write a name such as "
                                        "smtp.example.org, followed by a colon and the port when "
                                        "your provider gives one: smtp.example.org:587."),
                     ownSource};

    const QString sender = from.trimmed();
    const QString domain = sender.section(u'@', -1);
    const QString messageId =
        QUuid::createUuid().toString(QUuid::WithoutBraces) + u'@' +
        (sender.contains(u'@') && !domain.isEmpty() ? domain : QStringLiteral("zestora.invalid"));
    Upload upload{
        mail::mimeMessage({from, to, subject, htmlBody,
                           MailComponent::plainText().isEmpty() ? textOfHtml(htmlBody)
                                                                : MailComponent::plainText()},
                          QDateTime::currentDateTime(), messageId,
                          "=_zestora_" + QUuid::createUuid().toByteArray(QUuid::WithoutBraces)),
        0};

    const QString netrcPath =
        m_netrcFile.isEmpty() ? QDir::home().filePath(QStringLiteral(".netrc")) : m_netrcFile;
    if (std::optional<Error> refusal = netrcRefusal(netrcPath))
        return refusal;
    QFile netrc(netrcPath);
    const bool login =
        netrc.open(QIODevice::ReadOnly) && mail::netrcHasLogin(netrc.readAll(), target->host);
    // Without encryption no login may go out: libcurl then does not even read the .netrc.
    const bool encrypted = login || !(target->onThisMachine() || unencryptedRelayAllowed());

    const std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl)
        return Error{int(CURLE_FAILED_INIT), QStringLiteral("The mail library could not start."),
                     ownSource};
    const QByteArray url = target->url().toUtf8();
    const QByteArray envelopeFrom = sender.toUtf8();
    const QByteArray envelopeTo = to.trimmed().toUtf8();
    const QByteArray caFile = m_caFile.toLocal8Bit();
    const QByteArray netrcFile = QFile::encodeName(netrcPath);
    std::unique_ptr<curl_slist, CurlDeleter> recipients(
        curl_slist_append(nullptr, envelopeTo.constData()));
    const QByteArray resolve =
        (m_resolveHost + u':' + QString::number(target->port) + u':' + m_resolveAddress).toUtf8();
    std::unique_ptr<curl_slist, CurlDeleter> resolved(
        m_resolveHost.isEmpty() ? nullptr : curl_slist_append(nullptr, resolve.constData()));
    Dialogue dialogue;
    char curlDetail[CURL_ERROR_SIZE] = {};

    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_URL, url.constData());
    curl_easy_setopt(handle, CURLOPT_USE_SSL, long(encrypted ? CURLUSESSL_ALL : CURLUSESSL_TRY));
    if (resolved)
        curl_easy_setopt(handle, CURLOPT_RESOLVE, resolved.get());
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!caFile.isEmpty())
        curl_easy_setopt(handle, CURLOPT_CAINFO, caFile.constData());
    curl_easy_setopt(handle, CURLOPT_NETRC,
                     long(encrypted ? CURL_NETRC_OPTIONAL : CURL_NETRC_IGNORED));
    curl_easy_setopt(handle, CURLOPT_NETRC_FILE, netrcFile.constData());
    curl_easy_setopt(handle, CURLOPT_MAIL_FROM, envelopeFrom.constData());
    curl_easy_setopt(handle, CURLOPT_MAIL_RCPT, recipients.get());
    curl_easy_setopt(handle, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(handle, CURLOPT_READFUNCTION, &readBody);
    curl_easy_setopt(handle, CURLOPT_READDATA, &upload);
    curl_easy_setopt(handle, CURLOPT_INFILESIZE_LARGE, curl_off_t(upload.bytes.size()));
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, long(m_timeLimit.count()));
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, long(m_timeLimit.count()));
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, curlDetail);
    curl_easy_setopt(handle, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(handle, CURLOPT_DEBUGFUNCTION, &trace);
    curl_easy_setopt(handle, CURLOPT_DEBUGDATA, &dialogue);

    const CURLcode code = perform(handle, *this);
    if (code == CURLE_OK)
        return std::nullopt;
    if (code == CURLE_ABORTED_BY_CALLBACK)
        return Error{int(code), QStringLiteral("Sending was cancelled."), target->url()};
    // The server's own words when it refused a step, libcurl's otherwise.
    QString description = code == CURLE_USE_SSL_FAILED
                              ? noEncryption(login, target->host)
                              : whatWentWrong(code, dialogue, to, from, m_timeLimit);
    const QString detail = QString::fromUtf8(curlDetail).trimmed();
    if (dialogue.replyCode() >= 400)
        description += QStringLiteral(" The server said: ") + QString::fromUtf8(dialogue.lastReply);
    else if (!detail.isEmpty())
        description += QStringLiteral(" (") + detail + u')';
    return Error{int(code), description, target->url()};
}

} // namespace zestora

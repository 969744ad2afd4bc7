#include "core/sharing/mailmessage.h"

#include <QRegularExpression>

#include <algorithm>

namespace zestora::mail {

namespace {

constexpr int maxBase64Line = 76;
// Bytes of UTF-8 per encoded word: 39 bytes give 52 base64 characters, which with the 12 of
// "=?UTF-8?B?" and "?=" stay within a 76-character line, "Subject: " in front included.
constexpr int bytesPerWord = 39;

QByteArray base64Lines(const QByteArray& bytes)
{
    const QByteArray encoded = bytes.toBase64();
    QByteArray lines;
    for (qsizetype at = 0; at < encoded.size(); at += maxBase64Line)
        lines += encoded.mid(at, maxBase64Line) + "\r\n";
    return lines;
}

QByteArray part(const QByteArray& boundary, const char* type, const QString& text)
{
    return "--" + boundary + "\r\nContent-Type: " + type +
           "; charset=UTF-8\r\nContent-Transfer-Encoding: base64\r\n\r\n" +
           base64Lines(text.toUtf8());
}

} // namespace

QString Server::url() const
{
    const QString hostPart = host.contains(u':') ? u'[' + host + u']' : host;
    return (implicitTls() ? QStringLiteral("smtps://") : QStringLiteral("smtp://")) + hostPart +
           u':' + QString::number(port);
}

std::optional<Server> parseServer(const QString& text)
{
    // A name or IPv4 address, or an IPv6 address in brackets; then an optional port.
    static const QRegularExpression form(QStringLiteral(
        R"(^(?:([A-Za-z0-9_](?:[A-Za-z0-9_.-]*[A-Za-z0-9_])?)|\[([0-9A-Fa-f:.]+)\])(?::(\d{1,5}))?$)"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    Server server;
    server.host = match.captured(1).isEmpty() ? match.captured(2) : match.captured(1);
    if (match.hasCaptured(3)) {
        server.port = match.captured(3).toInt();
        if (server.port < 1 || server.port > 65535)
            return std::nullopt;
    }
    return server;
}

bool breaksLine(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n') || text.contains(QChar(0));
}

bool Server::onThisMachine() const
{
    static const QRegularExpression loopback(
        QStringLiteral(R"(^127(?:\.(?:25[0-5]|2[0-4]\d|1?\d?\d)){3}$)"));
    return host.compare(u"localhost", Qt::CaseInsensitive) == 0 || host == u"::1" ||
           loopback.match(host).hasMatch();
}

std::optional<QString> addressProblem(const QString& field, const QString& text)
{
    // A dot-atom local part and a host name: what an SMTP envelope takes without quoting.
    static const QRegularExpression address(
        QStringLiteral(R"(^[\w!#$%&'*+/=?^`{|}~-]+(?:\.[\w!#$%&'*+/=?^`{|}~-]+)*)"
                       R"(@[^\W_](?:[\w-]*[^\W_])?(?:\.[^\W_](?:[\w-]*[^\W_])?)*$)"));
    const QString trimmed = text.trimmed();
    if (address.match(trimmed).hasMatch() && trimmed.size() <= 254)
        return std::nullopt;
    return QStringLiteral("The %1 field must hold one e-mail address, such as name@example.org, "
                          "without blanks, angle brackets or commas: \"%2\" is not one.")
        .arg(field, trimmed);
}

bool netrcHasLogin(const QByteArray& netrc, const QString& host)
{
    // Words apart from blanks: "machine NAME", or "default", followed by its login and password.
    const QList<QByteArray> words = netrc.simplified().split(' ');
    bool forHost = false;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QByteArray& word = words[i];
        if (word == "machine")
            forHost = i + 1 < words.size() &&
                      QString::fromUtf8(words[++i]).compare(host, Qt::CaseInsensitive) == 0;
        else if (word == "default")
            forHost = true;
        else if (forHost && (word == "login" || word == "password"))
            return true;
    }
    return false;
}

QByteArray encodedSubject(const QString& subject)
{
    // "Subject: " and the text fit a 78-character line.
    constexpr int plainLimit = 69;
    const bool plain =
        subject.size() <= plainLimit && std::all_of(subject.begin(), subject.end(), [](QChar c) {
            return c.unicode() >= 0x20 && c.unicode() < 0x7f;
        });
    if (plain)
        return subject.toLatin1();

    // Words end at whole characters, never inside one character's UTF-8 bytes.
    QList<QByteArray> words;
    QByteArray word;
    for (qsizetype at = 0; at < subject.size();) {
        const qsizetype length = subject.at(at).isHighSurrogate() ? 2 : 1;
        const QByteArray bytes = subject.mid(at, length).toUtf8();
        if (word.size() + bytes.size() > bytesPerWord) {
            words.append(word);
            word.clear();
        }
        word += bytes;
        at += length;
    }
    words.append(word);
    QByteArray header;
    for (const QByteArray& bytes : words) {
        if (!header.isEmpty())
            header += "\r\n ";
        header += "=?UTF-8?B?" + bytes.toBase64() + "?=";
    }
    return header;
}

QByteArray mimeMessage(const Message& message, const QDateTime& date, const QString& messageId,
                       const QByteArray& boundary)
{
    return "Date: " + date.toString(Qt::RFC2822Date).toLatin1() + "\r\nMessage-ID: <" +
           messageId.toUtf8() + ">\r\nFrom: " + message.from.trimmed().toUtf8() +
           "\r\nTo: " + message.to.trimmed().toUtf8() +
           "\r\nSubject: " + encodedSubject(message.subject) +
           "\r\nMIME-Version: 1.0\r\nContent-Type: multipart/alternative;\r\n boundary=\"" +
           boundary + "\"\r\n\r\n" + part(boundary, "text/plain", message.plainText) +
           part(boundary, "text/html", message.html) + "--" + boundary + "--\r\n";
}

} // namespace zestora::mail

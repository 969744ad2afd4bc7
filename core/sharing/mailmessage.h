#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace zestora::mail {

// Where a message goes: the server field's host and port ("smtp.example.org:587"), port 25 when
// none is given. Port 465 speaks TLS from the first byte.
struct Server {
    QString host;
    int port = 25;

    bool implicitTls() const { return port == 465; }
    // Named as this machine's own loopback ("localhost", 127.x.x.x, ::1): a connection that
    // never leaves the machine. Any other name may lead anywhere.
    bool onThisMachine() const;
    // The address libcurl is given: smtps:// for port 465, smtp:// otherwise.
    QString url() const;
};
// Nothing when the text is not a host name or address with an optional port from 1 to 65535.
std::optional<Server> parseServer(const QString& text);

// True when the text could add a header line or an SMTP command: it holds a CR, an LF or a NUL.
bool breaksLine(const QString& text);

// Why the text of the field (named "To" or "From") is not one address (a local part, @ and a
// domain, without blanks, angle brackets or commas), in a sentence for the user; nothing when it
// is one. Blanks around it do not count.
std::optional<QString> addressProblem(const QString& field, const QString& text);

// True when a .netrc text gives a login or password for the host, or for every host by default.
bool netrcHasLogin(const QByteArray& netrc, const QString& host);

// A Subject header value: as it is when it is short printable ASCII, otherwise RFC 2047 encoded
// words of UTF-8, folded so that no line grows past 76 characters.
QByteArray encodedSubject(const QString& subject);

struct Message {
    QString from;
    QString to;
    QString subject;
    QString html;
    QString plainText;
};

// The message as it goes over the wire: Date, Message-ID, From, To, Subject and a
// multipart/alternative body with the plain text and the HTML, each UTF-8 in base64 lines.
// The boundary and the identifier are the caller's, so that the result can be checked.
QByteArray mimeMessage(const Message& message, const QDateTime& date, const QString& messageId,
                       const QByteArray& boundary);

} // namespace zestora::mail

#pragma once

#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

namespace zestora {

// Sends one HTML message through an SMTP server. The e-mail window makes one for each send, runs
// it on a thread of its own and lets it go afterwards; tests put one of their own in its place.
class MailComponent {
public:
    // Why a message was not sent, in words for the user.
    struct Error {
        int number = 0;
        QString description;
        QString source;
    };

    virtual ~MailComponent() = default;
    // Nothing when the server accepted the message.
    virtual std::optional<Error> sendMail(const QString& server, const QString& to,
                                          const QString& subject, const QString& htmlBody,
                                          const QString& from) = 0;

    // The user's choice to send through a server that offers no encryption, as a relay on a
    // trusted network may; never when a login would be sent.
    void allowUnencryptedRelay(bool allowed) { m_unencryptedRelay = allowed; }
    bool unencryptedRelayAllowed() const { return m_unencryptedRelay; }

    // The text part beside the HTML; without one it is the HTML's text.
    void setPlainText(const QString& text) { m_plainText = text; }
    const QString& plainText() const { return m_plainText; }

    // From any thread, while sendMail runs on another: it stops within a tenth of a second or so
    // and reports an error. Nothing is sent unless the server had already taken the message.
    void cancel() { m_cancelled = true; }
    bool cancelled() const { return m_cancelled; }

private:
    bool m_unencryptedRelay = false;
    QString m_plainText;
    std::atomic<bool> m_cancelled = false;
};

using MailComponentFactory = std::function<std::unique_ptr<MailComponent>()>;

} // namespace zestora

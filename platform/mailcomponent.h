#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace zestora {

// Sends one HTML message through an SMTP server. The e-mail window makes one for each send and
// lets it go afterwards; tests put one of their own in its place.
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

private:
    bool m_unencryptedRelay = false;
};

using MailComponentFactory = std::function<std::unique_ptr<MailComponent>()>;

} // namespace zestora

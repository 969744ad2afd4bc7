#pragma once

#include "platform/mailcomponent.h"

#include <chrono>

namespace zestora {

// The mail component on libcurl. The server field may carry a port; port 465 is TLS from the
// first byte, any other port switches to TLS with STARTTLS. Encryption is required whenever a
// login would be sent and for every server not on this machine, unless the user allowed an
// unencrypted relay (and no login goes to it). Certificates and host names are checked against
// the system's store. A server that wants a login gets the user name and password of its host
// from the user's ~/.netrc, which must be the user's alone. Every failure, including a server
// that never answers, comes back within the time limit; a cancel within a tenth of a second.
class CurlMail : public MailComponent {
public:
    // Own error numbers, apart from libcurl's.
    static constexpr int lineBreakError = 1001;
    static constexpr int serverNameError = 1002;
    static constexpr int addressError = 1003;
    static constexpr int netrcOpenError = 1004;

    CurlMail();

    std::optional<Error> sendMail(const QString& server, const QString& to, const QString& subject,
                                  const QString& htmlBody, const QString& from) override;

    // Tests: a shorter limit, their own certificate authority and .netrc file, and an address
    // for a host name, as a name server would give it.
    void setTimeLimit(std::chrono::milliseconds limit) { m_timeLimit = limit; }
    void setCaFile(const QString& path) { m_caFile = path; }
    void setNetrcFile(const QString& path) { m_netrcFile = path; }
    void setAddressOf(const QString& host, const QString& address)
    {
        m_resolveHost = host;
        m_resolveAddress = address;
    }

private:
    std::chrono::milliseconds m_timeLimit{std::chrono::seconds(30)};
    QString m_caFile;
    QString m_netrcFile;
    QString m_resolveHost;
    QString m_resolveAddress;
};

} // namespace zestora

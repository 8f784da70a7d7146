#pragma once
// A real SMTP server for one test (aiosmtpd, run by Debian's /usr/bin/python3 on a free port
// of 127.0.0.1), and the certificates a test needs to speak TLS with it.
#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace zelk::test {

// A certificate authority of the test's own and a certificate for 127.0.0.1 signed by it,
// plus a self-signed one that nobody trusts.
struct TestCertificates {
    TestCertificates();
    QTemporaryDir dir;
    QString ca, cert, key;         // trusted through `ca`
    QString vreemdCert, vreemdKey; // signed by no known authority
};

class SmtpTestServer {
public:
    // `arguments` as smtpserver.py takes them: --reject ADDRESS, --mode starttls|ssl,
    // --cert/--key, --login USER:PASSWORD.
    explicit SmtpTestServer(const QStringList &arguments = {});
    ~SmtpTestServer();
    int port() const { return m_port; }
    // The messages received so far, oldest first, as the server got them.
    QList<QByteArray> messages() const;
    // The envelope recipients of message `index`.
    QStringList recipients(int index) const;

private:
    QTemporaryDir m_folder;
    QProcess m_process;
    int m_port = 0;
};

// The value of header `name` of `message`, unfolded.
QByteArray headerValue(const QByteArray &message, const QByteArray &name);
// The lines of the headers named `name` (to count them).
int headerCount(const QByteArray &message, const QByteArray &name);

} // namespace zelk::test

#include "smtptestserver.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace zelk::test {

namespace {

QString script()
{
    return qEnvironmentVariable("ZELK_TESTDATA") + QStringLiteral("/../common/smtpserver.py");
}

void openssl(const QStringList &arguments, const QString &folder)
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(QStringLiteral("openssl"), arguments);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        qFatal("openssl %s: %s", qPrintable(arguments.join(u' ')), p.readAllStandardError().constData());
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TestCertificates::TestCertificates()
{
    const QString d = dir.path();
    ca = d + QStringLiteral("/ca.pem");
    cert = d + QStringLiteral("/server.pem");
    key = d + QStringLiteral("/server.key");
    vreemdCert = d + QStringLiteral("/vreemd.pem");
    vreemdKey = d + QStringLiteral("/vreemd.key");
    QFile ext(d + QStringLiteral("/san.ext"));
    ext.open(QIODevice::WriteOnly);
    ext.write("subjectAltName=IP:127.0.0.1,DNS:localhost\nbasicConstraints=CA:FALSE\n");
    ext.close();
    openssl({"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=Zelk proef-CA", "-keyout", "ca.key", "-out", ca},
            d);
    openssl({"req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=127.0.0.1", "-keyout", key, "-out", "server.csr"}, d);
    openssl({"x509", "-req", "-in", "server.csr", "-CA", ca, "-CAkey", "ca.key", "-CAcreateserial", "-days", "2", "-extfile", "san.ext",
             "-out", cert},
            d);
    openssl({"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=127.0.0.1", "-addext",
             "subjectAltName=IP:127.0.0.1", "-keyout", vreemdKey, "-out", vreemdCert},
            d);
}

SmtpTestServer::SmtpTestServer(const QStringList &arguments)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Debian's own Python: another python3 earlier on PATH may lack aiosmtpd.
    m_process.start(QStringLiteral("/usr/bin/python3"), QStringList{script(), m_folder.path()} + arguments);
    if (!m_process.waitForStarted(10000))
        qFatal("the test SMTP server did not start");
    QByteArray line;
    while (!line.contains('\n') && m_process.waitForReadyRead(20000))
        line += m_process.readAllStandardOutput();
    if (!line.startsWith("READY "))
        qFatal("the test SMTP server did not report ready: %s", line.constData());
    m_port = line.mid(6).trimmed().toInt();
}

SmtpTestServer::~SmtpTestServer()
{
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(5000))
        m_process.kill();
    m_process.waitForFinished(2000);
}

QList<QByteArray> SmtpTestServer::messages() const
{
    QList<QByteArray> all;
    const QDir folder(m_folder.path());
    for (const QString &name : folder.entryList({QStringLiteral("*.eml")}, QDir::Files, QDir::Name))
        all << readAll(folder.filePath(name));
    return all;
}

QStringList SmtpTestServer::recipients(int index) const
{
    const QString path = m_folder.path() + QStringLiteral("/%1.rcpt").arg(index, 4, 10, QLatin1Char('0'));
    return QString::fromUtf8(readAll(path)).split(u'\n', Qt::SkipEmptyParts);
}

QByteArray headerValue(const QByteArray &message, const QByteArray &name)
{
    const QByteArray head = message.left(message.indexOf("\r\n\r\n"));
    const QList<QByteArray> lines = head.split('\n');
    QByteArray value;
    bool inside = false;
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (inside && (line.startsWith(' ') || line.startsWith('\t'))) {
            value += line;
            continue;
        }
        inside = line.toLower().startsWith(name.toLower() + ':');
        if (inside)
            value = line.mid(name.size() + 1).trimmed();
        else if (!value.isEmpty())
            break;
    }
    return value;
}

int headerCount(const QByteArray &message, const QByteArray &name)
{
    const QByteArray head = message.left(message.indexOf("\r\n\r\n"));
    int count = 0;
    for (const QByteArray &line : head.split('\n'))
        count += line.toLower().startsWith(name.toLower() + ':');
    return count;
}

} // namespace zelk::test

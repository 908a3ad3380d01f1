// The test SMTP server (smtp_server.py) as a child process, for the tests and the delivery benchmark.
#pragma once

#include <QDir>
#include <QProcess>
#include <QStringList>

class SmtpTestServer {
public:
    // `mode` and `size_limit` as smtp_server.py takes them; the server keeps its certificate and what it
    // receives in `folder`. port() is 0 when it did not start.
    explicit SmtpTestServer(const QString& folder, const char* mode = "ok", const char* size_limit = "")
    {
        QDir().mkpath(folder);
        QStringList arguments{QStringLiteral("-W"), QStringLiteral("ignore"), QStringLiteral(SMTP_SERVER_SCRIPT),
                              folder, QLatin1String(mode)};
        if (*size_limit)
            arguments << QLatin1String(size_limit);
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start(QStringLiteral(TELVORIN_PYTHON), arguments);
        while (!m_process.canReadLine() && m_process.waitForReadyRead(30000)) {
        }
        m_port = m_process.readLine().trimmed().toUShort();
    }
    SmtpTestServer(const SmtpTestServer&) = delete;
    SmtpTestServer& operator=(const SmtpTestServer&) = delete;
    // The server ends when its standard input closes.
    ~SmtpTestServer()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
        m_process.waitForFinished();
    }
    quint16 port() const { return m_port; }

private:
    QProcess m_process;
    quint16 m_port = 0;
};

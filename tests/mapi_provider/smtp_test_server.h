// smtp_server.py as a child for tests and benchmark; its files in `folder`, ends with the object; port() 0: not up.
#pragma once
#include <QDir>
#include <QProcess>
class SmtpTestServer {
public:
    explicit SmtpTestServer(const QString& folder, const char* mode = "ok", const char* size_limit = "")
    {
        QDir().mkpath(folder);
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start(TELVORIN_PYTHON, {"-W", "ignore", TELVORIN_SMTP_SERVER_SCRIPT, folder, mode, size_limit});
        while (!m_process.canReadLine() && m_process.waitForReadyRead(30000)) {}
        m_port = m_process.readLine().trimmed().toUShort();
    }
    ~SmtpTestServer()
    {
        m_process.closeWriteChannel();  // the server's signal to end
        if (!m_process.waitForFinished(10000))
            m_process.kill();
        m_process.waitForFinished();
    }
    quint16 port() const { return m_port; }
private:
    QProcess m_process;
    quint16 m_port = 0;
};

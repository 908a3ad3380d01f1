// The result file of the export jobs.
#include "ausgabe/ergebnisdatei.h"

#include "platform/file_creation.h"

#include <QDir>
#include <QIODevice>

namespace {

// Writes through to the file, turning every LF into CR LF. Text mode would do
// that on Windows only; callers read the file as a Windows text file
// everywhere. Each write is flushed, so a line ended with endl is on disk.
class CrLfGeraet : public QIODevice {
public:
    explicit CrLfGeraet(QFile& datei) : m_datei(datei) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* daten, qint64 laenge) override
    {
        QByteArray umgesetzt;
        umgesetzt.reserve(static_cast<int>(laenge + laenge / 8 + 2));
        for (qint64 i = 0; i < laenge; ++i) {
            if (daten[i] == '\n')
                umgesetzt.append('\r');
            umgesetzt.append(daten[i]);
        }
        if (m_datei.write(umgesetzt) != umgesetzt.size())
            return -1;
        m_datei.flush();
        return laenge;
    }

private:
    QFile& m_datei;
};

}  // namespace

QString ergebnisdatei_pfad(const QString& back_wert)
{
    if (!back_wert.isEmpty())
        return back_wert;
    return QDir::tempPath() + QDir::separator() + QStringLiteral("Telvorin_result.csv");
}

Ergebnisdatei::Ergebnisdatei() = default;

Ergebnisdatei::~Ergebnisdatei()
{
    schliesse();
}

bool Ergebnisdatei::oeffne(const QString& pfad, const QString& kopf)
{
    if (!telvorin::platform::open_for_writing_no_follow(m_datei, pfad))
        return false;
    m_zeilenende = std::make_unique<CrLfGeraet>(m_datei);
    // No codec of our own: the stream's default is the locale's encoding (the ANSI code page on Windows), the one
    // in which the caller's file system names the saved files; a fixed 8-bit code page would turn every character
    // outside it into "?" and name a file that does not exist.
    m_strom = std::make_unique<QTextStream>(m_zeilenende.get());
    *m_strom << QStringLiteral("inf;") << kopf << Qt::endl;
    return true;
}

void Ergebnisdatei::schliesse()
{
    if (m_strom)
        m_strom->flush();
    m_strom.reset();
    m_zeilenende.reset();
    if (m_datei.isOpen())
        m_datei.close();
}

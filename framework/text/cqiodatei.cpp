// CQIODatei: the framework's text file with its stream.
#include "framework/text/cqiodatei.h"

#include <QTextStream>

CQIODatei::CQIODatei(const QString& pfad) : QFile(pfad), m_innen(new QFile(pfad, this)) {}

CQIODatei::~CQIODatei()
{
    schliesse();
}

bool CQIODatei::oeffne(bool lesen, bool schreiben, bool text, bool anhaengen, bool kuerzen)
{
    QIODevice::OpenMode modus = QIODevice::NotOpen;
    if (lesen)
        modus |= QIODevice::ReadOnly;
    if (schreiben)
        modus |= QIODevice::WriteOnly;
    if (text)
        modus |= QIODevice::Text;
    if (anhaengen)
        modus |= QIODevice::Append;
    if (kuerzen)
        modus |= QIODevice::Truncate;
    if (!m_innen->open(modus))
        return false;
    m_offen = true;
    m_strom = new QTextStream(m_innen);
    return true;
}

bool CQIODatei::schliesse()
{
    if (!m_offen)
        return false;
    m_offen = false;
    // The stream goes before the file: deleting it writes out buffered text,
    // which a closed file would drop.
    delete m_strom;
    m_strom = nullptr;
    m_innen->close();
    return true;
}

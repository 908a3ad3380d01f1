// The two export jobs of the tool.
#include "outlook_dateien.h"

#include <QDebug>
#include <QTextStream>

namespace {

void schreibe(QTextStream* out, const QString& zeile)
{
    if (out != nullptr)
        *out << zeile << Qt::endl;
}

}  // namespace

COutlook_Dateien::COutlook_Dateien() = default;
COutlook_Dateien::~COutlook_Dateien() = default;

bool COutlook_Dateien::speichere_explorer_mag(QTextStream* out, const QString&, const QString&)
{
    schreibe(out, QStringLiteral("inf;Outlook Version %1").arg(m_outlook.property("Version").toString()));
    qDebug().noquote() << "speichere_explorer_mag: kein Outlook Explorer aktiv";
    schreibe(out, QStringLiteral("err;kein Outlook Explorer aktiv"));
    return false;
}

bool COutlook_Dateien::speichere_anlage_msg(QTextStream* out, const QString&, const QString&)
{
    schreibe(out, QStringLiteral("inf;Outlook Version %1").arg(m_outlook.property("Version").toString()));
    qDebug().noquote() << "speichere_anlage_msg: kein Outlook Inspector aktiv";
    schreibe(out, QStringLiteral("err;kein Outlook Inspector aktiv"));
    return false;
}

QString COutlook_Dateien::dateiname_aus_betreff(const QString& betreff)
{
    return betreff + QStringLiteral(".msg");
}

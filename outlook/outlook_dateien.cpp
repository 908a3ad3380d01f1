// The two export jobs: the explorer's selection as .msg files, the inspector item's attachments.
#include "outlook/outlook_dateien.h"

#include "ausgabe/konsole.h"

#include "boundary/outside_text.h"

#include <QDebug>
#include <QDir>
#include <QTextStream>

namespace {

// One call writes one line: a CR or LF that a subject, an attachment name or
// -dest brings along becomes a blank, so no text passes for a line the job
// did not write. No Windows file name holds either, so ordinary paths stay.
void schreibe(QTextStream* out, const QString& zeile)
{
    if (out != nullptr)
        *out << telvorin::boundary::replace_line_ends(zeile, QLatin1Char(' ')) << Qt::endl;
}

void melde_debug(const QString& text)
{
    qDebug().noquote() << text;
}

// A given destination is taken as it is; even one ending in a separator
// gets another, so callers see one fixed rule.
QString zielverzeichnis(const QString& dest)
{
    QString verzeichnis = dest;
    if (verzeichnis.isEmpty())
        verzeichnis = QDir::tempPath().replace(QLatin1Char('/'), QDir::separator());
    return verzeichnis + QDir::separator();
}

// How a job fails: a debug line naming the job, the "err;" line, and false
// for the entry point.
bool scheitere(QTextStream* out, const QString& debug, const QString& fehlerzeile)
{
    melde_debug(debug);
    schreibe(out, fehlerzeile);
    return false;
}

// Both jobs open with Outlook's version in the result file and settle
// their destination before they ask Outlook for anything else.
QString beginne_export(QTextStream* out, const QString& version, const QString& dest)
{
    schreibe(out, QStringLiteral("inf;Outlook Version %1").arg(version));
    return zielverzeichnis(dest);
}

void melde_betreff(const Outlook::MailItem& element)
{
    melde_debug(QStringLiteral("Betreff: '%1' %2").arg(element.Subject(), element.OutlookVersion()));
}

}  // namespace

COutlook_Dateien::COutlook_Dateien() = default;
COutlook_Dateien::~COutlook_Dateien() = default;

bool COutlook_Dateien::speichere_explorer_mag(QTextStream* out, const QString& dest, const QString& name)
{
    // `name` selects nothing here: every selected item is saved under the
    // name its subject gives, so a caller cannot lose items by a typo.
    Q_UNUSED(name);
    const QString verzeichnis = beginne_export(out, m_outlook.Version(), dest);

    const std::unique_ptr<Outlook::_Explorer> explorer = m_outlook.ActiveExplorer();
    if (!explorer)
        return scheitere(out, QStringLiteral("speichere_explorer_mag: kein Outlook Explorer aktiv"),
                         QStringLiteral("err;kein Outlook Explorer aktiv"));
    const std::unique_ptr<Outlook::Selection> auswahl = explorer->GetSelection();
    if (!auswahl)
        return scheitere(out, QStringLiteral("speichere_explorer_mag: no Selection"),
                         QStringLiteral("err;no Selection-Object"));
    const int anzahl = auswahl->Count();
    if (anzahl < 1)
        return scheitere(out, QStringLiteral("speichere_explorer_mag: keine Markierung"),
                         QStringLiteral("err;keine Markierung"));

    for (int i = 1; i <= anzahl; ++i) {
        // Released at the end of each pass, so a large selection holds one item at a time.
        Outlook::MailItem element(auswahl->Item(i));
        melde_betreff(element);
        const QString pfad = verzeichnis + dateiname_aus_betreff(element.Subject());
        ausgabe_info(QStringLiteral("OL-Explorer speichere: %1").arg(pfad));
        schreibe(out, QStringLiteral("file;") + pfad);
        element.SaveAs(pfad);
    }
    return true;
}

bool COutlook_Dateien::speichere_anlage_msg(QTextStream* out, const QString& dest, const QString& name)
{
    const QString verzeichnis = beginne_export(out, m_outlook.Version(), dest);

    const std::unique_ptr<Outlook::_Inspector> inspector = m_outlook.ActiveInspector();
    if (!inspector)
        return scheitere(out, QStringLiteral("speichere_anlage_msg: kein Outlook Inspector aktiv"),
                         QStringLiteral("err;kein Outlook Inspector aktiv"));
    Outlook::MailItem element(inspector->CurrentItem());
    melde_betreff(element);

    // An item without an attachment collection is reported like one whose
    // collection is empty: the caller gets the same "err;" line either way.
    int gespeichert = 0;
    if (const std::unique_ptr<Outlook::Attachments> anlagen = element.GetAttachments()) {
        const int anzahl = anlagen->Count();
        for (int position = 1; position <= anzahl; ++position) {
            const std::unique_ptr<Outlook::Attachment> anlage = anlagen->Item(position);
            const QString dateiname = anlage ? anlage->FileName() : QString();
            melde_debug(QStringLiteral("Anlage %1: '%2'").arg(position - 1).arg(dateiname));
            if (!anlage || (!name.isEmpty() && name != dateiname))
                continue;
            const QString pfad = verzeichnis + dateiname;
            ausgabe_info(QStringLiteral("OL-Inspector speichere: %1").arg(pfad));
            anlage->SaveAsFile(pfad);
            schreibe(out, QStringLiteral("file;") + pfad);
            ++gespeichert;
        }
    }
    if (gespeichert == 0)
        return scheitere(out, QStringLiteral("speichere_anlage_msg: keine Anlage(n)"),
                         QStringLiteral("err;keine Anlage(n)"));
    return true;
}

QString COutlook_Dateien::dateiname_aus_betreff(const QString& betreff)
{
    // Order matters: "/" goes first, so "a /| b" becomes "a | b", whose bar
    // then goes too.
    static const char* const entfernen[] = {"<", ">", ":", "\"", "/", "\\", " | ", "?", "*", ",", "'"};
    QString name = betreff;
    for (const char* folge : entfernen)
        name.remove(QLatin1String(folge));
    return name + QStringLiteral(".msg");
}

// The two export jobs of the tool, reaching Outlook through one Application object.
#pragma once

#include "outlook/outlook_objekte.h"

#include <QObject>
#include <QString>

class QTextStream;

class COutlook_Dateien : public QObject {
public:
    COutlook_Dateien();
    ~COutlook_Dateien() override;

    // The entry point binds this object to Outlook before running a job.
    Outlook::Application& application() { return m_outlook; }

    // `out` is the result stream, or nullptr when the result file could not
    // be opened: the jobs then run all the same and write no result lines.
    bool speichere_explorer_mag(QTextStream* out, const QString& dest, const QString& name);
    bool speichere_anlage_msg(QTextStream* out, const QString& dest, const QString& name);

    static QString dateiname_aus_betreff(const QString& betreff);

private:
    Outlook::Application m_outlook;
};

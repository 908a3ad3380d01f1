// The result file of the export jobs.
#pragma once

#include <QFile>
#include <QString>
#include <QTextStream>

#include <memory>

class QIODevice;

// Path of the result file: the -back value when given, else
// Telvorin_result.csv in the temporary directory.
QString ergebnisdatei_pfad(const QString& back_wert);

// The result file: truncated on opening, written in the text stream's default
// encoding (the locale's on POSIX systems, the ANSI code page on Windows; a
// character outside it becomes "?"), every line ended with CR LF on every
// platform and flushed to the file at each endl.
class Ergebnisdatei {
public:
    Ergebnisdatei();
    ~Ergebnisdatei();
    Ergebnisdatei(const Ergebnisdatei&) = delete;
    Ergebnisdatei& operator=(const Ergebnisdatei&) = delete;

    // Opens `pfad` and writes the header line "inf;" + `kopf`.
    // A symbolic link at `pfad` is refused, never written through. On
    // failure nothing is written, no message is given and strom() stays null.
    bool oeffne(const QString& pfad, const QString& kopf);

    // The stream for the jobs, or nullptr when the file is not open.
    QTextStream* strom() { return m_strom.get(); }

    void schliesse();

private:
    QFile m_datei;
    std::unique_ptr<QIODevice> m_zeilenende;
    std::unique_ptr<QTextStream> m_strom;
};

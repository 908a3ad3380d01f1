// CQIODatei: the framework's text file with its stream.
#pragma once

#include <QFile>
#include <QString>

class QTextStream;

// A QFile for a path that owns a second QFile on the same path and a
// QTextStream on that second file. The stream exists exactly while the file
// is open through oeffne(); reading and writing go through strom().
class CQIODatei : public QFile {
public:
    explicit CQIODatei(const QString& pfad);
    ~CQIODatei() override;

    CQIODatei(const CQIODatei&) = delete;
    CQIODatei& operator=(const CQIODatei&) = delete;

    // Opens the inner file with the QIODevice bits ReadOnly, WriteOnly, Text,
    // Append and Truncate as the flags say. On success the file counts as
    // open and the stream is created; on failure nothing changes.
    bool oeffne(bool lesen, bool schreiben, bool text, bool anhaengen, bool kuerzen);

    // Closes the inner file and deletes the stream. Returns whether there was
    // anything to close.
    bool schliesse();

    bool ist_offen() const { return m_offen; }

    // The stream on the inner file, or nullptr while the file is not open.
    QTextStream* strom() const { return m_strom; }

    // The inner file, for callers that need the device itself (seeking, peeking).
    QFile& innere_datei() { return *m_innen; }

private:
    QFile* m_innen;  // child of this object, deleted with it
    QTextStream* m_strom = nullptr;
    bool m_offen = false;
};

// Console output of the tool: Latin-1 text, one line end, flushed per call.
#pragma once

#include <QStringView>

#include <initializer_list>

class QString;

// Writes `text` in Latin-1 and one line end to standard output, or to
// standard error when `auf_stderr` is set. The output is complete when the
// call returns. Characters outside Latin-1 become "?".
void ausgabe_konsole(const QString& text, bool auf_stderr);

// `text` to standard output unless `unterdruecken` is set. Nothing of ours
// sets it; the flag stays because callers of this interface may.
void ausgabe_info(const QString& text, bool unterdruecken = false);

// The pieces as one line on standard output, written as ausgabe_info()
// writes a line, for a line too long to be put together first: a mail body
// may be hundreds of megabytes.
void ausgabe_info_teile(std::initializer_list<QStringView> teile);

// `text` to standard error.
void ausgabe_fehler(const QString& text);

// The closing text of a run that failed, on standard error.
void programmende_mit_fehlern();

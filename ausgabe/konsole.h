// Console output of the tool: Latin-1 text, one line end, flushed per call.
#pragma once

class QString;

// Writes `text` in Latin-1 and one line end to standard output, or to
// standard error when `auf_stderr` is set. The output is complete when the
// call returns. Characters outside Latin-1 become "?".
void ausgabe_konsole(const QString& text, bool auf_stderr);

// `text` to standard output unless `unterdruecken` is set.
void ausgabe_info(const QString& text, bool unterdruecken = false);

// `text` to standard error.
void ausgabe_fehler(const QString& text);

// The closing text of a run that failed, on standard error.
void programmende_mit_fehlern();

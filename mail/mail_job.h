// The mail job: send the mail of an interface file through Simple MAPI.
#pragma once

class QString;

// Reads the interface file at `pfad`, lists it, sends it and returns the
// process status: 0 or -1.
int sende_interface_mail(const QString& pfad);

// MailDaten: one mail as the interface file describes it.
#pragma once

#include <QString>
#include <QStringList>

struct MailDaten {
    QStringList to;
    QStringList cc;
    QStringList bcc;
    QString info;  // the subject
    QString body;  // every line ends in "\r\n"
    QStringList atta;  // attachment paths, "/" already turned into "\"
    QStringList attt;  // attachment titles; used only when there is one per path
};

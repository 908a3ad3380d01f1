// The send dialog that MAPI_DIALOG asks for: the user sees the mail, may edit it, and sends or cancels.
#include "mapi_provider/dialog/send_dialog.h"

#include "mapi_provider/dialog/recipient_field.h"

#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <sys/stat.h>

namespace telvorin::mapi {

namespace {

QString shown_recipients(const OutgoingMail& mail, RecipientKind kind)
{
    QStringList shown;
    for (const OutgoingRecipient& recipient : mail.recipients) {
        if (recipient.kind == kind)
            shown << (recipient.mailbox.address.isEmpty() ? recipient.as_written : shown_mailbox(recipient.mailbox));
    }
    return shown.join(QStringLiteral("; "));
}

QString problem_with(ULONG result, const QString& entry)
{
    switch (result) {
    case MAPI_E_AMBIGUOUS_RECIPIENT:
        return QStringLiteral("Mehrdeutiger Empfänger: %1").arg(entry);
    case MAPI_E_INVALID_RECIPS:
        return QStringLiteral("Ungültige Adresse: %1").arg(entry);
    default:
        return QStringLiteral("Unbekannter Empfänger: %1").arg(entry);
    }
}

QString window_title(const QString& subject)
{
    return subject.isEmpty() ? QStringLiteral("E-Mail senden") : subject + QStringLiteral(" – E-Mail senden");
}

class SendDialog {
public:
    SendDialog(OutgoingMail& mail, bool recipients_required, const RecipientResolver& resolve)
        : m_mail(mail), m_recipients_required(recipients_required), m_resolve(resolve)
    {
        m_dialog.setWindowTitle(window_title(mail.subject));
        m_dialog.resize(640, 480);
        auto* form = new QFormLayout;
        const auto line = [&](const QString& label, const QString& text) {
            auto* edit = new QLineEdit(text);
            auto* caption = new QLabel(label);
            caption->setBuddy(edit);
            form->addRow(caption, edit);
            return edit;
        };
        m_from = line(QStringLiteral("&Von:"), shown_mailbox(mail.from));
        m_to = line(QStringLiteral("A&n:"), shown_recipients(mail, RecipientKind::to));
        m_cc = line(QStringLiteral("&Cc:"), shown_recipients(mail, RecipientKind::cc));
        m_bcc = line(QStringLiteral("&Bcc:"), shown_recipients(mail, RecipientKind::bcc));
        m_subject = line(QStringLiteral("Be&treff:"), mail.subject);
        for (QLineEdit* field : {m_to, m_cc, m_bcc})
            field->setPlaceholderText(QStringLiteral("Namen oder Adressen, durch ; getrennt"));
        QObject::connect(m_subject, &QLineEdit::textChanged,
                         [this](const QString& subject) { m_dialog.setWindowTitle(window_title(subject)); });

        m_body = new QPlainTextEdit;
        m_body->setPlainText(QString::fromUtf8(reinterpret_cast<const char*>(mail.body->data),
                                               static_cast<int>(mail.body->len)));
        m_body->setTabChangesFocus(true);
        m_body->document()->setModified(false);

        auto* layout = new QVBoxLayout(&m_dialog);
        layout->addLayout(form);
        layout->addWidget(m_body, 3);
        if (!mail.attachments.empty())
            add_attachment_list(layout);
        m_problem = new QLabel;
        // It repeats what the caller or the user wrote: as rich text, a caller could fake our own messages.
        m_problem->setTextFormat(Qt::PlainText);
        m_problem->setStyleSheet(QStringLiteral("color: #b00020"));
        m_problem->setWordWrap(true);
        m_problem->hide();
        layout->addWidget(m_problem);

        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        auto* send = new QPushButton(QStringLiteral("&Senden"));
        auto* cancel = new QPushButton(QStringLiteral("&Abbrechen"));
        // Return in a field must not send by accident; Ctrl+Return does.
        for (QPushButton* button : {send, cancel}) {
            button->setAutoDefault(false);
            button->setDefault(false);
            buttons->addWidget(button);
        }
        layout->addLayout(buttons);
        QObject::connect(send, &QPushButton::clicked, [this] { try_send(); });
        QObject::connect(cancel, &QPushButton::clicked, &m_dialog, &QDialog::reject);
        for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)})
            QObject::connect(new QShortcut(keys, &m_dialog), &QShortcut::activated, [this] { try_send(); });
        m_body->setFocus();
    }

    bool run()
    {
        m_dialog.show();
        m_dialog.raise();
        m_dialog.activateWindow();
        return m_dialog.exec() == QDialog::Accepted;
    }

private:
    void add_attachment_list(QVBoxLayout* layout)
    {
        auto* list = new QTreeWidget;
        list->setColumnCount(2);
        list->setHeaderLabels({QStringLiteral("Anlage"), QStringLiteral("Größe")});
        list->setRootIsDecorated(false);
        list->setSelectionMode(QAbstractItemView::NoSelection);
        list->setFocusPolicy(Qt::NoFocus);
        for (const OutgoingAttachment& attachment : m_mail.attachments) {
            struct stat info {};
            const qint64 size = ::fstat(attachment.file->get(), &info) == 0 ? static_cast<qint64>(info.st_size) : 0;
            auto* item = new QTreeWidgetItem(list, {attachment.name, QLocale().formattedDataSize(size)});
            item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        }
        list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
        list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
        list->header()->setStretchLastSection(false);
        list->setMaximumHeight(list->sizeHintForRow(0) * 4 + list->header()->sizeHint().height() + 8);
        auto* caption = new QLabel(QStringLiteral("Anlagen:"));
        layout->addWidget(caption);
        layout->addWidget(list, 1);
    }

    // Reads the fields back; a message for the user when something does not resolve.
    QString read_back(OutgoingMail& edited) const
    {
        if (m_from->isModified()) {
            const auto from = parse_mailbox(m_from->text());
            if (!from)
                return QStringLiteral("Ungültiger Absender: %1").arg(m_from->text());
            edited.from = *from;
        }
        if (m_subject->isModified())
            edited.subject = m_subject->text();
        if (m_body->document()->isModified())
            edited.body = text_bytes(m_body->toPlainText());
        bool all_resolved = true;
        for (const OutgoingRecipient& recipient : m_mail.recipients)
            all_resolved = all_resolved && !recipient.mailbox.address.isEmpty();
        if (all_resolved && !m_to->isModified() && !m_cc->isModified() && !m_bcc->isModified())
            return QString();
        edited.recipients.clear();
        const std::pair<QLineEdit*, ULONG> fields[] = {{m_to, MAPI_TO}, {m_cc, MAPI_CC}, {m_bcc, MAPI_BCC}};
        for (const auto& [field, recip_class] : fields) {
            for (const QString& entry : entries_of(field->text())) {
                OutgoingRecipient recipient;
                const ULONG result = m_resolve(IncomingRecipient{recip_class, entry, QString()}, recipient);
                if (result != SUCCESS_SUCCESS || recipient.mailbox.address.isEmpty())
                    return problem_with(result, entry);
                edited.recipients.push_back(recipient);
            }
        }
        if (m_recipients_required && edited.recipients.empty())
            return QStringLiteral("Mindestens ein Empfänger ist nötig.");
        return QString();
    }

    void try_send()
    {
        OutgoingMail edited = m_mail;
        const QString problem = read_back(edited);
        if (!problem.isEmpty()) {
            m_problem->setText(problem);
            m_problem->show();
            return;
        }
        m_mail = edited;
        m_dialog.accept();
    }

    OutgoingMail& m_mail;
    const bool m_recipients_required;
    const RecipientResolver& m_resolve;
    QDialog m_dialog;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    QLineEdit* m_cc = nullptr;
    QLineEdit* m_bcc = nullptr;
    QLineEdit* m_subject = nullptr;
    QPlainTextEdit* m_body = nullptr;
    QLabel* m_problem = nullptr;
};

}  // namespace

bool run_send_dialog(OutgoingMail& mail, bool recipients_required, const RecipientResolver& resolve)
{
    SendDialog dialog(mail, recipients_required, resolve);
    return dialog.run();
}

}  // namespace telvorin::mapi

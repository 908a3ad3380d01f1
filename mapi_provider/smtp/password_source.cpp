// The password for the SMTP log-in: the log-on's, else the first output line of PasswordCommand=, else Password=.
#include "mapi_provider/smtp/password_source.h"

#include "mapi_provider/shared/time_limits.h"

#include "boundary/child_process.h"

#include <QFile>

namespace telvorin::mapi {

std::optional<QByteArray> smtp_password(const Profile& profile)
{
    if (!profile.logon_password.isEmpty())
        return profile.logon_password.toUtf8();
    if (!profile.setting_text("User").isEmpty() && !profile.setting("PasswordCommand").isEmpty()) {
        boundary::ChildCommand command;
        for (const QString& argument : profile.setting("PasswordCommand"))
            command.argv.push_back(QFile::encodeName(argument));
        command.output = boundary::ChildCommand::Output::first_line;
        command.keep_stderr = true;
        command.limit = time_limit(std::chrono::minutes(2));
        const boundary::ChildOutcome outcome = boundary::run_child(command);
        if (!outcome.succeeded() || outcome.first_line.isEmpty())
            return std::nullopt;
        return outcome.first_line;
    }
    return profile.password.toUtf8();
}

}  // namespace telvorin::mapi

// The send dialog's host: a QApplication of our own when the caller has none, for as long as the dialog is shown.
// Built with the dialog into a module of its own, so that only a dialog really shown loads Qt Widgets.
#include "mapi_provider/dialog/send_dialog.h"

#include <QApplication>

#include <clocale>
#include <memory>
#include <string>

namespace telvorin::mapi {

namespace {

// A QApplication for the length of one dialog when the host has none. Qt
// sets the C locale from the environment; the host gets its own back.
class OwnApplication {
public:
    OwnApplication() : m_locale(std::setlocale(LC_ALL, nullptr))
    {
        static int argc = 1;
        static char name[] = "telvorin-mapi";
        static char* argv[] = {name, nullptr};
        m_application = std::make_unique<QApplication>(argc, argv);
    }
    OwnApplication(const OwnApplication&) = delete;
    OwnApplication& operator=(const OwnApplication&) = delete;
    ~OwnApplication()
    {
        m_application.reset();
        std::setlocale(LC_ALL, m_locale.c_str());
    }

private:
    std::string m_locale;
    std::unique_ptr<QApplication> m_application;
};

}  // namespace

ULONG show_send_dialog(OutgoingMail& mail, bool recipients_required, const RecipientResolver& resolve,
                       bool own_application)
{
    std::unique_ptr<OwnApplication> own;
    if (own_application)
        own = std::make_unique<OwnApplication>();
    const bool sent = run_send_dialog(mail, recipients_required, resolve);
    return sent ? SUCCESS_SUCCESS : MAPI_USER_ABORT;
}

}  // namespace telvorin::mapi

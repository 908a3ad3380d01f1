// Whether and where the send dialog can appear, decided without Qt Widgets.
#include "mapi_provider/provider/send_dialog_surface.h"

#include "mapi_provider/provider/delivery.h"
#include "mapi_provider/provider/provider_modules.h"

#include "boundary/outside_text.h"

#include <QCoreApplication>
#include <QThread>
#include <QVariant>

#include <xcb/xcb.h>

#include <mutex>

namespace telvorin::mapi {

namespace {

// One QApplication of our own at a time, and never two dialogs building one.
std::mutex own_application_mutex;

bool variable_set(const char* name)
{
    return !qEnvironmentVariableIsEmpty(name);
}

// Where the dialog can appear: in the host's widgets application, in one of
// our own on the X server that DISPLAY names, or nowhere (`why` says why).
enum class Surface { none, host, own };

Surface dialog_surface(QString& why, DisplayHold& display)
{
    if (!variable_set("DISPLAY") && !variable_set("WAYLAND_DISPLAY")) {
        why = QStringLiteral("kein Bildschirm (DISPLAY und WAYLAND_DISPLAY leer)");
        return Surface::none;
    }
    if (QCoreApplication* application = QCoreApplication::instance()) {
        // A QCoreApplication or QGuiApplication cannot host widgets, and a
        // second application object cannot be made beside it. Asked by class
        // name and property, so that the decision needs no Qt Widgets or Gui.
        if (!application->inherits("QApplication")) {
            why = QStringLiteral("das aufrufende Programm hat keine QApplication");
            return Surface::none;
        }
        if (QThread::currentThread() != application->thread()) {
            why = QStringLiteral("Aufruf nicht aus dem Oberflaechen-Thread");
            return Surface::none;
        }
        const QString platform = application->property("platformName").toString();
        if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) {
            why = QStringLiteral("Qt-Plattform %1 ohne Bildschirm").arg(platform);
            return Surface::none;
        }
        return Surface::host;
    }
    // Our own application goes where Qt goes by default here: X11. A display
    // that cannot be reached would make QApplication end the host process.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "xcb") {
        why = QStringLiteral("Qt-Plattform %1 nicht unterstuetzt").arg(QString::fromLocal8Bit(platform));
        return Surface::none;
    }
    // An X server resets when its last client leaves and refuses connections
    // until it is done, which takes a while on a busy machine. Closing this
    // connection on a server without other clients would make the dialog's
    // own connection fail a moment later, so it stays open as long as the
    // caller holds it.
    display.reset(xcb_connect(nullptr, nullptr), [](void* connection) {
        xcb_disconnect(static_cast<xcb_connection_t*>(connection));
    });
    if (xcb_connection_has_error(static_cast<xcb_connection_t*>(display.get())) != 0) {
        display.reset();
        why = QStringLiteral("X-Server '%1' nicht erreichbar").arg(qEnvironmentVariable("DISPLAY"));
        return Surface::none;
    }
    return Surface::own;
}

}  // namespace

ULONG send_dialog_wanted(const Profile& profile, bool& show, DisplayHold& display)
{
    show = false;
    if (profile.delivery->dialog == DialogUse::own_window || profile.dialog == DialogMode::never)
        return SUCCESS_SUCCESS;
    QString why;
    {
        std::lock_guard<std::mutex> lock(own_application_mutex);
        show = dialog_surface(why, display) != Surface::none;
    }
    if (!show && profile.dialog == DialogMode::always) {
        boundary::write_error_line(QStringLiteral("Sendedialog fuer Profil [%1] nicht moeglich: %2").arg(profile.name, why));
        return MAPI_E_FAILURE;
    }
    return SUCCESS_SUCCESS;
}

ULONG confirm_in_send_dialog(OutgoingMail& mail, bool recipients_required, const RecipientResolver& resolve)
{
    std::unique_lock<std::mutex> lock(own_application_mutex, std::defer_lock);
    bool own_application = false;
    DisplayHold display;  // until our application has connected, and beyond
    if (!QCoreApplication::instance()) {
        lock.lock();
        QString why;
        // Another thread may have made its own in the meantime.
        if (dialog_surface(why, display) != Surface::own) {
            boundary::write_error_line(QStringLiteral("Sendedialog nicht moeglich: %1")
                       .arg(why.isEmpty() ? QStringLiteral("inzwischen gibt es eine QApplication") : why));
            return MAPI_E_FAILURE;
        }
        own_application = true;
    }
    return show_send_dialog_in_module(mail, recipients_required, resolve, own_application);
}

}  // namespace telvorin::mapi

// The lower bounds of the outbox mail job in bench_start: a Simple MAPI library whose calls all succeed without
// building or writing a mail. Built plain, a run through it costs the tool's own share of the job and nothing
// else. Built with TELVORIN_BENCH_LOAD_GMIME, it also brings GMime and each library GMime needs into the
// tool's process, as the provider does for every delivery: the share no provider that builds its mails with
// GMime avoids.
#include "simple_mapi/simple_mapi.h"

#ifdef TELVORIN_BENCH_LOAD_GMIME
#include <gmime/gmime.h>

// Keeps GMime a needed library of this module without starting it, which the provider does only when it
// builds a mail.
extern "C" __attribute__((used)) void (*const telvorin_bench_gmime_entry)() = g_mime_init;
#endif

extern "C" {

ULONG MAPILogon(ULONG_PTR, LPSTR, LPSTR, FLAGS, ULONG, LPLHANDLE session)
{
    *session = 1;
    return SUCCESS_SUCCESS;
}

ULONG MAPILogoff(LHANDLE, ULONG_PTR, FLAGS, ULONG)
{
    return SUCCESS_SUCCESS;
}

ULONG MAPISendMail(LHANDLE, ULONG_PTR, lpMapiMessage, FLAGS, ULONG)
{
    return SUCCESS_SUCCESS;
}

ULONG MAPISendMailW(LHANDLE, ULONG_PTR, lpMapiMessageW, FLAGS, ULONG)
{
    return SUCCESS_SUCCESS;
}

ULONG MAPISendDocuments(ULONG_PTR, LPSTR, LPSTR, LPSTR, ULONG)
{
    return SUCCESS_SUCCESS;
}

ULONG MAPIFindNext(LHANDLE, ULONG_PTR, LPSTR, LPSTR, FLAGS, ULONG, LPSTR)
{
    return SUCCESS_SUCCESS;
}

ULONG MAPIReadMail(LHANDLE, ULONG_PTR, LPSTR, FLAGS, ULONG, lpMapiMessage*)
{
    return SUCCESS_SUCCESS;
}

ULONG MAPISaveMail(LHANDLE, ULONG_PTR, lpMapiMessage, FLAGS, ULONG, LPSTR)
{
    return SUCCESS_SUCCESS;
}

ULONG MAPIDeleteMail(LHANDLE, ULONG_PTR, LPSTR, FLAGS, ULONG)
{
    return SUCCESS_SUCCESS;
}

ULONG MAPIFreeBuffer(LPVOID)
{
    return SUCCESS_SUCCESS;
}

ULONG MAPIAddress(LHANDLE, ULONG_PTR, LPSTR, ULONG, LPSTR, ULONG,
                                                         lpMapiRecipDesc, FLAGS, ULONG, LPULONG, lpMapiRecipDesc*)
{
    return SUCCESS_SUCCESS;
}

ULONG MAPIDetails(LHANDLE, ULONG_PTR, lpMapiRecipDesc, FLAGS, ULONG)
{
    return SUCCESS_SUCCESS;
}

// No recipient comes back: the mailer then keeps each name as the caller wrote it.
ULONG MAPIResolveName(LHANDLE, ULONG_PTR, LPSTR, FLAGS, ULONG,
                                                             lpMapiRecipDesc* recipient)
{
    *recipient = nullptr;
    return SUCCESS_SUCCESS;
}

}  // extern "C"

// A recording Simple MAPI provider: each call (and the loading) is a line in $TELVORIN_TEST_PROTOKOLL; the n-th call
// answers the n-th of TELVORIN_TEST_<function>'s comma-separated codes, else 0. TELVORIN_OHNE_<function> omits it.
#include "simple_mapi/simple_mapi.h"
// MAPI32.DLL is stdcall, not the default on 32-bit Windows; elsewhere there is one convention only.
#ifndef WINAPI
#define WINAPI
#endif
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
namespace {
void protokolliere(const std::string& zeile)
{
    const char* pfad = std::getenv("TELVORIN_TEST_PROTOKOLL");
    if (std::FILE* datei = pfad != nullptr ? std::fopen(pfad, "ab") : nullptr) {
        std::fputs((zeile + "\n").c_str(), datei);
        std::fclose(datei);
    }
}
__attribute__((constructor)) void beim_laden() { protokolliere("loaded"); }
std::string text(const char* s)
{
    if (s == nullptr)
        return "null";
    std::string t = "<";
    for (char hex[5]; *s != 0; ++s) {
        std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(*s));
        t += *s >= 0x20 && *s < 0x7f ? std::string(1, *s) : std::string(hex);
    }
    return t + ">";
}
std::string n(unsigned long long zahl) { return std::to_string(zahl); }
// Records the call of `funktion`, whose last two arguments are always these, and returns the code chosen for it.
ULONG antworte(const std::string& funktion, const std::string& argumente, FLAGS flags, ULONG reserviert)
{
    static std::map<std::string, int> aufrufe;
    const char* rest = std::getenv(("TELVORIN_TEST_" + funktion).c_str());
    for (int i = aufrufe[funktion]++; rest != nullptr && i > 0; --i)
        rest = std::strchr(rest, ',') != nullptr ? std::strchr(rest, ',') + 1 : "";
    const auto code = static_cast<ULONG>(rest != nullptr ? std::strtoul(rest, nullptr, 10) : 0);
    protokolliere(funktion + " " + argumente + " flags=" + n(flags) + " reserved=" + n(reserviert) + " -> " + n(code));
    return code;
}
}  // namespace
extern "C" {
TELVORIN_TEST_EXPORT ULONG WINAPI MAPILogon(ULONG_PTR ui, LPSTR profil, LPSTR passwort, FLAGS flags, ULONG reserviert,
                                     LPLHANDLE sitzung)
{
    const ULONG code = antworte("MAPILogon", "ui=" + n(ui) + " profile=" + text(profil) + " password=" + text(passwort),
                                flags, reserviert);
    if (code == SUCCESS_SUCCESS)
        *sitzung = 4711;
    return code;
}
TELVORIN_TEST_EXPORT ULONG WINAPI MAPILogoff(LHANDLE sitzung, ULONG_PTR ui, FLAGS flags, ULONG reserviert)
{
    return antworte("MAPILogoff", "session=" + n(sitzung) + " ui=" + n(ui), flags, reserviert);
}
TELVORIN_TEST_EXPORT ULONG WINAPI MAPISendMail(LHANDLE sitzung, ULONG_PTR ui, lpMapiMessage m, FLAGS flags, ULONG reserviert)
{
    const ULONG code = antworte("MAPISendMail", "session=" + n(sitzung) + " ui=" + n(ui), flags, reserviert);
    protokolliere(" message reserved=" + n(m->ulReserved) + " subject=" + text(m->lpszSubject) + " text="
                  + text(m->lpszNoteText) + " type=" + text(m->lpszMessageType) + " date=" + text(m->lpszDateReceived)
                  + " conversation=" + text(m->lpszConversationID) + " flags=" + n(m->flFlags) + " originator="
                  + (m->lpOriginator ? "set" : "null") + " recips=" + n(m->nRecipCount) + " files=" + n(m->nFileCount));
    for (const MapiRecipDesc* r = m->lpRecips; r != m->lpRecips + m->nRecipCount; ++r)
        protokolliere(" recip reserved=" + n(r->ulReserved) + " class=" + n(r->ulRecipClass) + " name="
                      + text(r->lpszName) + " address=" + text(r->lpszAddress) + " eid=" + n(r->ulEIDSize) + "/"
                      + (r->lpEntryID ? "set" : "null"));
    for (const MapiFileDesc* f = m->lpFiles; f != m->lpFiles + m->nFileCount; ++f)
        protokolliere(" file reserved=" + n(f->ulReserved) + " flags=" + n(f->flFlags) + " position="
                      + n(f->nPosition) + " path=" + text(f->lpszPathName) + " name=" + text(f->lpszFileName)
                      + " type=" + (f->lpFileType ? "set" : "null"));
    return code;
}
// Functions the mailer must find but never calls: a call shows in the record.
#define UNGENUTZT(NAME, ...) \
    TELVORIN_TEST_EXPORT ULONG WINAPI NAME(__VA_ARGS__) { protokolliere(#NAME); return MAPI_E_NOT_SUPPORTED; }
#ifndef TELVORIN_OHNE_MAPISendMailW
UNGENUTZT(MAPISendMailW, LHANDLE, ULONG_PTR, struct MapiMessageW*, FLAGS, ULONG)
#endif
#ifndef TELVORIN_OHNE_MAPISendDocuments
UNGENUTZT(MAPISendDocuments, ULONG_PTR, LPSTR, LPSTR, LPSTR, ULONG)
#endif
UNGENUTZT(MAPIFindNext, LHANDLE, ULONG_PTR, LPSTR, LPSTR, FLAGS, ULONG, LPSTR)
UNGENUTZT(MAPIReadMail, LHANDLE, ULONG_PTR, LPSTR, FLAGS, ULONG, lpMapiMessage*)
UNGENUTZT(MAPISaveMail, LHANDLE, ULONG_PTR, lpMapiMessage, FLAGS, ULONG, LPSTR)
UNGENUTZT(MAPIDeleteMail, LHANDLE, ULONG_PTR, LPSTR, FLAGS, ULONG)
UNGENUTZT(MAPIAddress, LHANDLE, ULONG_PTR, LPSTR, ULONG, LPSTR, ULONG, lpMapiRecipDesc, FLAGS, ULONG, LPULONG,
          lpMapiRecipDesc*)
UNGENUTZT(MAPIDetails, LHANDLE, ULONG_PTR, lpMapiRecipDesc, FLAGS, ULONG)
TELVORIN_TEST_EXPORT ULONG WINAPI MAPIFreeBuffer(LPVOID puffer)
{
    protokolliere("MAPIFreeBuffer");
    std::free(puffer);
    return SUCCESS_SUCCESS;
}
TELVORIN_TEST_EXPORT ULONG WINAPI MAPIResolveName(LHANDLE sitzung, ULONG_PTR ui, LPSTR name, FLAGS flags, ULONG reserviert,
                      lpMapiRecipDesc* ergebnis)
{
    const ULONG code = antworte("MAPIResolveName", "session=" + n(sitzung) + " ui=" + n(ui) + " name=" + text(name),
                                flags, reserviert);
    if (code != SUCCESS_SUCCESS)
        return code;
    const std::string aufgeloest
        = std::strcmp(name, "mueller") == 0 ? "J\xfcrgen M\xfcller" : "[" + std::string(name) + "]";
    // One block for the descriptor and its name, as Simple MAPI hands it out.
    auto* r = static_cast<MapiRecipDesc*>(std::calloc(1, sizeof(MapiRecipDesc) + aufgeloest.size() + 1));
    r->ulRecipClass = MAPI_TO;
    r->lpszName = std::strcpy(reinterpret_cast<char*>(r + 1), aufgeloest.c_str());
    *ergebnis = r;
    return code;
}
}  // extern "C"

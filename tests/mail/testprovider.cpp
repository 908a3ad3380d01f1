// A Simple MAPI provider for the mail tests: records every call, answers with chosen codes.
//
// The record goes to the file named by TELVORIN_TEST_PROTOKOLL, one line per
// call (plus one when the library is loaded). The codes of the n-th call of a
// function come from the n-th entry of a comma-separated list in
// TELVORIN_TEST_LOGON, _LOGOFF, _SENDMAIL or _RESOLVE; a missing entry is 0.
// Built once per OHNE_<function> definition to leave that function out.
#include "simple_mapi.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace {

constexpr LHANDLE test_sitzung = 4711;

void protokolliere(const std::string& zeile)
{
    const char* pfad = std::getenv("TELVORIN_TEST_PROTOKOLL");
    if (pfad == nullptr || *pfad == '\0')
        return;
    if (std::FILE* datei = std::fopen(pfad, "ab")) {
        std::fwrite(zeile.data(), 1, zeile.size(), datei);
        std::fputc('\n', datei);
        std::fclose(datei);
    }
}

// Strings as <text>, bytes outside printable ASCII as \xHH, null as null.
std::string text(const char* s)
{
    if (s == nullptr)
        return "null";
    std::string t = "<";
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(s); *p != 0; ++p) {
        if (*p < 0x20 || *p >= 0x7f) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", *p);
            t += hex;
        } else {
            t += static_cast<char>(*p);
        }
    }
    return t + ">";
}

std::string zeiger(const void* p)
{
    return p == nullptr ? "null" : "set";
}

std::string zahl(unsigned long long n)
{
    return std::to_string(n);
}

ULONG naechster_code(const char* variable, int& aufrufe)
{
    const int nummer = aufrufe++;
    const char* liste = std::getenv(variable);
    if (liste == nullptr)
        return 0;
    std::string rest = liste;
    for (int i = 0; i < nummer; ++i) {
        const auto komma = rest.find(',');
        if (komma == std::string::npos)
            return 0;
        rest = rest.substr(komma + 1);
    }
    return static_cast<ULONG>(std::strtoul(rest.c_str(), nullptr, 10));
}

[[maybe_unused]] int logon_aufrufe = 0;
int logoff_aufrufe = 0;
int send_aufrufe = 0;
[[maybe_unused]] int resolve_aufrufe = 0;
std::set<void*> eigene_puffer;

// The one name the tests resolve to a Latin-1 text; every other name
// resolves to itself in brackets.
[[maybe_unused]] std::string aufgeloester_name(const char* name)
{
    if (std::strcmp(name, "mueller") == 0)
        return "J\xfcrgen M\xfcller";
    return std::string("[") + name + "]";
}

__attribute__((constructor)) void beim_laden()
{
    protokolliere("loaded");
}

}  // namespace

extern "C" {

#ifndef OHNE_MAPILogon
ULONG MAPILogon(ULONG_PTR ui, LPSTR profil, LPSTR passwort, FLAGS flags, ULONG reserviert, LPLHANDLE sitzung)
{
    const ULONG code = naechster_code("TELVORIN_TEST_LOGON", logon_aufrufe);
    if (code == SUCCESS_SUCCESS && sitzung != nullptr)
        *sitzung = test_sitzung;
    protokolliere("MAPILogon ui=" + zahl(ui) + " profile=" + text(profil) + " password=" + text(passwort)
                  + " flags=" + zahl(flags) + " reserved=" + zahl(reserviert) + " -> " + zahl(code));
    return code;
}
#endif

ULONG MAPILogoff(LHANDLE sitzung, ULONG_PTR ui, FLAGS flags, ULONG reserviert)
{
    const ULONG code = naechster_code("TELVORIN_TEST_LOGOFF", logoff_aufrufe);
    protokolliere("MAPILogoff session=" + zahl(sitzung) + " ui=" + zahl(ui) + " flags=" + zahl(flags)
                  + " reserved=" + zahl(reserviert) + " -> " + zahl(code));
    return code;
}

ULONG MAPISendMail(LHANDLE sitzung, ULONG_PTR ui, lpMapiMessage m, FLAGS flags, ULONG reserviert)
{
    const ULONG code = naechster_code("TELVORIN_TEST_SENDMAIL", send_aufrufe);
    protokolliere("MAPISendMail session=" + zahl(sitzung) + " ui=" + zahl(ui) + " flags=" + zahl(flags)
                  + " reserved=" + zahl(reserviert) + " -> " + zahl(code));
    if (m == nullptr)
        return code;
    protokolliere(" message reserved=" + zahl(m->ulReserved) + " subject=" + text(m->lpszSubject)
                  + " text=" + text(m->lpszNoteText) + " type=" + text(m->lpszMessageType)
                  + " date=" + text(m->lpszDateReceived) + " conversation=" + text(m->lpszConversationID)
                  + " flags=" + zahl(m->flFlags) + " originator=" + zeiger(m->lpOriginator)
                  + " recips=" + zahl(m->nRecipCount) + " files=" + zahl(m->nFileCount));
    for (ULONG i = 0; i < m->nRecipCount && m->lpRecips != nullptr; ++i) {
        const MapiRecipDesc& r = m->lpRecips[i];
        protokolliere(" recip reserved=" + zahl(r.ulReserved) + " class=" + zahl(r.ulRecipClass)
                      + " name=" + text(r.lpszName) + " address=" + text(r.lpszAddress)
                      + " eid=" + zahl(r.ulEIDSize) + "/" + zeiger(r.lpEntryID));
    }
    for (ULONG i = 0; i < m->nFileCount && m->lpFiles != nullptr; ++i) {
        const MapiFileDesc& f = m->lpFiles[i];
        protokolliere(" file reserved=" + zahl(f.ulReserved) + " flags=" + zahl(f.flFlags)
                      + " position=" + zahl(f.nPosition) + " path=" + text(f.lpszPathName)
                      + " name=" + text(f.lpszFileName) + " type=" + zeiger(f.lpFileType));
    }
    return code;
}

// Functions the mailer must find but never calls: a call shows in the record.
#define UNGENUTZT(NAME, ...) \
    ULONG NAME(__VA_ARGS__) \
    { \
        protokolliere(#NAME); \
        return MAPI_E_NOT_SUPPORTED; \
    }

#ifndef OHNE_MAPISendMailW
UNGENUTZT(MAPISendMailW, LHANDLE, ULONG_PTR, lpMapiMessageW, FLAGS, ULONG)
#endif
#ifndef OHNE_MAPISendDocuments
UNGENUTZT(MAPISendDocuments, ULONG_PTR, LPSTR, LPSTR, LPSTR, ULONG)
#endif
UNGENUTZT(MAPIFindNext, LHANDLE, ULONG_PTR, LPSTR, LPSTR, FLAGS, ULONG, LPSTR)
UNGENUTZT(MAPIReadMail, LHANDLE, ULONG_PTR, LPSTR, FLAGS, ULONG, lpMapiMessage*)
UNGENUTZT(MAPISaveMail, LHANDLE, ULONG_PTR, lpMapiMessage, FLAGS, ULONG, LPSTR)
UNGENUTZT(MAPIDeleteMail, LHANDLE, ULONG_PTR, LPSTR, FLAGS, ULONG)
UNGENUTZT(MAPIAddress, LHANDLE, ULONG_PTR, LPSTR, ULONG, LPSTR, ULONG, lpMapiRecipDesc, FLAGS, ULONG, LPULONG,
          lpMapiRecipDesc*)
UNGENUTZT(MAPIDetails, LHANDLE, ULONG_PTR, lpMapiRecipDesc, FLAGS, ULONG)

ULONG MAPIFreeBuffer(LPVOID puffer)
{
    // Only buffers of ours are freed, so a wrong pointer shows in the record
    // instead of crashing the tool.
    if (eigene_puffer.erase(puffer) == 1) {
        std::free(puffer);
        protokolliere("MAPIFreeBuffer own");
    } else {
        protokolliere("MAPIFreeBuffer foreign");
    }
    return SUCCESS_SUCCESS;
}

#ifndef OHNE_MAPIResolveName
ULONG MAPIResolveName(LHANDLE sitzung, ULONG_PTR ui, LPSTR name, FLAGS flags, ULONG reserviert,
                      lpMapiRecipDesc* ergebnis)
{
    const ULONG code = naechster_code("TELVORIN_TEST_RESOLVE", resolve_aufrufe);
    protokolliere("MAPIResolveName session=" + zahl(sitzung) + " ui=" + zahl(ui) + " name=" + text(name)
                  + " flags=" + zahl(flags) + " reserved=" + zahl(reserviert) + " -> " + zahl(code));
    if (code != SUCCESS_SUCCESS || name == nullptr || ergebnis == nullptr)
        return code;
    // One block for the descriptor and its name, as Simple MAPI hands it out.
    const std::string aufgeloest = aufgeloester_name(name);
    void* block = std::calloc(1, sizeof(MapiRecipDesc) + aufgeloest.size() + 1);
    if (block == nullptr)
        return MAPI_E_INSUFFICIENT_MEMORY;
    auto* r = static_cast<MapiRecipDesc*>(block);
    r->ulRecipClass = MAPI_TO;
    r->lpszName = static_cast<char*>(block) + sizeof(MapiRecipDesc);
    std::memcpy(r->lpszName, aufgeloest.c_str(), aufgeloest.size() + 1);
    eigene_puffer.insert(block);
    *ergebnis = r;
    return code;
}
#endif

}  // extern "C"

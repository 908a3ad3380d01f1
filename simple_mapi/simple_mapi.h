// Simple MAPI declarations: the system's own on Windows, a mirror of them elsewhere.
//
// The mailer includes this on every platform and the provider implements it
// on POSIX, so the choice is made here once rather than in either of them.
// Elsewhere it mirrors the published declarations field by field, with the
// widths of 64-bit Windows: ULONG and FLAGS are 32-bit unsigned, LHANDLE and
// ulUIParam pointer-sized unsigned, LPSTR a char pointer, wide strings 16-bit.
// Providers built against it can be loaded by the mailer in place of
// MAPI32.DLL; every entry point has C linkage.
#pragma once

#if defined(_WIN32)
// Keep windows.h's min/max macros out of the standard library's way.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <mapi.h>
#include <type_traits>
// On 32-bit Windows the entry points are stdcall: a pointer type without it pops the arguments a second time after
// every call, which only a frame pointer hides. The mailer calls through these types, so their convention is pinned.
static_assert(std::is_same<LPMAPILOGON, ULONG(WINAPI*)(ULONG_PTR, LPSTR, LPSTR, FLAGS, ULONG, LPLHANDLE)>::value
                  && std::is_same<LPMAPISENDMAIL, ULONG(WINAPI*)(LHANDLE, ULONG_PTR, lpMapiMessage, FLAGS, ULONG)>::value
                  && std::is_same<LPMAPIRESOLVENAME,
                                  ULONG(WINAPI*)(LHANDLE, ULONG_PTR, LPSTR, FLAGS, ULONG, lpMapiRecipDesc*)>::value
                  && std::is_same<LPMAPILOGOFF, ULONG(WINAPI*)(LHANDLE, ULONG_PTR, FLAGS, ULONG)>::value
                  && std::is_same<LPMAPIFREEBUFFER, ULONG(WINAPI*)(LPVOID)>::value,
              "Simple MAPI's function pointers carry the WINAPI calling convention");
#else
#include <cstdint>

extern "C" {

typedef std::uint32_t ULONG;
typedef ULONG* LPULONG;
typedef ULONG FLAGS;
typedef std::uintptr_t ULONG_PTR;
typedef ULONG_PTR LHANDLE;
typedef LHANDLE* LPLHANDLE;
typedef char* LPSTR;
typedef char16_t WCHAR;
typedef WCHAR* PWSTR;
typedef void* LPVOID;
typedef unsigned char BYTE;
typedef BYTE* LPBYTE;

struct MapiFileDesc {
    ULONG ulReserved;
    ULONG flFlags;
    ULONG nPosition;
    LPSTR lpszPathName;
    LPSTR lpszFileName;
    LPVOID lpFileType;
};
typedef MapiFileDesc* lpMapiFileDesc;

struct MapiFileDescW {
    ULONG ulReserved;
    ULONG flFlags;
    ULONG nPosition;
    PWSTR lpszPathName;
    PWSTR lpszFileName;
    LPVOID lpFileType;
};
typedef MapiFileDescW* lpMapiFileDescW;

struct MapiFileTagExt {
    ULONG ulReserved;
    ULONG cbTag;
    LPBYTE lpTag;
    ULONG cbEncoding;
    LPBYTE lpEncoding;
};
typedef MapiFileTagExt* lpMapiFileTagExt;

struct MapiRecipDesc {
    ULONG ulReserved;
    ULONG ulRecipClass;
    LPSTR lpszName;
    LPSTR lpszAddress;
    ULONG ulEIDSize;
    LPVOID lpEntryID;
};
typedef MapiRecipDesc* lpMapiRecipDesc;

struct MapiRecipDescW {
    ULONG ulReserved;
    ULONG ulRecipClass;
    PWSTR lpszName;
    PWSTR lpszAddress;
    ULONG ulEIDSize;
    LPVOID lpEntryID;
};
typedef MapiRecipDescW* lpMapiRecipDescW;

struct MapiMessage {
    ULONG ulReserved;
    LPSTR lpszSubject;
    LPSTR lpszNoteText;
    LPSTR lpszMessageType;
    LPSTR lpszDateReceived;
    LPSTR lpszConversationID;
    FLAGS flFlags;
    lpMapiRecipDesc lpOriginator;
    ULONG nRecipCount;
    lpMapiRecipDesc lpRecips;
    ULONG nFileCount;
    lpMapiFileDesc lpFiles;
};
typedef MapiMessage* lpMapiMessage;

struct MapiMessageW {
    ULONG ulReserved;
    PWSTR lpszSubject;
    PWSTR lpszNoteText;
    PWSTR lpszMessageType;
    PWSTR lpszDateReceived;
    PWSTR lpszConversationID;
    FLAGS flFlags;
    lpMapiRecipDescW lpOriginator;
    ULONG nRecipCount;
    lpMapiRecipDescW lpRecips;
    ULONG nFileCount;
    lpMapiFileDescW lpFiles;
};
typedef MapiMessageW* lpMapiMessageW;

#define MAPI_ORIG 0
#define MAPI_TO 1
#define MAPI_CC 2
#define MAPI_BCC 3

#define MAPI_LOGON_UI 0x00000001
#define MAPI_PASSWORD_UI 0x00020000
#define MAPI_NEW_SESSION 0x00000002
#define MAPI_FORCE_DOWNLOAD 0x00001000
#define MAPI_EXTENDED 0x00000020
#define MAPI_DIALOG 0x00000008
#define MAPI_UNREAD 0x00000001
#define MAPI_RECEIPT_REQUESTED 0x00000002
#define MAPI_SENT 0x00000004
#define MAPI_OLE 0x00000001
#define MAPI_OLE_STATIC 0x00000002

#define SUCCESS_SUCCESS 0
#define MAPI_USER_ABORT 1
#define MAPI_E_USER_ABORT MAPI_USER_ABORT
#define MAPI_E_FAILURE 2
#define MAPI_E_LOGON_FAILURE 3
#define MAPI_E_LOGIN_FAILURE MAPI_E_LOGON_FAILURE
#define MAPI_E_DISK_FULL 4
#define MAPI_E_INSUFFICIENT_MEMORY 5
#define MAPI_E_ACCESS_DENIED 6
#define MAPI_E_TOO_MANY_SESSIONS 8
#define MAPI_E_TOO_MANY_FILES 9
#define MAPI_E_TOO_MANY_RECIPIENTS 10
#define MAPI_E_ATTACHMENT_NOT_FOUND 11
#define MAPI_E_ATTACHMENT_OPEN_FAILURE 12
#define MAPI_E_ATTACHMENT_WRITE_FAILURE 13
#define MAPI_E_UNKNOWN_RECIPIENT 14
#define MAPI_E_BAD_RECIPTYPE 15
#define MAPI_E_NO_MESSAGES 16
#define MAPI_E_INVALID_MESSAGE 17
#define MAPI_E_TEXT_TOO_LARGE 18
#define MAPI_E_INVALID_SESSION 19
#define MAPI_E_TYPE_NOT_SUPPORTED 20
#define MAPI_E_AMBIGUOUS_RECIPIENT 21
#define MAPI_E_AMBIG_RECIP MAPI_E_AMBIGUOUS_RECIPIENT
#define MAPI_E_MESSAGE_IN_USE 22
#define MAPI_E_NETWORK_FAILURE 23
#define MAPI_E_INVALID_EDITFIELDS 24
#define MAPI_E_INVALID_RECIPS 25
#define MAPI_E_NOT_SUPPORTED 26

ULONG MAPILogon(ULONG_PTR ulUIParam, LPSTR lpszProfileName, LPSTR lpszPassword,
                FLAGS flFlags, ULONG ulReserved, LPLHANDLE lplhSession);
ULONG MAPILogoff(LHANDLE lhSession, ULONG_PTR ulUIParam, FLAGS flFlags, ULONG ulReserved);
ULONG MAPISendMail(LHANDLE lhSession, ULONG_PTR ulUIParam, lpMapiMessage lpMessage,
                   FLAGS flFlags, ULONG ulReserved);
ULONG MAPISendMailW(LHANDLE lhSession, ULONG_PTR ulUIParam, lpMapiMessageW lpMessage,
                    FLAGS flFlags, ULONG ulReserved);
ULONG MAPISendDocuments(ULONG_PTR ulUIParam, LPSTR lpszDelimChar, LPSTR lpszFilePaths,
                        LPSTR lpszFileNames, ULONG ulReserved);
ULONG MAPIFindNext(LHANDLE lhSession, ULONG_PTR ulUIParam, LPSTR lpszMessageType,
                   LPSTR lpszSeedMessageID, FLAGS flFlags, ULONG ulReserved,
                   LPSTR lpszMessageID);
ULONG MAPIReadMail(LHANDLE lhSession, ULONG_PTR ulUIParam, LPSTR lpszMessageID,
                   FLAGS flFlags, ULONG ulReserved, lpMapiMessage* lppMessage);
ULONG MAPISaveMail(LHANDLE lhSession, ULONG_PTR ulUIParam, lpMapiMessage lpMessage,
                   FLAGS flFlags, ULONG ulReserved, LPSTR lpszMessageID);
ULONG MAPIDeleteMail(LHANDLE lhSession, ULONG_PTR ulUIParam, LPSTR lpszMessageID,
                     FLAGS flFlags, ULONG ulReserved);
ULONG MAPIFreeBuffer(LPVOID pv);
ULONG MAPIAddress(LHANDLE lhSession, ULONG_PTR ulUIParam, LPSTR lpszCaption,
                  ULONG nEditFields, LPSTR lpszLabels, ULONG nRecips,
                  lpMapiRecipDesc lpRecips, FLAGS flFlags, ULONG ulReserved,
                  LPULONG lpnNewRecips, lpMapiRecipDesc* lppNewRecips);
ULONG MAPIDetails(LHANDLE lhSession, ULONG_PTR ulUIParam, lpMapiRecipDesc lpRecip,
                  FLAGS flFlags, ULONG ulReserved);
ULONG MAPIResolveName(LHANDLE lhSession, ULONG_PTR ulUIParam, LPSTR lpszName,
                      FLAGS flFlags, ULONG ulReserved, lpMapiRecipDesc* lppRecip);

typedef ULONG (*LPMAPILOGON)(ULONG_PTR, LPSTR, LPSTR, FLAGS, ULONG, LPLHANDLE);
typedef ULONG (*LPMAPILOGOFF)(LHANDLE, ULONG_PTR, FLAGS, ULONG);
typedef ULONG (*LPMAPISENDMAIL)(LHANDLE, ULONG_PTR, lpMapiMessage, FLAGS, ULONG);
typedef ULONG (*LPMAPISENDMAILW)(LHANDLE, ULONG_PTR, lpMapiMessageW, FLAGS, ULONG);
typedef ULONG (*LPMAPISENDDOCUMENTS)(ULONG_PTR, LPSTR, LPSTR, LPSTR, ULONG);
typedef ULONG (*LPMAPIFINDNEXT)(LHANDLE, ULONG_PTR, LPSTR, LPSTR, FLAGS, ULONG, LPSTR);
typedef ULONG (*LPMAPIREADMAIL)(LHANDLE, ULONG_PTR, LPSTR, FLAGS, ULONG, lpMapiMessage*);
typedef ULONG (*LPMAPISAVEMAIL)(LHANDLE, ULONG_PTR, lpMapiMessage, FLAGS, ULONG, LPSTR);
typedef ULONG (*LPMAPIDELETEMAIL)(LHANDLE, ULONG_PTR, LPSTR, FLAGS, ULONG);
typedef ULONG (*LPMAPIFREEBUFFER)(LPVOID);
typedef ULONG (*LPMAPIADDRESS)(LHANDLE, ULONG_PTR, LPSTR, ULONG, LPSTR, ULONG,
                               lpMapiRecipDesc, FLAGS, ULONG, LPULONG, lpMapiRecipDesc*);
typedef ULONG (*LPMAPIDETAILS)(LHANDLE, ULONG_PTR, lpMapiRecipDesc, FLAGS, ULONG);
typedef ULONG (*LPMAPIRESOLVENAME)(LHANDLE, ULONG_PTR, LPSTR, FLAGS, ULONG, lpMapiRecipDesc*);

}  // extern "C"

static_assert(sizeof(ULONG) == 4, "ULONG is 32 bits wide as on Windows");
static_assert(sizeof(LHANDLE) == sizeof(void*), "LHANDLE is pointer-sized");
// Providers built elsewhere against the published header must see the same
// layout; these are the sizes on 64-bit Windows.
static_assert(sizeof(void*) != 8 || sizeof(MapiMessage) == 96, "MapiMessage as on 64-bit Windows");
static_assert(sizeof(void*) != 8 || sizeof(MapiRecipDesc) == 40, "MapiRecipDesc as on 64-bit Windows");
static_assert(sizeof(void*) != 8 || sizeof(MapiFileDesc) == 40, "MapiFileDesc as on 64-bit Windows");

#endif  // _WIN32

// Names and send texts of Simple MAPI result codes.
#include "mapi_fehler.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Name {
    quint32 code;
    quint32 ladestatus;
    int ladeschritt;
    const char* erwartet;
};

TEST(Fehlername, EveryCodeOfTheTable)
{
    const Name faelle[] = {
        {0, 0, 13, "NO_ERROR"},
        {1, 0, 13, "USER_ABORT"},
        {2, 0, 13, "FAILURE"},
        {3, 0, 13, "LOGON_FAILURE "},
        {4, 0, 13, "DISK_FULL"},
        {5, 0, 13, "INSUFFICIENT_MEMORY"},
        {6, 0, 13, "ACCESS_DENIED"},
        {7, 0, 13, "Errorcode:7"},
        {8, 0, 13, "TOO_MANY_SESSIONS"},
        {9, 0, 13, "TOO_MANY_FILES"},
        {10, 0, 13, "TOO_MANY_RECIPIENTS"},
        {11, 0, 13, "ATTACHMENT_NOT_FOUND"},
        {12, 0, 13, "ATTACHMENT_OPEN_FAILURE"},
        {13, 0, 13, "ATTACHMENT_WRITE_FAILURE"},
        {14, 0, 13, "UNKNOWN_RECIPIENT"},
        {15, 0, 13, "BAD_RECIPTYPE"},
        {16, 0, 13, "NO_MESSAGES"},
        {17, 0, 13, "INVALID_MESSAGE"},
        {18, 0, 13, "TEXT_TOO_LARGE"},
        {19, 0, 13, "INVALID_SESSION"},
        {20, 0, 13, "TYPE_NOT_SUPPORTED"},
        {21, 0, 13, "AMBIGUOUS_RECIPIENT"},
        {22, 0, 13, "MESSAGE_IN_USE"},
        {23, 0, 13, "NETWORK_FAILURE"},
        {24, 0, 13, "INVALID_EDITFIELDS"},
        {25, 0, 13, "INVALID_RECIPS"},
        {26, 0, 13, "NOT_SUPPORTED"},
        {27, 0, 13, "Errorcode:27"},
        {2147483648u, 0, 13, "Errorcode:2147483648"},
        {4294967295u, 0, 13, "Errorcode:4294967295"},
        // Code 19 tells how far loading got.
        {19, 2, 0, "INVALID_SESSION: unable to load 'MAPI32.DLL'"},
        {19, 4, 1, "INVALID_SESSION: unable to get 'MAPILogon'"},
        {19, 4, 5, "INVALID_SESSION: unable to get 'MAPISendDocuments'"},
        {19, 4, 10, "INVALID_SESSION: unable to get 'MAPIFreeBuffer'"},
        {19, 4, 13, "INVALID_SESSION: unable to get 'MAPIResolveName'"},
        // The load state matters for code 19 only.
        {3, 2, 0, "LOGON_FAILURE "},
        {18, 4, 5, "TEXT_TOO_LARGE"},
        {20, 4, 5, "TYPE_NOT_SUPPORTED"},
    };
    for (const Name& f : faelle)
        EXPECT_EQ(fehlername(f.code, f.ladestatus, f.ladeschritt).toStdString(), f.erwartet)
            << "code " << f.code << ", ladestatus " << f.ladestatus << ", ladeschritt " << f.ladeschritt;
}

TEST(Sendetext, OnlyCodesThatExplainAFailedSendHaveOne)
{
    const struct {
        quint32 code;
        const char* erwartet;
    } faelle[] = {
        {0, nullptr},
        {1, "The user canceled one of the dialog boxes. No message was sent."},
        {3, "There was no default logon, and the user failed to log on successfully when the logon dialog box was "
            "displayed. No message was sent."},
        {4, nullptr},
        {11, "The specified attachment was not found. No message was sent."},
        {15, "The type of a recipient was not MAPI_TO, MAPI_CC, or MAPI_BCC. No message was sent."},
        {19, nullptr},
        {21, "A recipient matched more than one of the recipient descriptor structures and MAPI_DIALOG was not set. "
             "No message was sent."},
        {25, "One or more recipients were invalid or did not resolve to any address."},
        {26, nullptr},
        {27, nullptr},
        {4294967295u, nullptr},
    };
    for (const auto& f : faelle) {
        const char* text = sende_fehlertext(f.code);
        if (f.erwartet == nullptr)
            EXPECT_EQ(text, nullptr) << "code " << f.code;
        else
            EXPECT_STREQ(text, f.erwartet) << "code " << f.code;
    }
}

}  // namespace

// GMime's start-up rule against a host that uses GMime itself and shuts its own use down.
#include "boundary/gmime_runtime.h"
#include <gmime/gmime.h>
#include <gtest/gtest.h>

TEST(GmimeRuntime, OutlivesTheHostsShutdown)
{
    static int complaints = 0;
    g_log_set_default_handler([](const gchar*, GLogLevelFlags, const gchar*, gpointer) { ++complaints; }, nullptr);
    g_mime_init();
    telvorin::boundary::ensure_gmime_started();
    g_mime_shutdown();
    GMimeMessage* message = g_mime_message_new(TRUE);
    g_mime_message_set_subject(message, "Gr\xc3\xbc\xc3\x9f" "e", "utf-8");
    gchar* text = g_mime_object_to_string(GMIME_OBJECT(message), nullptr);
    EXPECT_EQ(complaints, 0);
    EXPECT_NE(std::string(text).find("?B?R3LDvMOfZQ==?="), std::string::npos) << text;  // RFC 2047 base64 of it
    g_free(text);
    g_object_unref(message);
}

// CString: the framework's 8-bit message text with placeholder substitution.
#pragma once

#include "framework/base/ebool.h"
#include "framework/base/klasse.h"

#include <iosfwd>
#include <string>

// Text in the system's 8-bit code page. Messages are built from a translated
// template whose placeholders %1 to %9 are filled by chained arg() calls.
class CString : public CBasis {
public:
    CString() = default;
    CString(const std::string& text) : m_text(text) {}  // implicit: messages mix both freely
    CString(const char* text) : m_text(text != nullptr ? text : "") {}  // null reads as empty
    CString(const CString&) = default;
    CString& operator=(const CString&) = default;
    ~CString() override;

    TELVORIN_KLASSE(CBasis, klasse_cstring)

    // Replaces the placeholder with the lowest digit ("%0" to "%9"; the first
    // one among equal digits) by `text` and returns *this. A placeholder is a
    // "%" followed by one digit, so "%12" is placeholder 1 followed by "2".
    // Without a placeholder the text stays as it is and the warning
    // "Argument kann nicht zugeordnet werden" goes through melde() (type 4,
    // free-function descriptor, method "arg()").
    CString& arg(const std::string& text);
    CString& arg(const CString& text) { return arg(text.m_text); }
    CString& arg(const char* text) { return arg(std::string(text != nullptr ? text : "")); }
    // "Ja" for Ja, "Nein" for Nein, each translated for CString; any other
    // value substitutes the empty text.
    CString& arg(EBool wert);
    // Numbers are turned into text by the framework's number formatting
    // (as short as needed) before they are substituted.
    CString& arg(int zahl);
    CString& arg(unsigned zahl);
    CString& arg(double zahl);
    // A bool would silently become 0 or 1; say Ja/Nein through EBool instead.
    CString& arg(bool) = delete;

    const std::string& str() const { return m_text; }
    const char* c_str() const { return m_text.c_str(); }
    bool empty() const { return m_text.empty(); }

    CString& operator+=(const CString& rechts)
    {
        m_text += rechts.m_text;
        return *this;
    }
    friend CString operator+(CString links, const CString& rechts) { return links += rechts; }
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator!=(const CString& a, const CString& b) { return a.m_text != b.m_text; }

private:
    std::string m_text;
};

// Writes the text unchanged.
std::ostream& operator<<(std::ostream& strom, const CString& text);

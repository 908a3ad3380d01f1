// An in-process COM server that stands in for Outlook's Application in the Windows tests, on a hand-written IDispatch.
//
// It serves the session that the file named by TELVORIN_COM_SITZUNG describes (UTF-8, a keyword and its text per
// line): "Version <text>", "Explorer", "Selection", "Mail <subject>" (selected), "Inspector", "Item <subject>" (the
// inspector's current item), "Anlage <file name><TAB><content in base64>" (of the last mail or item). SaveAs and SaveAsFile
// write a file at their path and append "<member> args=<count> path=<path>" to the file named by
// TELVORIN_COM_PROTOKOLL; when the DLL leaves the process, "lebend=<n>" records how many objects are still alive.
// Without TELVORIN_COM_SITZUNG it serves no class, so that a registration left in a Wine prefix changes no other
// test. It leaves out everything of Outlook that the tool does not call, type information included.
#include <windows.h>
#include <wincrypt.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

std::atomic<long> lebend{0}, sperren{0};

std::wstring breit(const std::string& utf8)
{
    std::wstring w(utf8.size(), L'\0');
    const int n = static_cast<int>(utf8.size());
    w.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, &w[0], n));
    return w;
}

std::string utf8(const std::wstring& w)
{
    std::string s(w.size() * 3, '\0');
    s.resize(WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), &s[0], static_cast<int>(s.size()),
                                 nullptr, nullptr));
    return s;
}

std::wstring umgebung(const wchar_t* name)
{
    wchar_t wert[MAX_PATH * 2];
    const DWORD n = GetEnvironmentVariableW(name, wert, MAX_PATH * 2);
    return n > 0 && n < MAX_PATH * 2 ? std::wstring(wert, n) : std::wstring();
}

// Win32 only, as the last line is written while the process ends, when the C runtime may be gone.
void schreibe(const std::wstring& pfad, const std::string& inhalt, DWORD wie)
{
    const HANDLE h = CreateFileW(pfad.c_str(), wie, FILE_SHARE_READ, nullptr,
                                 wie == GENERIC_WRITE ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    DWORD geschrieben = 0;
    WriteFile(h, inhalt.data(), static_cast<DWORD>(inhalt.size()), &geschrieben, nullptr);
    CloseHandle(h);
}

void protokolliere(const std::string& zeile)
{
    schreibe(umgebung(L"TELVORIN_COM_PROTOKOLL"), zeile + "\n", FILE_APPEND_DATA);
}

std::string base64(const std::string& text)
{
    DWORD n = static_cast<DWORD>(text.size());
    std::string daten(n, '\0');
    if (!CryptStringToBinaryA(text.data(), n, CRYPT_STRING_BASE64, reinterpret_cast<BYTE*>(&daten[0]), &n, nullptr, nullptr))
        n = 0;
    return daten.substr(0, n);
}

struct Mail {
    std::wstring betreff;
    std::vector<std::pair<std::wstring, std::string>> anlagen;
};

struct Sitzung {
    std::wstring version;
    bool explorer = false, selection = false, inspector = false, item = false;
    std::vector<Mail> auswahl;
    Mail aktuell;
};

Sitzung lies_sitzung()
{
    Sitzung s;
    std::ifstream datei(umgebung(L"TELVORIN_COM_SITZUNG").c_str(), std::ios::binary);
    Mail* letzte = nullptr;
    for (std::string zeile; std::getline(datei, zeile);) {
        const std::string wort = zeile.substr(0, zeile.find(' '));
        const std::wstring rest = breit(zeile.size() > wort.size() ? zeile.substr(wort.size() + 1) : "");
        if (wort == "Version")
            s.version = rest;
        s.explorer |= wort == "Explorer";
        s.selection |= wort == "Selection";
        s.inspector |= wort == "Inspector";
        if (wort == "Mail")
            s.auswahl.push_back({rest, {}}), letzte = &s.auswahl.back();
        if (wort == "Item")
            s.item = true, s.aktuell.betreff = rest, letzte = &s.aktuell;
        const size_t tab = zeile.find('\t');
        if (wort == "Anlage" && letzte != nullptr && tab != std::string::npos)
            letzte->anlagen.emplace_back(breit(zeile.substr(7, tab - 7)), base64(zeile.substr(tab + 1)));
    }
    return s;
}

HRESULT gib(VARIANT* v, const std::wstring& text)
{
    v->vt = VT_BSTR;
    v->bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return S_OK;
}

HRESULT gib(VARIANT* v, long zahl)
{
    v->vt = VT_I4;
    v->lVal = zahl;
    return S_OK;
}

// Takes over the reference of `objekt`; null is Outlook's "Nothing".
HRESULT gib(VARIANT* v, IDispatch* objekt)
{
    v->vt = VT_DISPATCH;
    v->pdispVal = objekt;
    return S_OK;
}

// The first argument as `typ`; VT_EMPTY when there is none or it does not convert.
VARIANT argument(const DISPPARAMS* p, VARTYPE typ)
{
    VARIANT a;
    VariantInit(&a);
    if (p->cArgs > 0 && FAILED(VariantChangeType(&a, &p->rgvarg[p->cArgs - 1], 0, typ)))
        VariantInit(&a);
    return a;
}

// Counts itself among the living objects from construction to the last Release.
template <class I>
class Gezaehlt : public I {
public:
    Gezaehlt() { ++lebend; }
    virtual ~Gezaehlt() { --lebend; }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** objekt) override
    {
        *objekt = iid == IID_IUnknown || iid == __uuidof(I) ? this : nullptr;
        if (*objekt == nullptr)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_zaehler; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG n = --m_zaehler;
        if (n == 0)
            delete this;
        return n;
    }

private:
    std::atomic<ULONG> m_zaehler{1};
};

// One object of the model: the names it answers to, in DISPID order from 1, and what each member does.
class Objekt : public Gezaehlt<IDispatch> {
public:
    explicit Objekt(std::vector<const wchar_t*> namen) : m_namen(std::move(namen)) {}

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    // Names are matched without regard to case, as automation clients expect; only a member is named, no argument.
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* namen, UINT anzahl, LCID, DISPID* ids) override
    {
        for (UINT i = 0; i < anzahl; ++i)
            ids[i] = DISPID_UNKNOWN;
        for (size_t k = 0; anzahl == 1 && k < m_namen.size(); ++k)
            if (lstrcmpiW(namen[0], m_namen[k]) == 0)
                ids[0] = static_cast<DISPID>(k + 1);
        return ids[0] == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD wie, DISPPARAMS* p, VARIANT* ergebnis, EXCEPINFO*,
                                     UINT*) override
    {
        if (id < 1 || static_cast<size_t>(id) > m_namen.size() || !(wie & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)))
            return DISP_E_MEMBERNOTFOUND;
        VARIANT verworfen;
        VariantInit(&verworfen);
        const HRESULT hr = rufe(id, *p, ergebnis != nullptr ? ergebnis : &verworfen);
        VariantClear(&verworfen);
        return hr;
    }

protected:
    virtual HRESULT rufe(DISPID id, const DISPPARAMS& p, VARIANT* ergebnis) = 0;

    // SaveAs and SaveAsFile alike: record the call, then write `inhalt` at the path.
    static HRESULT speichere(const char* member, const DISPPARAMS& p, const std::string& inhalt)
    {
        VARIANT pfad = argument(&p, VT_BSTR);
        const std::wstring w = pfad.vt == VT_BSTR ? std::wstring(pfad.bstrVal, SysStringLen(pfad.bstrVal)) : L"";
        VariantClear(&pfad);
        protokolliere(std::string(member) + " args=" + std::to_string(p.cArgs) + " path=" + utf8(w));
        if (!w.empty())
            schreibe(w, inhalt, GENERIC_WRITE);
        return S_OK;
    }

private:
    std::vector<const wchar_t*> m_namen;
};

class Anlage : public Objekt {
public:
    explicit Anlage(std::pair<std::wstring, std::string> a)
        : Objekt({L"FileName", L"SaveAsFile"}), m_anlage(std::move(a)) {}
    HRESULT rufe(DISPID id, const DISPPARAMS& p, VARIANT* e) override
    {
        return id == 1 ? gib(e, m_anlage.first) : speichere("SaveAsFile", p, m_anlage.second);
    }
    std::pair<std::wstring, std::string> m_anlage;
};

// Selection and Attachments: a Count, and an Item(1..Count) made new on each call.
class Liste : public Objekt {
public:
    explicit Liste(std::vector<std::function<IDispatch*()>> e)
        : Objekt({L"Count", L"Item"}), m_elemente(std::move(e)) {}
    HRESULT rufe(DISPID id, const DISPPARAMS& p, VARIANT* e) override
    {
        if (id == 1)
            return gib(e, static_cast<long>(m_elemente.size()));
        const long i = argument(&p, VT_I4).lVal;
        if (i < 1 || static_cast<size_t>(i) > m_elemente.size())
            return DISP_E_BADINDEX;
        return gib(e, m_elemente[i - 1]());
    }
    std::vector<std::function<IDispatch*()>> m_elemente;
};

class MailItem : public Objekt {
public:
    MailItem(Mail m, std::wstring version)
        : Objekt({L"Subject", L"OutlookVersion", L"SaveAs", L"Attachments"}), m_mail(std::move(m)),
          m_version(std::move(version)) {}
    HRESULT rufe(DISPID id, const DISPPARAMS& p, VARIANT* e) override
    {
        if (id == 1 || id == 2)
            return gib(e, id == 1 ? m_mail.betreff : m_version);
        if (id == 3)
            return speichere("SaveAs", p, "msg:" + utf8(m_mail.betreff));
        std::vector<std::function<IDispatch*()>> anlagen;
        for (const auto& a : m_mail.anlagen)
            anlagen.push_back([a] { return new Anlage(a); });
        return gib(e, new Liste(std::move(anlagen)));
    }
    Mail m_mail;
    std::wstring m_version;
};

// The explorer (Selection) or the inspector (CurrentItem).
class Fenster : public Objekt {
public:
    Fenster(bool explorer, Sitzung s)
        : Objekt({explorer ? L"Selection" : L"CurrentItem"}), m_explorer(explorer), m_sitzung(std::move(s)) {}
    HRESULT rufe(DISPID, const DISPPARAMS&, VARIANT* e) override
    {
        const Sitzung& s = m_sitzung;
        if (!m_explorer)
            return gib(e, s.item ? new MailItem(s.aktuell, s.version) : nullptr);
        std::vector<std::function<IDispatch*()>> mails;
        for (const Mail& m : s.auswahl)
            mails.push_back([m, v = s.version] { return new MailItem(m, v); });
        return gib(e, s.selection ? new Liste(std::move(mails)) : nullptr);
    }
    bool m_explorer;
    Sitzung m_sitzung;
};

class Application : public Objekt {
public:
    Application() : Objekt({L"Version", L"ActiveExplorer", L"ActiveInspector"}), m_sitzung(lies_sitzung()) {}
    HRESULT rufe(DISPID id, const DISPPARAMS&, VARIANT* e) override
    {
        if (id == 1)
            return gib(e, m_sitzung.version);
        const bool explorer = id == 2;
        const bool offen = explorer ? m_sitzung.explorer : m_sitzung.inspector;
        return gib(e, offen ? new Fenster(explorer, m_sitzung) : nullptr);
    }
    Sitzung m_sitzung;
};

class Fabrik : public Gezaehlt<IClassFactory> {
public:
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* aussen, REFIID iid, void** objekt) override
    {
        *objekt = nullptr;
        if (aussen != nullptr)
            return CLASS_E_NOAGGREGATION;
        Application* a = new Application;
        const HRESULT hr = a->QueryInterface(iid, objekt);
        a->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL sperre) override
    {
        sperren += sperre ? 1 : -1;
        return S_OK;
    }
};

// Outlook's Application class id.
const CLSID klasse = {0x0006f03a, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

}  // namespace

extern "C" {

__declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID k, REFIID iid, void** objekt)
{
    *objekt = nullptr;
    if (k != klasse || umgebung(L"TELVORIN_COM_SITZUNG").empty())
        return CLASS_E_CLASSNOTAVAILABLE;
    Fabrik* f = new Fabrik;
    const HRESULT hr = f->QueryInterface(iid, objekt);
    f->Release();
    return hr;
}

__declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() { return lebend == 0 && sperren == 0 ? S_OK : S_FALSE; }

BOOL WINAPI DllMain(HINSTANCE, DWORD grund, LPVOID)
{
    if (grund == DLL_PROCESS_DETACH)
        protokolliere("lebend=" + std::to_string(lebend.load()));
    return TRUE;
}

}  // extern "C"

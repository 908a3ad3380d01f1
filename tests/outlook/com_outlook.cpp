// An in-process COM server standing in for Outlook's Application in the Windows tests, on a hand-written IDispatch.
// The session file TELVORIN_COM_SITZUNG holds UTF-8 lines "Version <text>", "Explorer", "Mail <subject>" (selected),
// "Item <subject>" (the inspector's), "Anlage <name>" (of the last mail or item). SaveAs(File) write their subject or
// name at the path and log "<member> args=<n> path=<p>" to TELVORIN_COM_PROTOKOLL, plus " file=<n>", the "file;"
// lines then in TELVORIN_COM_ERGEBNIS; at unload "lebend=<n>", the objects still alive. TELVORIN_COM_ABLEHNUNG (hex)
// is an HRESULT to refuse the Application with. Unregistered without a session, so no other test sees it in a prefix.
#include <windows.h>
#include <atomic>
#include <cwchar>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {
std::atomic<long> lebend{0};

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
    DWORD geschrieben = 0;
    if (h != INVALID_HANDLE_VALUE)
        WriteFile(h, inhalt.data(), static_cast<DWORD>(inhalt.size()), &geschrieben, nullptr), CloseHandle(h);
}

void protokolliere(const std::string& z) { schreibe(umgebung(L"TELVORIN_COM_PROTOKOLL"), z + "\n", FILE_APPEND_DATA); }

struct Mail { std::wstring betreff; std::vector<std::wstring> anlagen; };  // anlagen: file names
struct Sitzung { std::wstring version; bool explorer = false, item = false; std::vector<Mail> auswahl; Mail aktuell; };

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
        if (wort == "Mail")
            s.auswahl.push_back({rest, {}}), letzte = &s.auswahl.back();
        if (wort == "Item")
            s.item = true, s.aktuell.betreff = rest, letzte = &s.aktuell;
        if (wort == "Anlage" && letzte != nullptr)
            letzte->anlagen.push_back(rest);
    }
    return s;
}

using Member = std::function<HRESULT(const DISPPARAMS&, VARIANT*)>;
using Neu = std::function<IDispatch*()>;  // an object made anew on each call

HRESULT gib(VARIANT* v, BSTR text) { v->vt = VT_BSTR, v->bstrVal = text; return S_OK; }
HRESULT gib(VARIANT* v, const std::wstring& t) { return gib(v, SysAllocStringLen(t.data(), UINT(t.size()))); }
HRESULT gib(VARIANT* v, long zahl) { v->vt = VT_I4, v->lVal = zahl; return S_OK; }
// Takes over the reference of `objekt`; null is Outlook's "Nothing".
HRESULT gib(VARIANT* v, IDispatch* objekt) { v->vt = VT_DISPATCH, v->pdispVal = objekt; return S_OK; }
HRESULT gib(VARIANT* v, const Neu& neu) { return gib(v, neu()); }

// A property: `wert`, or for a Neu the object it makes.
template <class T>
Member lies(T wert) { return [wert](const DISPPARAMS&, VARIANT* e) { return gib(e, wert); }; }

// The first argument as `typ`; VT_EMPTY when there is none or it does not convert.
VARIANT argument(const DISPPARAMS& p, VARTYPE typ)
{
    VARIANT a{};  // VT_EMPTY
    if (p.cArgs > 0 && FAILED(VariantChangeType(&a, &p.rgvarg[p.cArgs - 1], 0, typ)))
        VariantInit(&a);
    return a;
}

std::string gemeldete_dateien()
{
    const std::wstring ergebnis = umgebung(L"TELVORIN_COM_ERGEBNIS");
    if (ergebnis.empty())
        return std::string();
    std::ifstream datei(ergebnis.c_str(), std::ios::binary);
    int n = 0;
    for (std::string zeile; std::getline(datei, zeile);)
        n += zeile.rfind("file;", 0) == 0;
    return " file=" + std::to_string(n);
}

// SaveAs and SaveAsFile alike: record the call, then write `inhalt` at the path.
Member speichere(const char* member, const std::string& inhalt)
{
    return [member, inhalt](const DISPPARAMS& p, VARIANT*) {
        VARIANT pfad = argument(p, VT_BSTR);
        const std::wstring w = pfad.vt == VT_BSTR ? std::wstring(pfad.bstrVal, SysStringLen(pfad.bstrVal)) : L"";
        VariantClear(&pfad);
        protokolliere(member + (" args=" + std::to_string(p.cArgs)) + " path=" + utf8(w) + gemeldete_dateien());
        if (!w.empty())
            schreibe(w, inhalt, GENERIC_WRITE);
        return S_OK;
    };
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
        return *objekt == nullptr ? E_NOINTERFACE : (AddRef(), S_OK);
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

// One object of the model: the members it answers to, with DISPIDs from 1 in this order.
class Objekt : public Gezaehlt<IDispatch> {
public:
    explicit Objekt(std::vector<std::pair<const wchar_t*, Member>> members) : m_members(std::move(members)) {}
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    // Names are matched without regard to case, as automation clients expect; only a member is named, no argument.
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* namen, UINT anzahl, LCID, DISPID* ids) override
    {
        for (UINT i = 0; i < anzahl; ++i)
            ids[i] = DISPID_UNKNOWN;
        for (size_t k = 0; anzahl == 1 && k < m_members.size(); ++k)
            if (lstrcmpiW(namen[0], m_members[k].first) == 0)
                ids[0] = static_cast<DISPID>(k + 1);
        return ids[0] == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD wie, DISPPARAMS* p, VARIANT* ergebnis, EXCEPINFO*,
                                     UINT*) override
    {
        if (id < 1 || static_cast<size_t>(id) > m_members.size() || !(wie & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)))
            return DISP_E_MEMBERNOTFOUND;
        VARIANT verworfen{};
        const HRESULT hr = m_members[id - 1].second(*p, ergebnis != nullptr ? ergebnis : &verworfen);
        VariantClear(&verworfen);
        return hr;
    }
private:
    std::vector<std::pair<const wchar_t*, Member>> m_members;
};

// Selection and Attachments: a Count, and an Item(1..Count) made new on each call.
IDispatch* liste(std::vector<Neu> elemente)
{
    return new Objekt({{L"Count", lies(long(elemente.size()))},
                       {L"Item", [elemente](const DISPPARAMS& p, VARIANT* e) {
                            const long i = argument(p, VT_I4).lVal;
                            return i < 1 || size_t(i) > elemente.size() ? DISP_E_BADINDEX : gib(e, elemente[i - 1]);
                        }}});
}

IDispatch* mail_item(const Mail& m, const std::wstring& version)
{
    std::vector<Neu> anlagen;
    for (const std::wstring& a : m.anlagen)
        anlagen.push_back([a]() -> IDispatch* {
            return new Objekt({{L"FileName", lies(a)}, {L"SaveAsFile", speichere("SaveAsFile", "anlage:" + utf8(a))}});
        });
    return new Objekt({{L"Subject", lies(m.betreff)}, {L"OutlookVersion", lies(version)},
                       {L"SaveAs", speichere("SaveAs", "msg:" + utf8(m.betreff))},
                       {L"Attachments", lies(Neu([anlagen] { return liste(anlagen); }))}});
}

// The session as read when the Application is made; its explorer, or Nothing, and always an inspector.
IDispatch* application()
{
    const Sitzung s = lies_sitzung();
    std::vector<Neu> mails;
    for (const Mail& m : s.auswahl)
        mails.push_back([m, v = s.version] { return mail_item(m, v); });
    const Member selection = lies(Neu([mails] { return liste(mails); }));
    const Member item = lies(Neu([s]() -> IDispatch* { return s.item ? mail_item(s.aktuell, s.version) : nullptr; }));
    const Member explorer = lies(Neu([selection] { return new Objekt({{L"Selection", selection}}); }));
    return new Objekt({{L"Version", lies(s.version)},
                       {L"ActiveExplorer", s.explorer ? explorer : lies<IDispatch*>(nullptr)},
                       {L"ActiveInspector", lies(Neu([item] { return new Objekt({{L"CurrentItem", item}}); }))}});
}

// Hands out the interface `iid` of `objekt`, whose own reference it drops.
HRESULT frage(IUnknown* objekt, REFIID iid, void** ergebnis)
{
    const HRESULT hr = objekt->QueryInterface(iid, ergebnis);
    objekt->Release();
    return hr;
}

class Fabrik : public Gezaehlt<IClassFactory> {
public:
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* aussen, REFIID iid, void** objekt) override
    {
        *objekt = nullptr;
        const std::wstring ablehnung = umgebung(L"TELVORIN_COM_ABLEHNUNG");
        if (!ablehnung.empty())
            return HRESULT(std::wcstoul(ablehnung.c_str(), nullptr, 16));
        return aussen != nullptr ? CLASS_E_NOAGGREGATION : frage(application(), iid, objekt);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

const CLSID klasse = {0x0006f03a, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};  // Application's
}  // namespace

extern "C" {
__declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID k, REFIID iid, void** objekt)
{
    *objekt = nullptr;
    if (k != klasse)
        return CLASS_E_CLASSNOTAVAILABLE;
    if (umgebung(L"TELVORIN_COM_SITZUNG").empty())
        return REGDB_E_CLASSNOTREG;
    return frage(new Fabrik, iid, objekt);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD grund, LPVOID)
{
    if (grund == DLL_PROCESS_DETACH)
        protokolliere("lebend=" + std::to_string(lebend.load()));
    return TRUE;
}
}  // extern "C"

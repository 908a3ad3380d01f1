// The system's automation on Windows: COM objects called by name through IDispatch.
#include "platform/automation_system_p.h"

#include <QDate>
#include <QDateTime>
#include <QDebug>
#include <QTime>

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <memory>
#include <string>

namespace telvorin::platform::automation_system {
namespace {

// A VARIANT that frees what it holds (a string, an interface reference) exactly once.
class Variant {
public:
    Variant() { VariantInit(&m_value); }
    ~Variant() { VariantClear(&m_value); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT* get() { return &m_value; }

private:
    VARIANT m_value;
};

// What a failed Invoke may have filled in: the server allocated the strings, we free them.
class ExceptionInfo {
public:
    ExceptionInfo() { ZeroMemory(&m_info, sizeof m_info); }
    ~ExceptionInfo()
    {
        SysFreeString(m_info.bstrSource);
        SysFreeString(m_info.bstrDescription);
        SysFreeString(m_info.bstrHelpFile);
    }
    ExceptionInfo(const ExceptionInfo&) = delete;
    ExceptionInfo& operator=(const ExceptionInfo&) = delete;
    EXCEPINFO* get() { return &m_info; }

private:
    EXCEPINFO m_info;
};

IDispatch* dispatch(void* object)
{
    return static_cast<IDispatch*>(object);
}

// Takes over one reference that COM handed us; the last copy releases it.
AutomationReference take(IDispatch* object)
{
    if (object == nullptr)
        return nullptr;
    return AutomationReference::system(
        std::shared_ptr<void>(object, [](void* held) { static_cast<IDispatch*>(held)->Release(); }));
}

// COM's DATE counts days from 30 December 1899, local time without a zone.
QVariant from_date(DATE date)
{
    SYSTEMTIME t;
    if (!VariantTimeToSystemTime(date, &t))
        return {};
    return QDateTime(QDate(t.wYear, t.wMonth, t.wDay), QTime(t.wHour, t.wMinute, t.wSecond, t.wMilliseconds),
                     Qt::LocalTime);
}

QVariant from_variant(VARIANT* value)
{
    // A server may hand back a reference to a value; read what it points to.
    Variant direct;
    if ((V_VT(value) & VT_BYREF) != 0) {
        if (FAILED(VariantCopyInd(direct.get(), value)))
            return {};
        value = direct.get();
    }
    switch (V_VT(value)) {
    case VT_NULL:
        return QVariant::fromValue(nullptr);
    case VT_BSTR:
        return V_BSTR(value) == nullptr ? QString()
                                        : QString::fromWCharArray(V_BSTR(value), int(SysStringLen(V_BSTR(value))));
    case VT_BOOL:
        return V_BOOL(value) != VARIANT_FALSE;
    case VT_I1:
        return int(V_I1(value));
    case VT_I2:
        return int(V_I2(value));
    case VT_I4:
        return int(V_I4(value));
    case VT_INT:
        return int(V_INT(value));
    case VT_UI1:
        return uint(V_UI1(value));
    case VT_UI2:
        return uint(V_UI2(value));
    case VT_UI4:
        return uint(V_UI4(value));
    case VT_UINT:
        return uint(V_UINT(value));
    case VT_I8:
        return qlonglong(V_I8(value));
    case VT_UI8:
        return qulonglong(V_UI8(value));
    case VT_R4:
        return double(V_R4(value));
    case VT_R8:
        return V_R8(value);
    case VT_DATE:
        return from_date(V_DATE(value));
    case VT_DISPATCH: {
        IDispatch* object = V_DISPATCH(value);
        if (object == nullptr)
            return {};
        object->AddRef();
        return QVariant::fromValue(take(object));
    }
    case VT_UNKNOWN: {
        IDispatch* object = nullptr;
        if (V_UNKNOWN(value) == nullptr
            || FAILED(V_UNKNOWN(value)->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object))))
            return {};
        return QVariant::fromValue(take(object));
    }
    default:
        // VT_EMPTY, and what the object model does not use (errors, arrays, currency).
        return {};
    }
}

// Fills `target` (empty on entry) from `value`; false for what COM cannot take.
bool to_variant(const QVariant& value, VARIANT* target)
{
    switch (value.userType()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr:
        V_VT(target) = value.isValid() ? VT_NULL : VT_EMPTY;
        return true;
    case QMetaType::QString: {
        const QString text = value.toString();
        V_VT(target) = VT_BSTR;
        V_BSTR(target) = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.utf16()), UINT(text.size()));
        return V_BSTR(target) != nullptr;
    }
    case QMetaType::Bool:
        V_VT(target) = VT_BOOL;
        V_BOOL(target) = value.toBool() ? VARIANT_TRUE : VARIANT_FALSE;
        return true;
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Char:
    case QMetaType::SChar:
        V_VT(target) = VT_I4;
        V_I4(target) = value.toInt();
        return true;
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::UChar:
        V_VT(target) = VT_UI4;
        V_UI4(target) = value.toUInt();
        return true;
    case QMetaType::LongLong:
        V_VT(target) = VT_I8;
        V_I8(target) = value.toLongLong();
        return true;
    case QMetaType::ULongLong:
        V_VT(target) = VT_UI8;
        V_UI8(target) = value.toULongLong();
        return true;
    case QMetaType::Double:
    case QMetaType::Float:
        V_VT(target) = VT_R8;
        V_R8(target) = value.toDouble();
        return true;
    case QMetaType::QDateTime: {
        const QDateTime local = value.toDateTime().toLocalTime();
        const SYSTEMTIME t{WORD(local.date().year()), WORD(local.date().month()), WORD(local.date().dayOfWeek() % 7),
                           WORD(local.date().day()), WORD(local.time().hour()), WORD(local.time().minute()),
                           WORD(local.time().second()), WORD(local.time().msec())};
        V_VT(target) = VT_DATE;
        return SystemTimeToVariantTime(const_cast<SYSTEMTIME*>(&t), &V_DATE(target)) != 0;
    }
    default:
        break;
    }
    if (value.userType() == qMetaTypeId<AutomationReference>()) {
        // Only the system's objects can be handed to COM, not in-process nodes of ours.
        IDispatch* object = dispatch(value.value<AutomationReference>().system_object());
        if (object == nullptr)
            return false;
        object->AddRef();
        V_VT(target) = VT_DISPATCH;
        V_DISPATCH(target) = object;
        return true;
    }
    return false;
}

// "Item(QVariant)" -> "Item" and whether the caller gave an argument list with
// a type in it; "Name()" is a method call without arguments.
struct Member {
    std::wstring name;
    bool called = false;
    bool with_argument = false;
};

Member member(const char* signature)
{
    const QByteArray text(signature);
    const int bracket = text.indexOf('(');
    Member m;
    m.name = QString::fromLatin1(bracket < 0 ? text : text.left(bracket)).toStdWString();
    m.called = bracket >= 0;
    m.with_argument = bracket >= 0 && text.indexOf(')', bracket) > bracket + 1;
    return m;
}

// Calls `signature` on `object` as `kind` (DISPATCH_PROPERTYGET or
// DISPATCH_METHOD). A member that is the other kind is tried as that: late
// binding does not know beforehand which one a server declared, and a server
// that checks answers DISP_E_MEMBERNOTFOUND for the wrong kind.
bool invoke(void* object, const char* signature, const QVariant& argument, WORD kind, VARIANT* result)
{
    if (object == nullptr)
        return false;
    Member m = member(signature);
    LPOLESTR name = m.name.data();
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(dispatch(object)->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id)))
        return false;
    Variant parameter;
    if (m.with_argument && !to_variant(argument, parameter.get()))
        return false;
    DISPPARAMS parameters{m.with_argument ? parameter.get() : nullptr, nullptr, m.with_argument ? 1u : 0u, 0};
    for (const WORD flags : {kind, WORD(kind == DISPATCH_METHOD ? DISPATCH_PROPERTYGET : DISPATCH_METHOD)}) {
        ExceptionInfo exception;
        UINT wrong_argument = 0;
        VariantClear(result);
        const HRESULT answer = dispatch(object)->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, result,
                                                        exception.get(), &wrong_argument);
        if (SUCCEEDED(answer))
            return true;
        if (answer != DISP_E_MEMBERNOTFOUND)
            break;
    }
    VariantClear(result);
    return false;
}

WORD kind_of(const char* signature)
{
    return member(signature).called ? DISPATCH_METHOD : DISPATCH_PROPERTYGET;
}

// The system's own text for `code`: in English where Windows has it, whose texts are ASCII, else in the user's
// language; without its line break.
QString system_message(HRESULT code)
{
    for (const DWORD language : {DWORD(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)), DWORD(0)}) {
        wchar_t* text = nullptr;
        const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                                | FORMAT_MESSAGE_IGNORE_INSERTS,
                                            nullptr, DWORD(code), language, reinterpret_cast<wchar_t*>(&text), 0,
                                            nullptr);
        const QString message = QString::fromWCharArray(text, int(length)).trimmed();
        LocalFree(text);
        if (!message.isEmpty())
            return message;
    }
    return QStringLiteral("kein Text des Systems zu diesem Code");
}

// What a failed CoCreateInstance means to whoever has to fix it. The tool creates one class, Outlook's
// Application, so the causes are told as users meet them there.
QString creation_failure(HRESULT code)
{
    switch (code) {
    case REGDB_E_CLASSNOTREG:
        return QStringLiteral("Klasse nicht registriert: kein klassisches Outlook auf diesem Rechner "
                              "(das neue Outlook hat keine Automatisierungsschnittstelle)");
    case CO_E_SERVER_EXEC_FAILURE:
        return QStringLiteral("Serverausfuehrung fehlgeschlagen: Outlook liess sich nicht starten oder erreichen, "
                              "etwa weil es mit anderen Rechten laeuft als der Aufrufer "
                              "(eines als Administrator, das andere nicht)");
    case REGDB_E_IIDNOTREG:
        return QStringLiteral("Schnittstelle nicht registriert: die Registrierung von Outlook ist beschaedigt "
                              "(Office reparieren)");
    default:
        return system_message(code);
    }
}

}  // namespace

AutomationReference create(const QString& control)
{
    // A class identifier in braces, or else a programmatic name such as "Outlook.Application".
    const std::wstring text = control.toStdWString();
    CLSID id;
    if (FAILED(CLSIDFromString(text.c_str(), &id)) && FAILED(CLSIDFromProgID(text.c_str(), &id)))
        return nullptr;
    // Without COM initialised on this thread (Qt's windows platform plugin does
    // it) this fails with CO_E_NOTINITIALIZED, as for a class nobody serves.
    IDispatch* object = nullptr;
    const HRESULT created = CoCreateInstance(id, nullptr, CLSCTX_SERVER, IID_IDispatch, reinterpret_cast<void**>(&object));
    if (FAILED(created)) {
        qDebug().noquote() << QStringLiteral("CoCreateInstance %1 fehlgeschlagen (0x%2): %3")
                                  .arg(control, QString::number(ulong(created), 16).toUpper().rightJustified(8, '0'),
                                       creation_failure(created));
        return nullptr;
    }
    return take(object);
}

QVariant property(void* object, const char* name)
{
    Variant result;
    if (!invoke(object, name, QVariant(), DISPATCH_PROPERTYGET, result.get()))
        return {};
    return from_variant(result.get());
}

QVariant call(void* object, const char* function, const QVariant& argument)
{
    Variant result;
    if (!invoke(object, function, argument, kind_of(function), result.get()))
        return {};
    return from_variant(result.get());
}

AutomationReference object(void* object, const char* name, const QVariant& argument)
{
    Variant result;
    if (!invoke(object, name, argument, kind_of(name), result.get()))
        return nullptr;
    const QVariant value = from_variant(result.get());
    return value.userType() == qMetaTypeId<AutomationReference>() ? value.value<AutomationReference>() : nullptr;
}

}  // namespace telvorin::platform::automation_system

#include "adapters/win/wmi_video_controllers.h"

#include "common/win/com.h"
#include "common/win/wide.h"

#include <wbemcli.h>

#include <array>
#include <optional>

namespace {

// WbemAdministrativeLocator, which connects with the rights of the caller.
constexpr CLSID kClsidWbemAdministrativeLocator = {
    0xCB8555CC, 0x9128, 0x11D1, {0xAD, 0x9B, 0x00, 0xC0, 0x4F, 0xD8, 0xFD, 0xFF}};
constexpr IID kIidWbemLocator = {
    0xDC12A687, 0x737F, 0x11CF, {0x88, 0x4D, 0x00, 0xAA, 0x00, 0x4B, 0x2E, 0x24}};

constexpr wchar_t kNamespace[] = L"root\\cimv2";
constexpr wchar_t kQueryLanguage[] = L"WQL";
constexpr wchar_t kQuery[] = L"SELECT * FROM Win32_VideoController";

// IEnumWbemClassObject::Next takes its timeout as a LONG; WBEM_INFINITE is
// 0xFFFFFFFF.
constexpr LONG kWaitForever = -1;

// Authentication services: let COM choose.
constexpr LONG kDefaultAuthenticationServices = -1;

// The diagnostic asks for a forward-only enumerator that returns at once; the
// system test waits for the query to complete.
LONG QueryFlags(Dialect dialect) {
    return dialect == Dialect::Vexmira ? WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY
                                       : WBEM_FLAG_FORWARD_ONLY;
}

void SetProxyBlanket(IWbemServices& services) {
    CoSetProxyBlanket(&services, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                      RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
}

WmiText ReadText(IWbemClassObject& object, const wchar_t* name) {
    UniqueVariant value;
    const HRESULT result = object.Get(name, 0, value.put(), nullptr, nullptr);
    return WmiTextFromVariant(result, value.get());
}

WmiVideoController ReadController(IWbemClassObject& object) {
    WmiVideoController controller;
    controller.caption = ReadText(object, L"Caption");
    {
        UniqueVariant value;
        const HRESULT result = object.Get(L"AdapterRAM", 0, value.put(), nullptr, nullptr);
        controller.adapterRam = WmiMemoryFromVariant(result, value.get());
    }
    controller.driverDate = ReadText(object, L"DriverDate");
    controller.driverVersion = ReadText(object, L"DriverVersion");
    controller.pnpDeviceId = ReadText(object, L"PNPDeviceID");
    return controller;
}

// The diagnostic asks for all objects in one call and gives up when it fails.
void ReadAllAtOnce(IEnumWbemClassObject& enumerator, WmiVideoControllerQuery& query) {
    std::array<IWbemClassObject*, kMaxVideoControllers> received{};
    ULONG count = 0;
    const HRESULT result =
        enumerator.Next(kWaitForever, static_cast<ULONG>(received.size()), received.data(), &count);
    std::array<ComPtr<IWbemClassObject>, kMaxVideoControllers> objects;
    for (ULONG i = 0; i < count && i < received.size(); ++i) {
        objects[i].reset(received[i]);
    }
    if (FAILED(result)) {
        return;
    }
    for (ULONG i = 0; i < count && i < objects.size(); ++i) {
        query.objects.push_back(ReadController(*objects[i].get()));
    }
}

// The system test asks for one object at a time and keeps what it has when a
// call fails.
void ReadOneByOne(IEnumWbemClassObject& enumerator, WmiVideoControllerQuery& query) {
    for (size_t i = 0; i < kMaxVideoControllers; ++i) {
        ComPtr<IWbemClassObject> object;
        ULONG count = 0;
        const HRESULT result = enumerator.Next(kWaitForever, 1, object.put(), &count);
        if (FAILED(result) || count == 0 || !object) {
            return;
        }
        query.objects.push_back(ReadController(*object.get()));
    }
}

}  // namespace

WmiText WmiTextFromVariant(HRESULT getResult, const VARIANT& value) {
    WmiText text;
    if (FAILED(getResult)) {
        return text;
    }
    if (value.vt != VT_BSTR) {
        text.state = WmiText::State::NotText;
        return text;
    }
    text.state = WmiText::State::Text;
    if (value.bstrVal != nullptr) {
        text.text = FromWide(value.bstrVal);
    }
    return text;
}

WmiMemory WmiMemoryFromVariant(HRESULT getResult, const VARIANT& value) {
    WmiMemory memory;
    if (FAILED(getResult)) {
        return memory;
    }
    switch (value.vt) {
        case VT_NULL:
        case VT_EMPTY:
            memory.state = WmiMemory::State::Null;
            return memory;
        case VT_I4:
            // WMI hands CIM's uint32 over as VT_I4, negative from 2 GB on.
            // Windows refuses to convert a negative VT_I4 to VT_UI4
            // (DISP_E_OVERFLOW): the 32 bits are the unsigned value itself.
            memory.state = WmiMemory::State::Value;
            memory.bytes = static_cast<uint32_t>(value.lVal);
            return memory;
        default:
            break;
    }
    UniqueVariant converted;
    // VariantChangeType does not change its source, but its signature says so.
    if (FAILED(VariantChangeType(converted.put(), const_cast<VARIANT*>(&value), 0, VT_UI4))) {
        memory.state = WmiMemory::State::Unconvertible;
        return memory;
    }
    memory.state = WmiMemory::State::Value;
    memory.bytes = converted.get().ulVal;
    return memory;
}

WmiVideoControllerQuery WmiVideoControllerSource::Query(Dialect dialect) {
    // Declared first, so every interface below is released before COM is left.
    std::optional<ComInitialization> com;
    if (dialect == Dialect::Vexmira) {
        com.emplace(COINIT_MULTITHREADED);
    }

    WmiVideoControllerQuery query;
    const HRESULT security = CoInitializeSecurity(
        nullptr, kDefaultAuthenticationServices, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
        RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
    // Security can be set once per process; when it already is, WMI works.
    if (FAILED(security) && security != RPC_E_TOO_LATE) {
        return query;
    }

    ComPtr<IWbemLocator> locator;
    if (FAILED(CoCreateInstance(kClsidWbemAdministrativeLocator, nullptr, CLSCTX_INPROC_SERVER,
                                kIidWbemLocator, locator.put_void()))) {
        return query;
    }
    ComPtr<IWbemServices> services;
    const UniqueBstr nameSpace(kNamespace);
    if (FAILED(locator->ConnectServer(nameSpace.get(), nullptr, nullptr, nullptr,
                                      WBEM_FLAG_CONNECT_USE_MAX_WAIT, nullptr, nullptr,
                                      services.put()))) {
        return query;
    }
    // The connection's own security, as Microsoft's WMI clients set it: the
    // process's may have been set earlier to a level too low for WMI (the
    // RPC_E_TOO_LATE case above). A services object that is no proxy has no
    // blanket to set (E_NOINTERFACE); the query then runs as it is.
    SetProxyBlanket(*services.get());
    ComPtr<IEnumWbemClassObject> enumerator;
    const UniqueBstr language(kQueryLanguage);
    const UniqueBstr text(kQuery);
    if (FAILED(services->ExecQuery(language.get(), text.get(), QueryFlags(dialect), nullptr,
                                   enumerator.put()))) {
        return query;
    }

    query.ok = true;
    if (dialect == Dialect::Vexmira) {
        ReadAllAtOnce(*enumerator.get(), query);
    } else {
        ReadOneByOne(*enumerator.get(), query);
    }
    return query;
}

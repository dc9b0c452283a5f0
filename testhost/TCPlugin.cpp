#include "TCPlugin.h"
#include "TCHostApp.h"
#include "ContentPlugin.h"

static std::wstring Wide(const char* s)
{
    int n = MultiByteToWideChar(CP_ACP, 0, s, -1, nullptr, 0);
    std::wstring w(n > 0 ? n : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, s, -1, &w[0], n);
    w.resize(wcslen(w.c_str()));
    return w;
}

bool CTCPlugin::Load(const std::wstring& path, const std::wstring& defaultIni)
{
    if (m_module)
        return true;
    m_path = path;
    m_module = LoadLibraryW(path.c_str());
    TheApp().Log(CTCLogLine(L"plugin").Add(L"action", L"load").Add(L"path", path).Add(L"ok", m_module ? 1 : 0)
                     .Add(L"error", m_module ? 0 : (long long)GetLastError()));
    if (!m_module)
        return false;
    // The host refuses a content plug-in without these two calls.
    for (const char* required : {"ContentGetSupportedField", "ContentGetValue"}) {
        if (!GetProcAddress(m_module, required)) {
            TheApp().Log(CTCLogLine(L"plugin").Add(L"action", L"refuse").Add(L"path", path)
                             .Add(L"reason", L"missing " + Wide(required)));
            FreeLibrary(m_module);
            m_module = nullptr;
            return false;
        }
    }
    auto setParams = (ContentSetDefaultParamsProc)(void*)GetProcAddress(m_module, "ContentSetDefaultParams");
    auto detect = (ContentGetDetectStringProc)(void*)GetProcAddress(m_module, "ContentGetDetectString");
    auto field = (ContentGetSupportedFieldProc)(void*)GetProcAddress(m_module, "ContentGetSupportedField");
    if (setParams) {
        ContentDefaultParams params = {};
        params.size = sizeof params;
        params.versionLow = 10;
        params.versionHigh = 2;
        WideCharToMultiByte(CP_ACP, 0, defaultIni.c_str(), -1, params.defaultIniName, ContentIniNameLength, nullptr, nullptr);
        params.defaultIniName[ContentIniNameLength - 1] = 0;
        setParams(&params);
        TheApp().Log(CTCLogLine(L"plugin").Add(L"action", L"setdefaultparams").Add(L"ini", Wide(params.defaultIniName)));
    }
    if (detect) {
        char text[2048] = "";
        int r = detect(text, sizeof text - 1);
        text[sizeof text - 1] = 0;
        TheApp().Log(CTCLogLine(L"plugin").Add(L"action", L"detect").Add(L"result", r).Add(L"text", Wide(text)));
    }
    if (field) {
        // A plug-in that never ends its list is cut off after 1000 fields.
        for (int i = 0; i < 1000; ++i) {
            char name[260] = "", units[512] = "";
            int type = field(i, name, units, 259);
            name[259] = 0;
            units[511] = 0;
            if (type == ContentNoMoreFields)
                break;
            TheApp().Log(CTCLogLine(L"plugin").Add(L"action", L"field").Add(L"index", i).Add(L"type", type)
                             .Add(L"name", Wide(name)).Add(L"units", Wide(units)));
        }
    }
    return true;
}

bool CTCPlugin::Unload()
{
    if (!m_module)
        return false;
    auto unloading = (ContentPluginUnloadingProc)(void*)GetProcAddress(m_module, "ContentPluginUnloading");
    if (unloading)
        unloading();
    FreeLibrary(m_module);
    m_module = nullptr;
    // The library may keep itself loaded for a while; report what is true now.
    bool gone = GetModuleHandleW(m_path.c_str()) == nullptr;
    TheApp().Log(CTCLogLine(L"plugin").Add(L"action", L"unload").Add(L"unloading", unloading ? 1 : 0)
                     .Add(L"freed", gone ? 1 : 0));
    return gone;
}

std::wstring CTCPlugin::DebugDump() const
{
    typedef int(WINAPI * DumpProc)(LPWSTR, int);
    auto dump = m_module ? (DumpProc)(void*)GetProcAddress(m_module, "MerovinDebugDump") : nullptr;
    if (!dump)
        return L"";
    int length = dump(nullptr, 0);
    if (length <= 0)
        return L"";
    std::wstring text(length + 1, L'\0');
    dump(&text[0], length + 1);
    text.resize(wcsnlen(text.c_str(), length));
    return text;
}

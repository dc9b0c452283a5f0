// Loads a content plug-in and calls it as the host does.
#pragma once
#include <windows.h>
#include <string>

class CTCPlugin {
public:
    // LoadLibraryW, ContentSetDefaultParams with the record, then
    // ContentGetDetectString and the ContentGetSupportedField loop where exported.
    bool Load(const std::wstring& path, const std::wstring& defaultIni);
    // ContentPluginUnloading, then FreeLibrary; true when the library is gone.
    bool Unload();
    bool Loaded() const { return m_module != nullptr; }
    // The plug-in's "MerovinDebugDump" text ("key=value" lines); empty when it has none.
    std::wstring DebugDump() const;

private:
    HMODULE m_module = nullptr;
    std::wstring m_path;
};

// Everything the settings utility's pages edit, built once at start: the
// paths of its own files and the host's, the command lists, every hotkey,
// the view modes, the mark settings, the preview backgrounds and the
// localised texts the pages share. Built without any window, so tests build
// it as the program does.
#pragma once

#include <windows.h>
#include "CommandList.h"
#include "HostPaths.h"
#include "HotKeyHolder.h"
#include "Localizer.h"
#include "MarkSettings.h"
#include "ModeArray.h"
#include "Strings.h"
#include "WriteReport.h"

// Localised texts the pages share, loaded once.
struct CGlobalTexts
{
    CString strNone;           // 139 "<None>"
    CString strFirstCommand;   // 186
    CString strHotKey;         // 187
    CString strSecondCommand;  // 188
    CString strPictureFile;    // 199
    CString strDefault;        // 208 "<Default>"
    CString strHostFileMasks;  // 231
    CString strGraphicFiles;   // 232
};

class CSettingsModel
{
public:
    CSettingsModel();
    CSettingsModel(const CSettingsModel&) = delete;
    CSettingsModel& operator=(const CSettingsModel&) = delete;

    // The whole start-up road but the sheet: "%COMMANDER_PATH%" when the
    // process has none, own paths from the program's path, the host's paths, the command line (arguments after the
    // program's name), the texts, the reload message, the model and the
    // title.
    void StartUp(LPCWSTR lpszProgramPath, const CStringArray& args);

    // The steps of StartUp.
    void SetOwnPaths(LPCWSTR lpszProgramPath);
    void ApplyCommandLine(const CStringArray& args);
    void LoadGlobalTexts();
    void RegisterReloadMessage();
    void BuildModel();
    void MakeTitle();

    // Own files.
    CString m_strProgramPath;
    CString m_strOwnFolder;
    CString m_strOwnIni;    // "Merovin.ini" beside the program
    CString m_strEngineFile; // "Merovin.wdx" beside it
    CLocalizer m_localizer; // [Config] "Localizator", expanded
    CHostPaths m_hostPaths;
    CStartOptions m_start;   // command set and filter for the Keyboard Mapping page
    UINT m_nReloadMessage = 0; // 0: the path cannot name a message; nothing is broadcast
    CGlobalTexts m_texts;
    CString m_strTitle;

    CCommandList m_hostList;
    CCommandList m_ownList;
    CHotKeyHolder m_holder;
    CModeArray m_modes;
    CMarkSettings m_marks;
    CStringArray m_backgrounds;
    CString m_strStartupSequence;
    // Filled by the pages' writes during an OK or Apply.
    CWriteReport m_writeReport;
};

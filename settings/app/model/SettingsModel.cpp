// CSettingsModel: the start-up road of the settings utility up to the sheet.
#include "SettingsModel.h"
#include "Duplicates.h"
#include "FileVersionInfo.h"
#include "HostCommandLoader.h"
#include "ModelTexts.h"
#include "OwnCommands.h"

namespace {

const WCHAR kConfig[] = L"Config";

// Major and minor of a file's version; 0.0 when it has none.
void FileVersion(LPCWSTR lpszPath, int& nMajor, int& nMinor)
{
    CFileVersionInfo info;
    nMajor = nMinor = 0;
    if (lpszPath && *lpszPath && info.Create(lpszPath)) {
        nMajor = HIWORD(info.GetFixedInfo().dwFileVersionMS);
        nMinor = LOWORD(info.GetFixedInfo().dwFileVersionMS);
    }
}

} // namespace

CSettingsModel::CSettingsModel()
    : m_hostList(CCommandList::HostCommands), m_ownList(CCommandList::EngineCommands)
{
}

void CSettingsModel::StartUp(LPCWSTR lpszProgramPath, const CStringArray& args)
{
    // Before anything is expanded: the language file's path may name it.
    ProvideHostFolderVariable();
    SetOwnPaths(lpszProgramPath);
    FindHostPaths(m_hostPaths, m_localizer);
    ApplyCommandLine(args);
    LoadGlobalTexts();
    RegisterReloadMessage();
    BuildModel();
    MakeTitle();
}

void CSettingsModel::SetOwnPaths(LPCWSTR lpszProgramPath)
{
    m_strProgramPath = lpszProgramPath;
    int slash = m_strProgramPath.ReverseFind(L'\\');
    if (slash < 0 || slash > MAX_PATH) {
        m_strOwnFolder = m_strOwnIni = m_strEngineFile = CString();
        m_localizer.SetFile(L"");
        return;
    }
    m_strOwnFolder = m_strProgramPath.Left(slash);
    m_strOwnIni = m_strOwnFolder + L"\\Merovin.ini";
    m_strEngineFile = m_strOwnIni.Left(m_strOwnIni.ReverseFind(L'.') + 1) + L"wdx";
    m_localizer.SetFile(ExpandText(CIniHelper(m_strOwnIni).ReadString(kConfig, L"Localizator")));
}

void CSettingsModel::ApplyCommandLine(const CStringArray& args)
{
    m_start = ParseCommandLine(args);
    if (m_start.bTranslatedFile)
        m_hostPaths.strTranslatedFile = m_start.strTranslatedFile;
}

void CSettingsModel::LoadGlobalTexts()
{
    m_texts.strNone = m_localizer.LoadLocalizedString(IdsNone);
    m_texts.strFirstCommand = m_localizer.LoadLocalizedString(IdsFirstCommand);
    m_texts.strHotKey = m_localizer.LoadLocalizedString(IdsHotKey);
    m_texts.strSecondCommand = m_localizer.LoadLocalizedString(IdsSecondCommand);
    m_texts.strPictureFile = m_localizer.LoadLocalizedString(IdsPictureFileName);
    m_texts.strDefault = m_localizer.LoadLocalizedString(IdsDefaultBackground);
    m_texts.strHostFileMasks = m_localizer.LoadLocalizedString(IdsHostFileMasks);
    m_texts.strGraphicFiles = m_localizer.LoadLocalizedString(IdsGraphicFiles);
}

void CSettingsModel::RegisterReloadMessage()
{
    // Engines register the same name: the full path of the settings file.
    // A name the system refuses (over 255 characters) gives 0.
    m_nReloadMessage = m_strOwnIni.IsEmpty() ? 0 : ::RegisterWindowMessageW(m_strOwnIni);
}

void CSettingsModel::BuildModel()
{
    LoadHostCommands(m_hostList, m_hostPaths, m_localizer);
    BuildOwnCommandList(m_ownList, m_localizer, &m_holder);
    m_holder.Link(&m_hostList, &m_ownList, &m_localizer);
    m_holder.Load(m_strOwnFolder, m_hostPaths.strHostIni, m_strOwnIni);
    MarkMultiKeyCommands(m_hostList, m_holder);
    m_hostList.RecomputeHotkeyFlags(m_holder);
    m_ownList.RecomputeHotkeyFlags(m_holder);
    m_modes.SetFileName(m_strOwnIni);
    m_modes.LoadModes(m_texts.strNone);
    LoadMarkSettings(m_marks, m_strOwnIni);
    m_marks.nBackground = BuildPreviewBackgrounds(m_strOwnFolder, m_texts.strDefault, m_strOwnIni, m_backgrounds);
    m_strStartupSequence = CIniHelper(m_strOwnIni).ReadString(kConfig, L"StartupSequence");
}

void CSettingsModel::MakeTitle()
{
    int engineMajor, engineMinor, ownMajor, ownMinor;
    FileVersion(m_strEngineFile, engineMajor, engineMinor);
    FileVersion(m_strProgramPath, ownMajor, ownMinor);
    m_strTitle.Format(L"%s v%d.%d (%d.%d)", (LPCWSTR)m_localizer.LoadLocalizedString(IdsAppTitle), engineMajor,
                      engineMinor, ownMajor, ownMinor);
}

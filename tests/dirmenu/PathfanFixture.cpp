#include "PathfanFixture.h"

const wchar_t* const HotlistFixture =
    L"[DirMenu]\n"
    L"menu1=Work\ncmd1=cd C:\\work\n"
    L"menu2=-\n"
    L"menu3=-Sub\n"
    L"menu4=Docs\ncmd4=cd %USERPROFILE%\\Documents\n"
    L"menu5=Net\ncmd5=cd \\\\server\\share\n"
    L"menu6=--\n"
    L"menu7=Desktop\ncmd7=cd ::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\n"
    L"menu8=Rel\ncmd8=cd work\n"
    L"menu9=-Empty\n"
    L"menu10=Tool\ncmd10=notepad.exe\n"
    L"menu11=--\n"
    L"menu12=-\n"
    L"menu13=\n"
    L"menu14=After\ncmd14=cd C:\\after\n";

const wchar_t* const HostSectionsFixture =
    L"[Alias]\nll=dir /w\ngg=git status\n"
    L"[Searches]\na_SearchFor=*.txt\na_SearchIn=C:\\\nb_SearchFor=*.doc\n"
    L"[rename]\nr1_name=[N]\nr1_ext=[E]\nr2_name=x\n"
    L"[SyncOptions]\ns_Wcs=*.*\n"
    L"[CmdLineHistory]\n0=dir\n1=::{20D04FE0}\n2=cls\n"
    L"[FileSystemPlugins]\nNetFS=c:\\p\\net.wfx\n";

const wchar_t* const SnippetFixture =
    L"[Menu]\n"
    L"Plain=hello\n"
    L"$sep=\n"
    L"Sep2=$sep\n"
    L"Broken=$sub(Nothing\n"
    L"Nested=$sub(Level1)\n"
    L"Last=$src!\n"
    L"[Level1]\nA=a\nDeeper=$sub(Level2)\n"
    L"[Level2]\nB=b\n"
    L"[CopyMoveMenu]\nUseMenu=Other\nIgnored=x\n"
    L"[Other]\nO1=other one\nHot=$sec(DirMenu)\n"
    L"[PackMenu]\nPack1=first pack\nPack2=second\n"
    L"[RenameMenu]\n"
    L"[ToolbarMenu]\n"
    L"Alias=$swat(Alias,3)\n"
    L"Found=$swat(Searches,1,1,(.+)_SearchFor,1)\n"
    L"Sec1=$sec(Searches)\n"
    L"Sec2=$sec(rename)\n"
    L"Sec3=$sec(SyncOptions)\n"
    L"Sec4=$sec(CmdLineHistory)\n"
    L"Sec5=$sec(Alias)\n"
    L"Sec6=$sec(DirMenu)\n"
    L"Bad=$swat(Alias,1,1,[z,1)\n"
    L"Open=$swat(Alias\n"
    L"Other=$swat(Set,2,1,,,%DM_FOLDER%\\other.ini)\n"
    L"[ContextMenu]\nWhole=new $sel text\n";

void PathfanFixture::SetUp()
{
    RegisterHostClasses();
    SetEnvironmentVariableW(L"DM_FOLDER", m_folder.Folder().c_str());
    SetEnvironmentVariableW(L"COMMANDER_PATH", m_folder.Folder().c_str());
    m_pathfan.SetServices(&m_services);
    m_pathfan.SetModulePath(m_folder.Path(L"TCPathfan64.dll").c_str());
}

void PathfanFixture::TearDown()
{
    for (HWND window : m_tops)
        DestroyWindow(window);
    SetEnvironmentVariableW(L"COMMANDER_INI", nullptr);
}

void PathfanFixture::WriteFixtures(const std::wstring& snippets)
{
    m_hostIni = m_folder.Write(L"wincmd.ini", std::wstring(HotlistFixture) + HostSectionsFixture);
    m_folder.Write(L"TCPathfan.ini", snippets);
    m_folder.Write(L"other.ini", L"[Set]\nk1=v1\n");
    SetEnvironmentVariableW(L"COMMANDER_INI", m_hostIni.c_str());
}

HWND PathfanFixture::MakeEdit(LPCWSTR editClass, LPCWSTR parentClass, DWORD style)
{
    HWND parent = MakeWindow(parentClass, nullptr);
    m_tops.push_back(parent);
    return MakeWindow(editClass, parent, L"", style);
}

EditRequest PathfanFixture::Request(HWND edit, LPCWSTR text, int selStart, int selEnd)
{
    EditRequest request = {};
    lstrcpynW(request.text, text, ModuleTextLength);
    request.selStart = selStart;
    request.selEnd = selEnd;
    request.window = edit;
    return request;
}

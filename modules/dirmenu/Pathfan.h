// The directory-menu module's state and commands: the host's directory
// hotlist (1), the snippet menu of the focused edit's kind (2), the $cnt
// counter (3) and the context menu at the mouse (4).
#pragma once
#include "Framework.h"
#include "ModuleInterface.h"
#include "PathfanServices.h"

const int PathfanPathLength = 1024;

class CPathfan
{
public:
    CPathfan();

    // The module's settings file: "TCPathfan.ini" beside `modulePath`.
    void SetModulePath(LPCWSTR modulePath);
    LPCWSTR GetSettingsFile() const { return m_settingsFile; }
    // The host window given to "Load".
    void SetHostWindow(HWND host) { m_host = host; }
    HWND GetHostWindow() const { return m_host; }
    // Replaces the system services (tests); null restores the system's.
    void SetServices(CPathfanServices* services);

    // Runs a command on the request; returns a ProcessResult.
    int Process(EditRequest* request, int command);

    int GetCounter() const { return m_counter; }
    void SetCounter(int counter) { m_counter = counter; }
    int GetLastKind() const { return m_lastKind; }
    LPCWSTR GetHostIni() const { return m_hostIni; }

    // The three menus; each returns 1 or 0 as Process expects of it.
    int ShowHotlistMenu(EditRequest* request);
    int ShowEditMenu(EditRequest* request, int kind);
    int ShowContextMenu(EditRequest* request);

private:
    void SetCounterFromText(const EditRequest* request);
    void ExpandHostIni();
    // Replaces the request's selection with `insert` and selects the inserted text.
    static void InsertAtSelection(EditRequest* request, const CString& insert);
    // Moves the end of a whole-text selection in the host's copy dialog back to
    // the text's last "\", so that the file mask after it stays.
    static void KeepCopyDialogTail(EditRequest* request);

    CPathfanServices m_systemServices;
    CPathfanServices* m_services;
    WCHAR m_settingsFile[PathfanPathLength];
    WCHAR m_hostIni[PathfanPathLength];
    HWND m_host = nullptr;
    int m_lastKind = -1;
    int m_counter = 1;
};

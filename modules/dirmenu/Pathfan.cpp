#include "Pathfan.h"
#include "EditClassifier.h"
#include "TokenExpander.h"
#include <cwchar>

namespace {

enum PathfanCommand {
    CommandHotlist = 1,
    CommandSnippets = 2,
    CommandCounter = 3,
    CommandContext = 4,
};

} // namespace

CPathfan::CPathfan() : m_services(&m_systemServices)
{
    m_settingsFile[0] = 0;
    m_hostIni[0] = 0;
}

void CPathfan::SetModulePath(LPCWSTR modulePath)
{
    m_settingsFile[0] = 0;
    if (!modulePath)
        return;
    LPCWSTR slash = wcsrchr(modulePath, L'\\');
    int folderLength = slash ? (int)(slash - modulePath) + 1 : 0;
    const LPCWSTR name = L"TCPathfan.ini";
    if (folderLength + lstrlenW(name) >= PathfanPathLength)
        return;
    memcpy(m_settingsFile, modulePath, folderLength * sizeof(WCHAR));
    lstrcpyW(m_settingsFile + folderLength, name);
}

void CPathfan::SetServices(CPathfanServices* services)
{
    m_services = services ? services : &m_systemServices;
}

void CPathfan::ExpandHostIni()
{
    DWORD length = ExpandEnvironmentStringsW(L"%COMMANDER_INI%", m_hostIni, PathfanPathLength);
    if (length == 0 || length > PathfanPathLength)
        m_hostIni[0] = 0;
}

int CPathfan::Process(EditRequest* request, int command)
{
    if (!request)
        return ResultNone;
    m_lastKind = ClassifyFocusControl(request->window);
    if (m_lastKind < 0 && command != CommandContext)
        return ResultNone;
    ExpandHostIni();

    switch (command) {
    case CommandHotlist:
        return ShowHotlistMenu(request) ? ResultSetText : ResultNone;
    case CommandSnippets:
        return ShowEditMenu(request, m_lastKind) ? ResultSetText : ResultNone;
    case CommandCounter:
        SetCounterFromText(request);
        m_services->Beep(0);
        return ResultSetText;
    case CommandContext:
        return ShowContextMenu(request) ? ResultSetText : ResultNone;
    default:
        return ResultSetText;
    }
}

void CPathfan::SetCounterFromText(const EditRequest* request)
{
    CString text = RequestText(request);
    int start, end;
    ClampSelection(request, text.GetLength(), start, end);
    if (end > start)
        text = text.Mid(start, end - start);
    LPCWSTR begin = text;
    wchar_t* stop = nullptr;
    long value = wcstol(begin, &stop, 10);
    m_counter = stop == begin ? 1 : (int)value;
}

void CPathfan::InsertAtSelection(EditRequest* request, const CString& insert)
{
    CString text = RequestText(request);
    int start, end;
    ClampSelection(request, text.GetLength(), start, end);
    CString rebuilt = text.Left(start) + insert;
    if (end < text.GetLength())
        rebuilt += text.Mid(end);
    if (rebuilt.GetLength() > ExpandedTextLimit)
        rebuilt = rebuilt.Left(ExpandedTextLimit);
    lstrcpynW(request->text, rebuilt, ModuleTextLength);
    int selectionEnd = start + insert.GetLength();
    request->selStart = start;
    request->selEnd = selectionEnd < rebuilt.GetLength() ? selectionEnd : rebuilt.GetLength();
}

void CPathfan::KeepCopyDialogTail(EditRequest* request)
{
    WCHAR parentClass[260] = {};
    GetClassNameW(GetParent(request->window), parentClass, 260);
    if (wcscmp(parentClass, L"TInpComboDlg") != 0)
        return;
    CString text = RequestText(request);
    int slash = text.ReverseFind(L'\\');
    if (request->selStart == 0 && request->selEnd == text.GetLength() && slash >= 0)
        request->selEnd = slash;
}

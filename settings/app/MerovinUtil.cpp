// CMerovinUtil.
#include "MerovinUtil.h"
#include "MainSheet.h"
#include <shellapi.h>

CMerovinUtil::CMerovinUtil() : CWinApp(L"MerovSet")
{
}

BOOL CMerovinUtil::InitInstance()
{
    CString program = GetModulePath();
    int slash = program.ReverseFind(L'\\');
    if (slash > 0)
        ::SetCurrentDirectoryW(program.Left(slash));
    CStringArray args;
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    for (int i = 1; argv && i < count; ++i)
        args.Add(CString(argv[i]));
    if (argv)
        ::LocalFree(argv);
    m_model.StartUp(program, args);
    {
        CMainSheet sheet(m_model);
        m_pMainWnd = &sheet;
        sheet.DoModal();
        m_pMainWnd = nullptr;
    }
    return FALSE;
}

// The first settings write of an OK or Apply that failed: its file and the
// system's error, for the one message the sheet shows afterwards however
// many pages failed.
#pragma once

#include <windows.h>
#include "IniHelper.h"
#include "Strings.h"

class CWriteReport
{
public:
    void Clear()
    {
        m_strFile.Empty();
        m_dwError = 0;
    }
    // Takes the helper's first failed write unless an earlier one was
    // taken; TRUE when all of the helper's writes succeeded.
    BOOL Note(const CIniHelper& ini)
    {
        if (!ini.GetWriteError())
            return TRUE;
        if (!m_dwError) {
            m_strFile = ini.GetFileName();
            m_dwError = ini.GetWriteError();
        }
        return FALSE;
    }
    BOOL Failed() const { return m_dwError != 0; }
    const CString& GetFile() const { return m_strFile; }
    DWORD GetError() const { return m_dwError; }

private:
    CString m_strFile;
    DWORD m_dwError = 0;
};

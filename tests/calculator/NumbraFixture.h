// A "Numbra.ini" written byte for byte into a folder of its own, and a
// calculator set up from it.
#pragma once
#include "Calculator.h"
#include "ResultFormat.h"
#include <string>

class CFixtureIni {
public:
    CFixtureIni()
    {
        WCHAR temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        static int serial = 0;
        m_folder = std::wstring(temp) + L"numbra-ini-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++serial);
        CreateDirectoryW(m_folder.c_str(), nullptr);
    }
    explicit CFixtureIni(const char* text) : CFixtureIni() { Write(text); }
    ~CFixtureIni()
    {
        DeleteFileW(Ini().c_str());
        RemoveDirectoryW(m_folder.c_str());
    }
    CFixtureIni(const CFixtureIni&) = delete;
    CFixtureIni& operator=(const CFixtureIni&) = delete;

    // Replaces the file's text (ANSI lines, "\n" written as CR LF).
    void Write(const char* text)
    {
        std::string bytes;
        for (const char* c = text; *c; ++c) {
            if (*c == '\n')
                bytes += '\r';
            bytes += *c;
        }
        HANDLE file = CreateFileW(Ini().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
        CloseHandle(file);
    }
    std::wstring Ini() const { return m_folder + L"\\Numbra.ini"; }
    std::wstring Folder() const { return m_folder; }
    std::wstring ModuleFile() const { return m_folder + L"\\Numbra64.dll"; }

private:
    std::wstring m_folder;
};

// The fixture most tests share: functions with fixed and any argument
// counts, a submenu, inline entries, separators in both forms, constants and
// operators with comments.
const char FixtureText[] =
    "[Config]\n"
    "CommentDelimiter=;\n"
    "[Constants]\n"
    "tax=19 ;percent\n"
    "[Functions]\n"
    "hyp(a,b)=sqrt(a*a+b*b) ;hypotenuse\n"
    "avg3=(p1+p2+p3)/_cnt\n"
    "$sep\n"
    "Trigonometry=$sub(Trig)\n"
    "more=$ins(Extra)\n"
    "line=$sep\n"
    "sq(x)=x*x\n"
    "[Trig]\n"
    "deg(r)=r*180/_pi\n"
    "[Extra]\n"
    "twice(v)=2*v\n"
    "[Operators2]\n"
    "hyp = # ;binary\n"
    "[Operators1]\n"
    "sq='\n";

// Evaluates text with a command; the text, selection and result are kept.
struct CRun {
    int result;
    std::wstring text;
    int selStart;
    int selEnd;
};

inline CRun RunText(CCalculator& calculator, const wchar_t* text, int command = 2, int selStart = 0,
    int selEnd = 0, HWND window = nullptr)
{
    EditRequest request = {};
    wcsncpy(request.text, text, ModuleTextLength - 1);
    request.selStart = selStart;
    request.selEnd = selEnd;
    request.window = window;
    int result = calculator.Process(&request, command);
    return {result, request.text, request.selStart, request.selEnd};
}

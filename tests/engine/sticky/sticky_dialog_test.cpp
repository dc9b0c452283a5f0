// The sticky-files dialog opened through the engine's ContentEditValue in
// this process (list-view messages carry pointers, so the dialog is driven
// from its own thread): its controls, moving, deleting and saving, folder
// changes, "delete all", and what the sticky file holds afterwards.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>
#include <commctrl.h>
#include "ContentPlugin.h"
#include "EngineHarness.h"
#include "MiniHost.h"
#include "TestFiles.h"

namespace {

typedef int(WINAPI* EditValueProc)(HWND, int, int, int, void*, int, int, char*);

enum { List = 4000, Folders = 4001, Up = 4002, Down = 4003, Delete = 4004, Save = 4006, DeleteEvery = 4007,
       DeleteFolder = 4008 };

std::function<void(HWND)> g_script;
std::vector<int> g_answers;
std::vector<std::wstring> g_boxes;
DWORD g_deadline = 0;

HWND FindDialog(const wchar_t* title)
{
    struct Search {
        const wchar_t* title;
        HWND found;
    } search{title, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        wchar_t cls[16] = {}, caption[64] = {};
        GetClassNameW(w, cls, 16);
        GetWindowTextW(w, caption, 64);
        if (wcscmp(cls, L"#32770") == 0 && wcscmp(caption, s->title) == 0 && IsWindowVisible(w)) {
            s->found = w;
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

VOID CALLBACK Driver(HWND, UINT, UINT_PTR id, DWORD)
{
    if (HWND box = FindDialog(L"Merovin")) {
        wchar_t text[300] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 300);
        g_boxes.push_back(text);
        int answer = g_answers.empty() ? IDCANCEL : g_answers.front();
        if (!g_answers.empty())
            g_answers.erase(g_answers.begin());
        PostMessageW(box, WM_COMMAND, answer, 0);
        return;
    }
    HWND dialog = FindDialog(L"Stick Files on Top");
    if (dialog && GetTickCount() > g_deadline)
        PostMessageW(dialog, WM_CLOSE, 0, 0); // safety: a script that failed
    if (dialog && g_script) {
        auto script = g_script;
        g_script = nullptr;
        script(dialog);
    }
}

// Controls of the dialog.
HWND Item(HWND dialog, int id) { return GetDlgItem(dialog, id); }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(Item(dialog, id)) != FALSE; }
void Click(HWND dialog, int id) { SendMessageW(Item(dialog, id), BM_CLICK, 0, 0); }

void SelectItem(HWND dialog, int item)
{
    LVITEMW state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = item >= 0 ? state.stateMask : 0;
    SendMessageW(Item(dialog, List), LVM_SETITEMSTATE, item, (LPARAM)&state);
}

void SelectFolder(HWND dialog, int index)
{
    SendMessageW(Item(dialog, Folders), CB_SETCURSEL, index, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(Folders, CBN_SELCHANGE), (LPARAM)Item(dialog, Folders));
}

// "name:image,..." of the list.
std::wstring ListText(HWND dialog)
{
    HWND list = Item(dialog, List);
    std::wstring text;
    for (int i = 0; i < (int)SendMessageW(list, LVM_GETITEMCOUNT, 0, 0); ++i) {
        wchar_t name[260] = {};
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = i;
        item.iSubItem = 1;
        item.pszText = name;
        item.cchTextMax = 260;
        SendMessageW(list, LVM_GETITEMW, 0, (LPARAM)&item);
        item.mask = LVIF_IMAGE;
        item.iSubItem = 0;
        SendMessageW(list, LVM_GETITEMW, 0, (LPARAM)&item);
        text += (i ? L"," : L"") + std::wstring(name) + L":" + std::to_wstring(item.iImage);
    }
    return text;
}

// The folders in the combo box, the selected one marked with "*".
std::wstring FolderText(HWND dialog, const std::wstring& base)
{
    HWND combo = Item(dialog, Folders);
    std::wstring text;
    int selected = (int)SendMessageW(combo, CB_GETCURSEL, 0, 0);
    for (int i = 0; i < (int)SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
        wchar_t name[MAX_PATH] = {};
        SendMessageW(combo, CB_GETLBTEXT, i, (LPARAM)name);
        text += (i ? L"," : L"") + std::wstring(name).substr(base.size()) + (i == selected ? L"*" : L"");
    }
    return text;
}

// "Save Up Down Delete DeleteFolder DeleteEvery" as 1/0.
std::string Buttons(HWND dialog)
{
    std::string states;
    for (int id : {Save, Up, Down, Delete, DeleteFolder, DeleteEvery})
        states += Enabled(dialog, id) ? '1' : '0';
    return states;
}

std::string ReadBytes(const std::wstring& path)
{
    std::string bytes;
    if (FILE* file = _wfopen(path.c_str(), L"rb")) {
        char buffer[4096];
        for (size_t read; (read = fread(buffer, 1, sizeof buffer, file)) > 0;)
            bytes.append(buffer, read);
        fclose(file);
    }
    return bytes;
}

class StickyDialog : public ::testing::Test {
protected:
    StickyDialog() : m_data(L"stickydata")
    {
        CreateDirectoryW((m_data.Path() + L"\\B").c_str(), nullptr);
        CreateDirectoryW((m_data.Path() + L"\\B\\sub").c_str(), nullptr);
        WriteText(m_data.Path() + L"\\B\\a.txt", "x");
        m_base = m_data.Path() + L"\\";
        m_file = m_engine.Folder() + L"\\Merovin.stk";
    }
    void SetUp() override
    {
        WriteText(m_engine.SettingsFile(), "[Config]\r\nUseLLHook=0\r\nCheckCloseTC=0\r\n");
        ASSERT_TRUE(m_engine.Load());
        m_engine.SetDefaultParams("");
        g_answers.clear();
        g_boxes.clear();
    }
    void WriteSticky(bool empty = false)
    {
        std::string base(m_base.begin(), m_base.end());
        std::string text = empty ? "" : "[" + base + "C]\r\n1=y\r\n2=z\r\n[" + base + "B]\r\n1=a.txt\r\n2=sub\r\n3=gone.txt\r\n[" +
                                             base + "A]\r\n1=x\r\n";
        WriteText(m_file, text.c_str());
    }
    // Runs the dialog with `script`; returns ContentEditValue's result.
    int Run(std::function<void(HWND)> script, int* value = nullptr)
    {
        g_script = script;
        g_deadline = GetTickCount() + 5000;
        UINT_PTR timer = SetTimer(nullptr, 0, 30, Driver);
        auto edit = reinterpret_cast<EditValueProc>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(m_engine.Path().c_str()), "ContentEditValue")));
        int field = 0;
        int result = edit(m_host.main, 0, 0, 0, &field, sizeof field, 0, nullptr);
        KillTimer(nullptr, timer);
        if (value)
            *value = field;
        return result;
    }
    // "A=x|B=..." of the sticky file, sections in file order.
    std::wstring Sections()
    {
        wchar_t names[4096] = {};
        DWORD length = GetPrivateProfileSectionNamesW(names, 4096, m_file.c_str());
        std::wstring text;
        for (const wchar_t* name = names; name < names + length && *name; name += wcslen(name) + 1) {
            text += (text.empty() ? L"" : L"|") + std::wstring(name).substr(m_base.size()) + L"=";
            for (int key = 1;; ++key) {
                wchar_t value[260] = {};
                GetPrivateProfileStringW(name, std::to_wstring(key).c_str(), L"", value, 260, m_file.c_str());
                if (!*value)
                    break;
                text += (key > 1 ? L"," : L"") + std::wstring(value);
            }
        }
        return text;
    }

    CMiniHost m_host;
    CEngineHarness m_engine;
    CTempFolder m_data;
    std::wstring m_base, m_file;
};

TEST_F(StickyDialog, OpensOwnedWithSortedFoldersImagesAndItsControls)
{
    WriteSticky();
    std::string before = ReadBytes(m_file);
    std::wstring folders, first, second;
    std::string buttonsFirst, buttonsSecond;
    HWND owner = nullptr;
    std::vector<std::string> misplaced;
    int value = 0;
    int result = Run([&](HWND dialog) {
        owner = GetWindow(dialog, GW_OWNER);
        folders = FolderText(dialog, m_base);
        first = ListText(dialog);
        buttonsFirst = Buttons(dialog);
        SelectFolder(dialog, 1);
        second = ListText(dialog);
        buttonsSecond = Buttons(dialog);
        struct Place {
            int id, x, y, w, h;
        } places[] = {{4005, 7, 7, 171, 12},   {Folders, 7, 18, 170, 0}, {Save, 7, 36, 17, 14},
                      {Up, 27, 36, 17, 14},    {Down, 47, 36, 17, 14},   {Delete, 67, 36, 17, 14},
                      {DeleteFolder, 87, 36, 17, 14}, {DeleteEvery, 160, 36, 17, 14}, {List, 7, 54, 170, 158},
                      {IDOK, 207, 7, 50, 14},  {IDCANCEL, 207, 24, 50, 14}};
        for (const Place& p : places) {
            // The dialog manager converts the position and the size each on its own.
            RECT want = {p.x, p.y, p.w, p.h}, got;
            MapDialogRect(dialog, &want);
            GetWindowRect(Item(dialog, p.id), &got);
            MapWindowPoints(nullptr, dialog, (POINT*)&got, 2);
            if (want.left != got.left || want.top != got.top || want.right != got.right - got.left ||
                (p.h && want.bottom != got.bottom - got.top))
                misplaced.push_back(std::to_string(p.id));
        }
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }, &value);
    EXPECT_EQ(ContentSetCancel, result);
    EXPECT_EQ(8, value);
    EXPECT_EQ(m_host.main, owner);
    EXPECT_EQ(L"A*,B,C", folders);
    EXPECT_EQ(L"x:2", first);
    EXPECT_EQ("000111", buttonsFirst);  // one item: no moves
    EXPECT_EQ(L"a.txt:0,sub:1,gone.txt:2", second);
    EXPECT_EQ("001111", buttonsSecond); // item 0: down only
    for (const std::string& place : misplaced)
        ADD_FAILURE() << place;
    EXPECT_EQ(before, ReadBytes(m_file));
}

TEST_F(StickyDialog, EditsReachTheFileAsSavedOrAnswered)
{
    const std::wstring original = L"C=y,z|B=a.txt,sub,gone.txt|A=x";
    struct Case {
        const char* name;
        std::vector<int> answers;
        std::function<void(HWND)> script;
        int result;
        std::wstring sections; // empty: the file's bytes unchanged
        size_t boxes;
    } cases[] = {
        {"down then OK", {}, [](HWND d) { SelectFolder(d, 1); Click(d, Down); Click(d, IDOK); },
         ContentSetSuccess, L"C=y,z|B=sub,a.txt,gone.txt|A=x", 0},
        {"up and down, saved, then cancel", {}, [](HWND d) {
             SelectFolder(d, 1); SelectItem(d, 2); Click(d, Up); Click(d, Save);
             if (!Enabled(d, Save)) Click(d, IDOK); }, // Save is off again after saving
         ContentSetSuccess, L"C=y,z|B=a.txt,gone.txt,sub|A=x", 0},
        {"emptied folder saved", {}, [](HWND d) {
             SelectFolder(d, 2); Click(d, Delete); Click(d, Delete); Click(d, Save);
             // The folder left the combo box, which shows the one before it.
             if (SendMessageW(Item(d, Folders), CB_GETCOUNT, 0, 0) == 2 &&
                 SendMessageW(Item(d, Folders), CB_GETCURSEL, 0, 0) == 1)
                 Click(d, IDOK); },
         ContentSetSuccess, L"B=a.txt,sub,gone.txt|A=x", 0},
        {"change folder, yes", {IDYES}, [](HWND d) { SelectFolder(d, 1); Click(d, Down); SelectFolder(d, 2); Click(d, IDCANCEL); },
         ContentSetCancel, L"C=y,z|B=sub,a.txt,gone.txt|A=x", 1},
        {"change folder, no", {IDNO}, [](HWND d) { SelectFolder(d, 1); Click(d, Down); SelectFolder(d, 0); Click(d, IDCANCEL); },
         ContentSetCancel, L"", 1},
        {"folder emptied, OK", {}, [](HWND d) { Click(d, DeleteFolder); Click(d, IDOK); },
         ContentSetSuccess, L"C=y,z|B=a.txt,sub,gone.txt", 0},
        {"delete all, yes", {IDYES}, [](HWND d) { Click(d, DeleteEvery); }, ContentSetSuccess, L"-", 1},
        {"delete all, no", {IDNO}, [](HWND d) { Click(d, DeleteEvery); Click(d, IDCANCEL); }, ContentSetCancel, L"", 1},
        {"no selection, keys do nothing", {}, [](HWND d) {
             SelectFolder(d, 1); SelectItem(d, -1);
             if (Buttons(d) != "000011") return; // up, down and delete need an item
             SendMessageW(Item(d, List), WM_KEYDOWN, VK_DELETE, 0); Click(d, Down); Click(d, IDOK); },
         ContentSetSuccess, L"", 0},
        {"shift+up moves the selected item", {}, [](HWND d) {
             SelectFolder(d, 1); SelectItem(d, 2);
             BYTE keys[256]; GetKeyboardState(keys); keys[VK_SHIFT] = 0x80; SetKeyboardState(keys);
             SendMessageW(Item(d, List), WM_KEYDOWN, VK_UP, 0);
             keys[VK_SHIFT] = 0; SetKeyboardState(keys);
             if (SendMessageW(Item(d, List), LVM_GETNEXTITEM, -1, LVNI_SELECTED) == 1) Click(d, IDOK); },
         ContentSetSuccess, L"C=y,z|B=a.txt,gone.txt,sub|A=x", 0},
    };
    for (const Case& c : cases) {
        WriteSticky();
        std::string before = ReadBytes(m_file);
        g_answers = c.answers;
        g_boxes.clear();
        // A script that stops early leaves the dialog to the safety close.
        int result = Run(c.script);
        EXPECT_EQ(c.result, result) << c.name;
        if (c.sections.empty())
            EXPECT_EQ(before, ReadBytes(m_file)) << c.name;
        else
            EXPECT_EQ(c.sections == L"-" ? L"" : c.sections, Sections()) << c.name;
        EXPECT_EQ(c.boxes, g_boxes.size()) << c.name;
    }
}

TEST_F(StickyDialog, EmptyFileLeavesOnlyDeleteEveryEnabled)
{
    WriteSticky(true);
    std::string buttons;
    std::wstring folders = L"?";
    Run([&](HWND dialog) {
        buttons = Buttons(dialog);
        folders = FolderText(dialog, L"");
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ("000001", buttons);
    EXPECT_EQ(L"", folders);
}

// More folders than a 32767-character list of section names holds: all of
// them are offered, and "delete all" leaves none behind.
TEST_F(StickyDialog, DeleteAllEmptiesAFileOfManyFolders)
{
    std::string text, base(m_base.begin(), m_base.end());
    for (int i = 0; i < 400; ++i)
        text += "[" + base + std::string(100, 'f') + std::to_string(1000 + i) + "]\r\n1=x\r\n";
    WriteText(m_file, text.c_str());
    g_answers = {IDYES};
    LRESULT folders = 0;
    int result = Run([&](HWND dialog) {
        folders = SendMessageW(Item(dialog, Folders), CB_GETCOUNT, 0, 0);
        Click(dialog, DeleteEvery);
    });
    EXPECT_EQ(400, folders);
    EXPECT_EQ(ContentSetSuccess, result);
    wchar_t probe[4] = {};
    EXPECT_EQ(0u, GetPrivateProfileSectionNamesW(probe, 4, m_file.c_str()));
}

} // namespace

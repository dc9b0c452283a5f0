// The six column exports of the engine loaded in this process: the exact
// codes and values, names cut at maxlen, refused pointers and buffers, and
// answers while the engine is loaded but not started.
#include <gtest/gtest.h>
#include <string>
#include "ContentPlugin.h"
#include "EngineHarness.h"
#include "MiniHost.h"
#include "TestFiles.h"

namespace {

template <typename Proc>
Proc Export(const CEngineHarness& engine, const char* name)
{
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(engine.Path().c_str()), name)));
}

TEST(ContentColumns, CodesValuesAndRefusedArguments)
{
    CEngineHarness engine;
    WriteText(engine.SettingsFile(), "[Config]\r\nUseLLHook=0\r\nStickyFiles=1\r\nBookMarks=1\r\nCheckCloseTC=0\r\n");
    WriteText(engine.Folder() + L"\\Merovin.stk", "[C:\\Data]\r\n1=first.txt\r\n2=Second.txt\r\n");
    WriteText(engine.Folder() + L"\\Merovin.bkm", "[BookMarks]\r\n1=C:\\Data\\first.txt\r\n2=C:\\Data\\marked.txt\r\n");
    ASSERT_TRUE(engine.Load());
    auto field = Export<ContentGetSupportedFieldProc>(engine, "ContentGetSupportedField");
    auto flags = Export<ContentGetSupportedFieldFlagsProc>(engine, "ContentGetSupportedFieldFlags");
    auto detect = Export<ContentGetDetectStringProc>(engine, "ContentGetDetectString");
    auto get = Export<ContentGetValueProc>(engine, "ContentGetValue");
    auto set = Export<ContentSetValueProc>(engine, "ContentSetValue");
    auto edit = Export<ContentEditValueProc>(engine, "ContentEditValue");
    ASSERT_TRUE(field && flags && detect && get && set && edit);

    struct Field {
        int index, maxLen, result;
        const char* name;
    } fields[] = {{0, 260, 1, "Order"}, {1, 260, 1, "Mark"}, {2, 260, 1, "Autostart"}, {3, 260, 0, "~"},
                  {-1, 260, 0, "~"}, {0, 3, 1, "Or"}, {0, 0, 0, "~"}};
    for (const Field& f : fields) {
        char name[260] = "~", units[260] = "~";
        EXPECT_EQ(f.result, field(f.index, name, units, f.maxLen)) << f.index;
        EXPECT_STREQ(f.name, name);
        EXPECT_STREQ(f.result ? "" : "~", units);
    }
    EXPECT_EQ(0, field(0, nullptr, nullptr, 260));
    for (int index : {-1, 0, 1, 2, 3})
        EXPECT_EQ(index < 2 ? 1 : 0, flags(index)) << index;
    char text[8] = "x";
    EXPECT_EQ(0, detect(text, 8));
    EXPECT_STREQ("", text);
    EXPECT_EQ(0, detect(nullptr, 8));

    struct Value {
        const char* file;
        int field, maxLen, result, value;
    } values[] = {
        {"C:\\Data\\SECOND.TXT", 0, 4, 1, 2},   {"C:\\Data\\other.txt", 0, 4, -3, 0},
        {"C:\\Data\\marked.txt", 1, 4, 1, 2},   {"C:\\Data\\other.txt", 1, 4, -3, 0},
        {"C:\\Data\\other.txt", 2, 4, 1, 0},    {"C:\\Data\\first.txt", 3, 4, -1, 0},
        {"first.txt", 0, 4, -3, 0},             {"C:\\Data\\first.txt", 0, 3, -3, 0},
        {nullptr, 0, 4, -3, 0},
    };
    auto check = [&](bool started) {
        for (const Value& v : values) {
            int value = -99;
            int expected = started || v.field >= 2 ? v.result : -3;
            EXPECT_EQ(expected, get((char*)v.file, v.field, 0, &value, v.maxLen, 0)) << (v.file ? v.file : "null") << v.field;
            EXPECT_EQ(expected == 1 ? v.value : -99, value);
        }
        int value = 0;
        EXPECT_EQ(-3, get((char*)"C:\\Data\\first.txt", 0, 0, nullptr, 4, 0));
        EXPECT_EQ(0, set(nullptr, 0, 0, 1, &value, 0));
        EXPECT_EQ(-6, set((char*)"C:\\Data\\first.txt", 2, 0, 1, &value, 0));
        EXPECT_EQ(0, set((char*)"C:\\Data\\first.txt", 1, 0, 1, &value, 0));
        EXPECT_EQ(0, set((char*)"C:\\Data\\first.txt", 0, 0, 1, &value, 0)); // no file list has the focus
        EXPECT_EQ(-6, edit(nullptr, 2, 0, 1, &value, 4, 0, nullptr));
        // The sticky-files dialog (when started), cancelled by a thread timer.
        UINT_PTR cancel = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
            if (HWND dialog = FindWindowW(L"#32770", L"Stick Files on Top"))
                PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_EQ(-6, edit(nullptr, 0, 0, 1, &value, 4, 0, nullptr));
        KillTimer(nullptr, cancel);
        EXPECT_EQ(8, value);
    };
    check(false); // loaded, not started: no value, no crash
    engine.SetDefaultParams(nullptr);
    check(true);
    wchar_t first[32] = {};
    GetPrivateProfileStringW(L"C:\\Data", L"1", L"", first, 32, (engine.Folder() + L"\\Merovin.stk").c_str());
    EXPECT_STREQ(L"first.txt", first); // the set without a focused list wrote nothing
}

// The host reads the columns on its own threads: reads while the engine
// reloads (and rebuilds its paths) give the file's place, or no value between
// teardown and start-up, never another.
TEST(ContentColumns, ReadsOnAnotherThreadWhileTheEngineReloads)
{
    CEngineHarness engine;
    WriteText(engine.SettingsFile(), "[Config]\r\nUseLLHook=0\r\nStickyFiles=1\r\nCheckCloseTC=0\r\n");
    WriteText(engine.Folder() + L"\\Merovin.stk", "[C:\\Data]\r\n1=first.txt\r\n2=Second.txt\r\n");
    ASSERT_TRUE(engine.Load());
    engine.SetDefaultParams(nullptr);
    static ContentGetValueProc get = Export<ContentGetValueProc>(engine, "ContentGetValue");
    static volatile LONG stop, reads, wrong;
    static HANDLE firstRead;
    stop = reads = wrong = 0;
    firstRead = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = CreateThread(nullptr, 0, [](LPVOID) -> DWORD {
        for (int value = 0; !stop; value = 0) {
            int result = get((char*)"C:\\Data\\SECOND.TXT", 0, 0, &value, 4, 0);
            if (result != -3 && !(result == 1 && value == 2))
                ++wrong;
            if (InterlockedIncrement(&reads) == 1)
                SetEvent(firstRead);
        }
        return 0;
    }, nullptr, 0, nullptr);
    ASSERT_TRUE(thread);
    // The reloads start once the reader runs, however the threads are scheduled.
    bool reading = WaitForSingleObject(firstRead, 5000) == WAIT_OBJECT_0;
    for (int reload = 0; reading && reload < 50; ++reload)
        SendMessageW((HWND)engine.Handle(L"dispatcher"), WM_LBUTTONUP, 0, 0);
    stop = 1;
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 5000));
    CloseHandle(thread);
    CloseHandle(firstRead);
    EXPECT_TRUE(reading);
    EXPECT_EQ(0, wrong);
}

// "Order" set while a file list has the focus: the name is stuck in its
// folder, except a name holding "?" (a letter the host could not convert),
// which could never match a file: nothing is written.
TEST(ContentColumns, OrderWritesOnlyNamesThatCanMatch)
{
    CMiniHost host;
    CEngineHarness engine;
    std::wstring sticky = engine.Folder() + L"\\Merovin.stk";
    WriteText(engine.SettingsFile(), "[Config]\r\nUseLLHook=0\r\nStickyFiles=1\r\nCheckCloseTC=0\r\n");
    WriteText(sticky, "[C:\\Data]\r\n1=first.txt\r\n");
    ASSERT_TRUE(engine.Load());
    engine.SetDefaultParams("");
    ASSERT_TRUE(PumpUntil(3000, [&] { return engine.Number(L"treeValid") == 1; }));
    SetFocus(host.panels[0].list);
    ASSERT_EQ(host.panels[0].list, GetFocus());
    auto set = Export<ContentSetValueProc>(engine, "ContentSetValue");
    struct Case {
        const char* file;
        const wchar_t* first; // key "1" of "C:\Data" afterwards
    } cases[] = {{"C:\\Data\\a?b.txt", L"first.txt"}, {"C:\\D?ta\\first.txt", L"first.txt"},
                 {"C:\\Data\\new.txt", L"new.txt"}};
    for (const Case& c : cases) {
        int place = 1;
        EXPECT_EQ(0, set((char*)c.file, 0, 0, 1, &place, 0)) << c.file;
        wchar_t first[32] = {};
        GetPrivateProfileStringW(L"C:\\Data", L"1", L"", first, 32, sticky.c_str());
        EXPECT_STREQ(c.first, first) << c.file;
        wchar_t sections[256] = {};
        GetPrivateProfileSectionNamesW(sections, 256, sticky.c_str());
        EXPECT_STREQ(L"C:\\Data", sections) << c.file;
        EXPECT_EQ(0, sections[wcslen(sections) + 1]) << c.file; // no other section
    }
}

} // namespace

// A host and settings the size of a well-used installation: 700 host
// commands in 35 categories with a translated command list, 50 user
// commands (or as many as asked), 500 default hotkeys, 200 host shortcuts,
// 300 own hotkeys and 30 view modes. The model tests and the benchmark
// build the model over it.
#pragma once

#include <string>
#include "ModelFiles.h"

namespace LargeFixture {

const int kCategories = 35;
const int kCommandsPerCategory = 20;
const int kCommands = kCategories * kCommandsPerCategory;
const int kUserCommands = 50;
const int kModes = 30;

inline std::string Number(int n)
{
    return std::to_string(n);
}

// Distinct hotkeys in the host's form ("CA+F5") and in the utility's.
inline std::string HostKey(int i)
{
    static const char* mods[] = { "C", "A", "S", "CA", "CS", "AS", "CAS", "W" };
    return std::string(mods[i % 8]) + "+" + char('A' + (i / 8) % 26);
}

// userCommands: the "em_" sections of usercmd.ini.
inline void Write(const CModelFiles& files, int userCommands = kUserCommands)
{
    CreateDirectoryW(files.Host(L"LANGUAGE"), nullptr);
    std::string commands, translation = "\xEF\xBB\xBF";
    for (int c = 0; c < kCategories; ++c) {
        commands += "[_____Category " + Number(c) + "_____]=0\r\n";
        translation += "Category " + Number(c) + "=\"Kategorie " + Number(c) + "\"\r\n";
        for (int i = 0; i < kCommandsPerCategory; ++i) {
            int n = c * kCommandsPerCategory + i;
            commands += "cm_Command" + Number(n) + "=" + Number(1000 + n) + ";Command " + Number(n) + "\r\n";
            translation += Number(1000 + n) + "=\"Befehl " + Number(n) + "\"\r\n";
        }
    }
    commands += "[_Commands with parameters_]\r\ncm_WithParameter=9999;never listed\r\n";
    files.WriteHost(L"totalcmd.inc", commands);
    files.WriteHost(L"LANGUAGE\\WCMD_X.inc", translation);

    std::string user;
    for (int i = 0; i < userCommands; ++i)
        user += "[em_user" + Number(i) + "]\r\ncmd=notepad.exe\r\nmenu=User command " + Number(i) + "\r\n";
    files.WriteHost(L"usercmd.ini", user);

    std::string host = "[Configuration]\r\nLanguageINI=WCMD_X.LNG\r\n[Shortcuts]\r\n";
    for (int i = 0; i < 200; ++i)
        host += HostKey(i) + "=cm_Command" + Number(i * 3) + "\r\n";
    files.WriteHost(L"wincmd.ini", host);

    // One or two keys per command, nearly all of them distinct.
    std::string defaults = "[TC Default Hotkeys]\r\n";
    for (int i = 0; i < 500; ++i) {
        std::string key = std::string(i % 2 ? "Shift+" : "Ctrl+") + "Alt+" + (i % 4 < 2 ? "F" : "Num") +
                          Number(i / 4);
        defaults += "cm_Command" + Number(i) + "=" + key + (i % 3 ? "" : "=Win+" + key) + "\r\n";
    }
    files.WriteOwn(L"tc default hotkeys.hky", defaults);

    std::string own = "[Config]\r\nAutoView=1\r\nStartupSequence=cm_Command1|cm_Command2\r\n[Keyboard]\r\n";
    static const char* mods[] = { "Alt+", "Ctrl+", "Shift+", "Win+", "Alt+Ctrl+", "Alt+Shift+", "Ctrl+Shift+",
                                  "Win+Alt+", "Win+Ctrl+", "Win+Shift+", "Alt+Ctrl+Shift+", "Win+Alt+Ctrl+" };
    for (int i = 0; i < 300; ++i)
        own += "cm_Command" + Number(i) + "=" + mods[i % 12] + char('A' + (i / 12) % 26) + "\r\n";
    own += "[ViewModes]\r\n";
    for (int i = 0; i < kModes; ++i)
        own += "Mode" + Number(i) + "=View mode " + Number(i) + "\r\n";
    own += "[AutoView]\r\n";
    for (int i = 0; i < kModes; ++i)
        own += "Mode" + Number(i) + "=?folder" + Number(i) + "|^skip" + Number(i) + "\r\n";
    for (int i = 0; i < kModes; ++i) {
        own += "[Mode" + Number(i) + "]\r\nActive=1\r\nView=Brief\r\nSort=" + Number(i % 5) +
               "\r\nBkgColor=#F0F0F0\r\nFileGroups=*.txt;*.doc\r\nFileGroupping=1\r\nAutorunCmd=cm_Command" +
               Number(i) + "\r\n";
    }
    files.WriteOwn(L"Merovin.ini", own);
}

} // namespace LargeFixture

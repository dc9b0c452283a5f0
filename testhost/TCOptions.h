// Command-line options of the stand-in host.
#pragma once
#include <string>
#include <vector>

enum TabsOption { TabsNone = 0, TabsLeft = 1, TabsRight = 2, TabsBoth = 3 };

// How the file lists show a folder.
enum ViewOption {
    ViewFull = 0,    // rows "name.ext\tsize\tdate", folders "name\t<DIR>\tdate"
    ViewBrief = 1,   // the same rows in a multi-column list, names only
    ViewMarker = 2,  // rows "name >size date", folders "name ><DIR> date"
    ViewThumbs = 3,  // full rows 60 pixels high
};

struct CTCOptions {
    int m_tabs = TabsNone;          // --tabs=both|left|right|none
    bool m_stacked = false;         // --stacked: right panel below the left one
    int m_bars = 4;                 // --bars=3: panels without the header bar
    int m_hiddenBars = 0;           // --hidden-bars=1|2: invisible panel bars
    int m_view = ViewFull;          // --view=full|brief|marker|thumbs
    bool m_ftp = false;             // --ftp: FTP panel with its log list
    bool m_lateWindows = false;     // --late-windows: tree built 300 ms after loading
    bool m_refillFirst = false;     // --refill-first: a folder change refills the list before the path text
    bool m_refuseClose = false;     // --refuse-close: WM_CLOSE does not destroy
    bool m_noCommanderIni = false;  // --no-commander-ini: COMMANDER_INI left unset
    bool m_tour = false;            // --tour=DIR: scripted demo tour, screenshots into DIR
    std::wstring m_tourDir;
    std::wstring m_plugin;          // --plugin=PATH: content plug-in loaded at start
    std::wstring m_home;            // --home=DIR: COMMANDER_PATH (INI files, totalcmd.inc)
    std::wstring m_log;             // --log=FILE: the log (default: tchost.log in home)
    std::wstring m_folders[2];      // the two panel folders (positional)

    // Parses the arguments after the program name; false with a message on an unknown option.
    bool Parse(int argc, wchar_t** argv, std::wstring& error);
};

// The kinds of the engine's thread timers. Every timer runs on the host's GUI
// thread and ends at teardown; `key` tells apart several timers of one kind.
#pragma once

enum class EngineTimer {
    AttachRetry,      // attach retry every 100 ms
    TreeCheck,        // window-tree check 100 ms after a creation
    DetachUnload,     // unload 1000 ms after a detach request
    SelectionRestore, // edit selection restore 100 ms after a module's text
    DriveSwitch,      // drive switch 100 ms after a drive-menu choice
    TabApply,         // tab icon and colour 200 ms after a folder change, one per tab
};

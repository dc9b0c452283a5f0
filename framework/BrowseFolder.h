// The shell's folder browser: the prompt service shows it, and the settings
// utility's pages and the directory-menu module call it.
#pragma once
#include <windows.h>

// Shows the folder browser (file-system folders only, with an edit box, new
// dialog style) with `title` ("Choose Folder" when null or empty), owned by
// `owner` (may be null), with the folder in `path` preselected when it is not
// empty. When a folder is chosen, its path (at most MAX_PATH - 1 characters)
// replaces `path`, which must hold MAX_PATH characters, and the result is
// TRUE; otherwise `path` is unchanged and the result is FALSE.
BOOL BrowseForFolder(LPCWSTR title, LPWSTR path, HWND owner);

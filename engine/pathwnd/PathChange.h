// What a path window does when the host shows a folder: the folder it saw
// last (upper case), the rule it applied last, and the steps a new text takes.
#pragma once
#include <windows.h>
#include "Strings.h"

// Force the tab decoration even when the folder did not change.
const int PathChangeDecorate = 1;
// The folder found when attaching: the modules heard of it when their
// list loaded, so they are not told again.
const int PathChangeAttach = 2;

struct CPathChange {
    bool changed = false;    // the modules hear of the new path
    bool decorate = false;   // the tab gets the rule's icon and colour
    bool applyView = false;  // the host gets the rule's view, sort and command
    bool applyList = false;  // the list gets the rule's background and masks, and is rebuilt
};

struct CPathWindowParts {
    bool hasTabs = false;
    bool hasList = false;
    bool autoView = false;   // "AutoView"
    bool keepScope = false;  // "KeepScope"
};

class CPathState {
public:
    // The steps for `folder` (as shown), whose rule is `rule` (-1: none).
    CPathChange Note(LPCWSTR folder, int rule, int flags, const CPathWindowParts& parts);
    // Forgets the folder, so that the next text counts as a change.
    void Reset() { m_lastPath.Empty(); }
    const CString& LastPath() const { return m_lastPath; }
    int LastRule() const { return m_lastRule; }

private:
    CString m_lastPath; // upper case; empty until the first text
    int m_lastRule = -1;
};

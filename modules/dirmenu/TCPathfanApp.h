// The directory-menu module's application object: it owns the module's state
// and finds the settings file beside the library when it is attached.
#pragma once
#include "Framework.h"
#include "Pathfan.h"

class CTCPathfanApp : public CWinApp
{
public:
    BOOL InitInstance() override;

    CPathfan m_pathfan;
};

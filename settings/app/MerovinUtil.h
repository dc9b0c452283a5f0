// CMerovinUtil: MerovSet's application object. It builds the settings model
// at start and then runs the settings sheet modally; the program ends when
// the sheet closes.
#pragma once

#include "SettingsModel.h"
#include "WinApp.h"

class CMerovinUtil : public CWinApp
{
public:
    CMerovinUtil();

    // The own folder becomes the current directory, the model is built from
    // the program's path and command line, then the sheet runs. Returns
    // FALSE: the program has no message loop of its own.
    BOOL InitInstance() override;

    CSettingsModel m_model;
};

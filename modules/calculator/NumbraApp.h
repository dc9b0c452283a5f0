// The calculator module's application object: it owns the calculator and
// sets it up when the library is attached.
#pragma once
#include "Framework.h"
#include "Calculator.h"

class CNumbra2App : public CWinApp {
public:
    BOOL InitInstance() override;

    CCalculator m_calculator;
};

// The engine's scans of the host main window's tree. CTCInfoBase asks the
// host with its query message; CTCInfo64 walks the child windows itself.
// Both work on a window of another process as well (the tests rely on it).
#pragma once
#include "HostTreeSnapshot.h"

// Why the last scan failed, for traces and tests.
enum class ScanFailure {
    None,
    NoMainWindow,     // no window given, or it no longer exists
    NotHostWindow,    // its class is not exactly "TTOTAL_CMD"
    RequiredMissing,  // the query scan got no answer for a required code
    NoCommandLine,    // the command-line edit was not found
    PartsMissing,     // the walk found too few file lists or panels
    TooFewBars,       // a panel has fewer than four "Window" bars
    HiddenBars,       // a panel has more than one invisible bar
};

class CTCInfoBase : public HostTreeSnapshot {
public:
    CTCInfoBase() { Clear(); }
    virtual ~CTCInfoBase() = default;
    CTCInfoBase(const CTCInfoBase&) = default;
    CTCInfoBase& operator=(const CTCInfoBase&) = default;
    // Takes the data of a snapshot, for putting a saved copy back.
    CTCInfoBase& operator=(const HostTreeSnapshot& snap)
    {
        static_cast<HostTreeSnapshot&>(*this) = snap;
        return *this;
    }

    // Fills the window fields of a snapshot whose main window, thread and
    // process are set. True on success.
    virtual bool Scan();

    // Clears the snapshot, checks the main window (null: the stored one),
    // stores it with its thread and process, runs Scan and sets the valid
    // flag on success. After a failure the fields found so far stay, valid 0.
    bool Rescan(HWND main = nullptr);

    ScanFailure LastFailure() const { return m_failure; }
    int FailedSide() const { return m_failedSide; }   // panel of a bar failure, else -1

protected:
    bool Fail(ScanFailure why, int side = -1)
    {
        m_failure = why;
        m_failedSide = side;
        return false;
    }

    ScanFailure m_failure = ScanFailure::None;
    int m_failedSide = -1;
};

class CTCInfo64 : public CTCInfoBase {
public:
    CTCInfo64() = default;
    CTCInfo64& operator=(const HostTreeSnapshot& snap)
    {
        CTCInfoBase::operator=(snap);
        return *this;
    }
    bool Scan() override;

private:
    struct Walk;  // the listed descendants of one scan
    bool FindPanelBars(int side, const Walk& walk);
};

// Class name of a window as the scans read it (at most 64 characters).
void ReadWindowClass(HWND wnd, wchar_t (&name)[64]);

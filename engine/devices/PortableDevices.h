// The portable devices (phones, cameras, players without a drive letter)
// attached now, found through the device setup functions, each with a
// friendly name and a shell path the host can open.
#pragma once
#include <windows.h>
#include <setupapi.h>
#include "Framework.h"
#include "TypedPtrArray.h"

// The setup functions the list uses; the default is the system's (SetupAPI).
struct DeviceSetupSource {
    BOOL (WINAPI* loadClassIcon)(const GUID* classGuid, HICON* largeIcon, PINT miniIconIndex);
    HDEVINFO (WINAPI* getClassDevs)(const GUID* classGuid, PCWSTR enumerator, HWND parent, DWORD flags);
    BOOL (WINAPI* enumInterfaces)(HDEVINFO set, PSP_DEVINFO_DATA info, const GUID* interfaceGuid, DWORD index,
                                  PSP_DEVICE_INTERFACE_DATA data);
    BOOL (WINAPI* getInterfaceDetail)(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                      PSP_DEVICE_INTERFACE_DETAIL_DATA_W detail, DWORD size, PDWORD needed,
                                      PSP_DEVINFO_DATA info);
    BOOL (WINAPI* getProperty)(HDEVINFO set, PSP_DEVINFO_DATA info, DWORD property, PDWORD type, PBYTE buffer,
                               DWORD size, PDWORD needed);
    BOOL (WINAPI* destroyList)(HDEVINFO set);
};
const DeviceSetupSource& SystemDeviceSetupSource();

// The setup class of portable devices and the folder their shell paths start in.
extern const GUID PortableDeviceClass;
const WCHAR ComputerFolderId[] = L"{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

class CWPDDevice {
public:
    CString hardwareId;   // the first string of the hardware ids
    CString description;
    CString friendlyName; // the caption in the drive menu
    CString devicePath;
    CString shellPath;    // "::{computer}\" + device path
    HICON icon = nullptr; // the list's class icon, shared

    CWPDDevice() { ++s_live; }
    ~CWPDDevice() { --s_live; }
    CWPDDevice(const CWPDDevice&) = delete;
    CWPDDevice& operator=(const CWPDDevice&) = delete;
    // Records alive in this module (for tests).
    static LONG LiveRecords() { return s_live; }

private:
    static LONG s_live;
};

// The device list owns its records and the class icon (loaded once).
class CWPDDeviceList {
public:
    CWPDDeviceList() {}
    ~CWPDDeviceList();
    CWPDDeviceList(const CWPDDeviceList&) = delete;
    CWPDDeviceList& operator=(const CWPDDeviceList&) = delete;

    void SetSource(const DeviceSetupSource* source) { m_source = source ? source : &SystemDeviceSetupSource(); }

    // Clears the list and fills it; the number of devices added.
    int EnumPortableDevices();
    void ClearDevices();
    int GetCount() const { return int(m_devices.GetSize()); }
    CWPDDevice* GetAt(int i) const { return m_devices.GetAt(i); }
    HICON ClassIcon() const { return m_icon; }

private:
    CTypedPtrArray<CPtrArray, CWPDDevice*> m_devices;
    HICON m_icon = nullptr;
    bool m_iconTried = false;
    const DeviceSetupSource* m_source = &SystemDeviceSetupSource();
};

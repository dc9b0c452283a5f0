#include <gtest/gtest.h>
#include "PortableDevices.h"

namespace {

// The devices the fake setup functions report; an interface of another
// class, or one whose enumeration fails (-1: with error 5).
struct FakeDevice {
    const GUID* setupClass;
    LPCWSTR path;
    LPCWSTR hardwareIds; // multi-string
    LPCWSTR friendlyName; // null: unreadable
};
std::vector<FakeDevice> g_devices;
int g_failAt = -1;
int g_enumCalls = 0;
const GUID OtherClass = {0x1, 0x2, 0x3, {4, 5, 6, 7, 8, 9, 10, 11}};

BOOL WINAPI LoadIcon(const GUID*, HICON* icon, PINT)
{
    *icon = CreateIcon(nullptr, 16, 16, 1, 1, std::vector<BYTE>(32, 0xFF).data(), std::vector<BYTE>(32, 0).data());
    return TRUE;
}
HDEVINFO WINAPI ClassDevs(const GUID*, PCWSTR, HWND, DWORD) { return HDEVINFO(0x1234); }
BOOL WINAPI EnumIfaces(HDEVINFO, PSP_DEVINFO_DATA, const GUID*, DWORD index, PSP_DEVICE_INTERFACE_DATA data)
{
    ++g_enumCalls;
    if (int(index) == g_failAt) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (index >= g_devices.size()) {
        SetLastError(ERROR_NO_MORE_ITEMS);
        return FALSE;
    }
    data->Reserved = index;
    return TRUE;
}
BOOL WINAPI Detail(HDEVINFO, PSP_DEVICE_INTERFACE_DATA data, PSP_DEVICE_INTERFACE_DETAIL_DATA_W detail, DWORD size,
                   PDWORD needed, PSP_DEVINFO_DATA info)
{
    const FakeDevice& d = g_devices[data->Reserved];
    DWORD want = DWORD(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath) + (wcslen(d.path) + 1) * 2);
    if (needed)
        *needed = want;
    if (!detail || size < want) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    wcscpy(detail->DevicePath, d.path);
    info->ClassGuid = *d.setupClass;
    info->Reserved = data->Reserved;
    return TRUE;
}
BOOL WINAPI Property(HDEVINFO, PSP_DEVINFO_DATA info, DWORD property, PDWORD, PBYTE buffer, DWORD size, PDWORD)
{
    const FakeDevice& d = g_devices[info->Reserved];
    LPCWSTR text = property == SPDRP_FRIENDLYNAME ? d.friendlyName
                   : property == SPDRP_HARDWAREID ? d.hardwareIds : L"Description";
    if (!text)
        return FALSE;
    size_t bytes = (wcslen(text) + 2) * 2;
    memcpy(buffer, text, std::min<size_t>(bytes, size));
    return TRUE;
}
BOOL WINAPI Destroy(HDEVINFO) { return TRUE; }

const DeviceSetupSource FakeSetup = {LoadIcon, ClassDevs, EnumIfaces, Detail, Property, Destroy};

} // namespace

TEST(PortableDevices, KeepsPortableDevicesOnlyAndStopsAtAnyFailure)
{
    g_devices = {{&PortableDeviceClass, L"\\\\?\\usb#phone", L"USB\\VID_1\0USB\\X\0", L"Phone"},
                 {&OtherClass, L"\\\\?\\usb#stick", L"USB\\VID_2\0", L"Stick"},
                 {&PortableDeviceClass, L"\\\\?\\usb#cam", L"USB\\VID_3\0", nullptr}};
    LONG before = CWPDDevice::LiveRecords();
    {
        CWPDDeviceList list;
        list.SetSource(&FakeSetup);
        ASSERT_EQ(2, list.EnumPortableDevices());
        EXPECT_STREQ(L"Phone", list.GetAt(0)->friendlyName);
        EXPECT_STREQ(L"USB\\VID_1", list.GetAt(0)->hardwareId);
        EXPECT_STREQ(L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\\\\\?\\usb#phone", list.GetAt(0)->shellPath);
        EXPECT_STREQ(L"", list.GetAt(1)->friendlyName); // unreadable, the device stays
        EXPECT_EQ(list.ClassIcon(), list.GetAt(1)->icon);
        HICON icon = list.ClassIcon();

        // A second enumeration: only its devices live; the class icon is the same one.
        g_devices.resize(1);
        EXPECT_EQ(1, list.EnumPortableDevices());
        EXPECT_EQ(before + 1, CWPDDevice::LiveRecords());
        EXPECT_EQ(icon, list.ClassIcon());

        // A failure other than "no more items" ends the loop at once.
        g_devices.assign(3, g_devices[0]);
        g_failAt = 1;
        g_enumCalls = 0;
        EXPECT_EQ(1, list.EnumPortableDevices());
        EXPECT_EQ(2, g_enumCalls);
        g_failAt = -1;
    }
    EXPECT_EQ(before, CWPDDevice::LiveRecords());
}

TEST(PortableDevices, TheSystemListsNoneHere)
{
    CWPDDeviceList list;
    EXPECT_EQ(0, list.EnumPortableDevices());
    EXPECT_EQ(0, list.GetCount());
}

#include "PortableDevices.h"
#include <vector>

// {EEC5AD98-8080-425F-922A-DABF3DE3F69A}
const GUID PortableDeviceClass = {0xEEC5AD98, 0x8080, 0x425F, {0x92, 0x2A, 0xDA, 0xBF, 0x3D, 0xE3, 0xF6, 0x9A}};

LONG CWPDDevice::s_live = 0;

namespace {

// {A5DCBF10-6530-11D2-901F-00C04FB951ED}: USB devices.
const GUID UsbDeviceInterface = {0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};

const DeviceSetupSource SystemSetup = {SetupDiLoadClassIcon, SetupDiGetClassDevsW, SetupDiEnumDeviceInterfaces,
                                       SetupDiGetDeviceInterfaceDetailW, SetupDiGetDeviceRegistryPropertyW,
                                       SetupDiDestroyDeviceInfoList};

// A string property, empty when it cannot be read; the buffer keeps its last
// character for the terminator.
CString ReadProperty(const DeviceSetupSource& source, HDEVINFO set, SP_DEVINFO_DATA& info, DWORD property,
                     DWORD bytes)
{
    std::vector<WCHAR> buffer(bytes / sizeof(WCHAR), 0);
    if (!source.getProperty(set, &info, property, nullptr, reinterpret_cast<BYTE*>(buffer.data()),
                            bytes - sizeof(WCHAR), nullptr))
        return CString();
    return CString(buffer.data());
}

} // namespace

const DeviceSetupSource& SystemDeviceSetupSource()
{
    return SystemSetup;
}

CWPDDeviceList::~CWPDDeviceList()
{
    ClearDevices();
    if (m_icon)
        DestroyIcon(m_icon);
}

void CWPDDeviceList::ClearDevices()
{
    for (INT_PTR i = 0; i < m_devices.GetSize(); ++i)
        delete m_devices.GetAt(i);
    m_devices.RemoveAll();
}

int CWPDDeviceList::EnumPortableDevices()
{
    ClearDevices();
    if (!m_iconTried) {
        m_iconTried = true;
        if (!m_source->loadClassIcon(&PortableDeviceClass, &m_icon, nullptr))
            m_icon = nullptr;
    }
    HDEVINFO set = m_source->getClassDevs(&UsbDeviceInterface, nullptr, nullptr,
                                          DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE || !set)
        return 0;
    int count = 0;
    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA data = {sizeof data};
        // Any failure ends the enumeration: a failing index fails again.
        if (!m_source->enumInterfaces(set, nullptr, &UsbDeviceInterface, index, &data))
            break;
        DWORD needed = 0;
        m_source->getInterfaceDetail(set, &data, nullptr, 0, &needed, nullptr);
        if (needed < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W))
            continue;
        auto* detail = static_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(
            HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, needed));
        if (!detail)
            continue;
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        SP_DEVINFO_DATA info = {sizeof info};
        if (m_source->getInterfaceDetail(set, &data, detail, needed, nullptr, &info)) {
            CString hardwareId = ReadProperty(*m_source, set, info, SPDRP_HARDWAREID, 2048);
            CString description = ReadProperty(*m_source, set, info, SPDRP_DEVICEDESC, 2048);
            CString friendlyName = ReadProperty(*m_source, set, info, SPDRP_FRIENDLYNAME, 512);
            if (IsEqualGUID(info.ClassGuid, PortableDeviceClass)) {
                CWPDDevice* device = new CWPDDevice;
                device->hardwareId = hardwareId;
                device->description = description;
                device->friendlyName = friendlyName;
                device->devicePath = detail->DevicePath;
                device->shellPath.Format(L"::%s\\%s", ComputerFolderId, detail->DevicePath);
                device->icon = m_icon;
                m_devices.Add(device);
                ++count;
            }
        }
        HeapFree(GetProcessHeap(), 0, detail);
    }
    m_source->destroyList(set);
    return count;
}

// The USB printer class through SetupAPI. SetupDiGetClassDevsW with the interface class
// GUID_DEVINTERFACE_USBPRINT {28D78FAD-5A12-11D1-AE5B-0000F803A8C2} and DIGCF_PRESENT |
// DIGCF_DEVICEINTERFACE lists the present interfaces; SetupDiEnumDeviceInterfaces walks
// them by index until ERROR_NO_MORE_ITEMS; SetupDiGetDeviceInterfaceDetailW, asked first
// for its size (it fails with ERROR_INSUFFICIENT_BUFFER and reports it), gives the device
// path and the device's information record. Only a device whose service property
// (SPDRP_SERVICE) is "usbprint" is kept: the other interfaces of a composite device are
// not the printer. "Port Number" is a REG_DWORD of the interface's registry key
// (SetupDiOpenDevRegKey is for the device; the interface key is opened with
// SetupDiOpenDeviceInterfaceRegKey, KEY_READ); a device without it has port 0. The
// location is the device's SPDRP_LOCATION_INFORMATION text. The device id comes from
// IOCTL_USBPRINT_GET_1284_ID (0x220034) on the device opened with the overlapped form of
// platform/DeviceFile.h's opening, into a buffer of at most 4094 bytes (larger ones fail
// on some printers); its answer has the same length prefix as the Linux ioctl's.
//
// This enumeration cannot run under Wine, which has no usbprint driver: it is checked
// line by line against the documentation of these SetupAPI functions, of
// SP_DEVICE_INTERFACE_DETAIL_DATA_W (cbSize is the size of the fixed part, 8 on 64-bit
// Windows) and of the usbprint IOCTL.
#include "platform/UsbPrinterClass.h"

#include "platform/DeviceIdText.h"

#include "platform/windows/WinText.h"

#include <initguid.h>
#include <setupapi.h>

#include <cwchar>
#include <vector>

namespace plintor::platform {

namespace {

// {28D78FAD-5A12-11D1-AE5B-0000F803A8C2}
const GUID kUsbPrintInterface = {0x28d78fad, 0x5a12, 0x11d1, {0xae, 0x5b, 0x00, 0x00, 0xf8, 0x03, 0xa8, 0xc2}};

constexpr DWORD kGet1284IdIoctl = 0x220034;   // CTL_CODE(FILE_DEVICE_UNKNOWN, 13, METHOD_BUFFERED, FILE_ANY_ACCESS)
constexpr DWORD kDeviceIdBufferBytes = 4094;
constexpr DWORD kDeviceIdWaitMs = 2000;

// A registry text property of the device (REG_SZ), empty when it has none.
std::wstring TextProperty(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property)
{
    DWORD type = 0;
    DWORD size = 0;
    SetupDiGetDeviceRegistryPropertyW(set, &device, property, &type, nullptr, 0, &size);
    if (size == 0 || GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return {};
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    if (!SetupDiGetDeviceRegistryPropertyW(set, &device, property, &type, reinterpret_cast<BYTE*>(buffer.data()),
                                           size, nullptr)
        || (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    return std::wstring(buffer.data());   // up to the terminator
}

DWORD PortNumber(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& interfaceData)
{
    HKEY key = SetupDiOpenDeviceInterfaceRegKey(set, &interfaceData, 0, KEY_READ);
    if (key == INVALID_HANDLE_VALUE)
        return 0;
    DWORD port = 0;
    DWORD type = 0;
    DWORD size = sizeof port;
    if (RegQueryValueExW(key, L"Port Number", nullptr, &type, reinterpret_cast<BYTE*>(&port), &size) != ERROR_SUCCESS
        || type != REG_DWORD || size != sizeof port)
        port = 0;
    RegCloseKey(key);
    return port;
}

}

bool device_id::RealDeviceIdIoctl(NativeFile device, std::string& raw)
{
    windows::ScopedHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!event)
        return false;
    std::vector<char> buffer(kDeviceIdBufferBytes, '\0');
    OVERLAPPED overlapped{};
    overlapped.hEvent = event.Get();
    DWORD got = 0;
    BOOL done = DeviceIoControl(device, kGet1284IdIoctl, nullptr, 0, buffer.data(), kDeviceIdBufferBytes, nullptr,
                                &overlapped);
    if (!done && GetLastError() != ERROR_IO_PENDING)
        return false;
    if (!done && WaitForSingleObject(event.Get(), kDeviceIdWaitMs) != WAIT_OBJECT_0) {
        CancelIoEx(device, &overlapped);
        GetOverlappedResult(device, &overlapped, &got, TRUE);
        return false;
    }
    if (!GetOverlappedResult(device, &overlapped, &got, FALSE))
        return false;
    raw.assign(buffer.data(), got);
    return true;
}

std::vector<UsbPrinterNode> ListUsbPrinters(const UsbRoots& roots)
{
    std::vector<UsbPrinterNode> nodes;
    HDEVINFO set = SetupDiGetClassDevsW(&kUsbPrintInterface, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE)
        return nodes;
    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA interfaceData{};
        interfaceData.cbSize = sizeof interfaceData;
        if (!SetupDiEnumDeviceInterfaces(set, nullptr, &kUsbPrintInterface, index, &interfaceData))
            break;   // ERROR_NO_MORE_ITEMS, or the walk cannot go on
        DWORD size = 0;
        SetupDiGetDeviceInterfaceDetailW(set, &interfaceData, nullptr, 0, &size, nullptr);
        if (size == 0 || GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            continue;
        std::vector<ULONG_PTR> buffer((size + sizeof(ULONG_PTR) - 1) / sizeof(ULONG_PTR));
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof device;
        if (!SetupDiGetDeviceInterfaceDetailW(set, &interfaceData, detail, size, nullptr, &device))
            continue;
        if (_wcsicmp(TextProperty(set, device, SPDRP_SERVICE).c_str(), L"usbprint") != 0)
            continue;
        UsbPrinterNode node;
        node.minor = static_cast<unsigned>(PortNumber(set, interfaceData)) - 1u;
        node.devicePath = windows::AnsiFromWide(detail->DevicePath);
        node.location = windows::AnsiFromWide(TextProperty(set, device, SPDRP_LOCATION_INFORMATION));
        HANDLE opened = CreateFileW(detail->DevicePath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
        if (opened != INVALID_HANDLE_VALUE) {
            node.deviceId = ReadDeviceIdIoctl(opened, roots);
            CloseHandle(opened);
        }
        nodes.push_back(std::move(node));
    }
    SetupDiDestroyDeviceInfoList(set);
    return nodes;
}

}

#pragma once

#include "platform/NativeHandles.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace plintor::platform {

// Where the USB printer class lives. The system's are "/sys" and "/dev"; tests and the
// stand-in printer hand a fake tree (a folder with sys/ and dev/ inside).
//
// Layout read below `sysRoot`:
//   class/usbmisc/lpN                 one entry per usblp device (N = minor number)
//   class/usbmisc/lpN/device          link to the USB interface, e.g. .../1-1.2:1.0
//   class/usbmisc/lpN/device/driver   link whose last name is "usblp" (printer class only)
//   class/usbmisc/lpN/device/ieee1284_id   the IEEE 1284 device id text
// and below `devRoot`: usb/lpN, the device file.
//
// The Windows form has no such tree: it enumerates the present interfaces of the USB
// printer class (GUID_DEVINTERFACE_USBPRINT) through SetupAPI, keeps those whose device's
// service is "usbprint", and ignores `sysRoot` and `devRoot`. Its texts are in the ANSI
// code page, as the narrow file functions take them.
struct UsbRoots {
    std::string sysRoot = "/sys";
    std::string devRoot = "/dev";
    // Reads the raw LPIOC_GET_DEVICE_ID answer (2-byte length, then the id) of an open
    // device, for devices whose sysfs entry has no ieee1284_id file. Empty: the real ioctl.
    std::function<bool(NativeFile fd, std::string& raw)> deviceIdIoctl;
};

// One USB printer-class device. Its printer port is "USB%03u" of minor + 1 (unsigned: on
// Windows minor is the interface's "Port Number" less one, so that a device without that
// value, port 0, has minor UINT_MAX).
struct UsbPrinterNode {
    unsigned minor = 0;      // N of lpN
    std::string devicePath;  // devRoot + "/usb/lpN"; on Windows the device interface path
    std::string location;    // the USB bus/port path of the device, e.g. "1-1.2"; on Windows
                             // the device's location information (SPDRP_LOCATION_INFORMATION)
    std::string deviceId;    // IEEE 1284 id ("MFG:...;MDL:...;"), empty if unreadable
};

// The usblp devices below the roots, by minor number. Entries whose interface is not bound
// to the usblp driver (not the printer class) are left out. On Windows: the devices in the
// enumeration's order.
std::vector<UsbPrinterNode> ListUsbPrinters(const UsbRoots& roots);

// The id text of a raw LPIOC_GET_DEVICE_ID answer. Its first two bytes are the length of
// the whole answer (length bytes included), big-endian by the standard but little-endian on
// some printers: a length that does not fit the answer is read the other way round; when
// neither fits, the id runs to the first NUL or the end of the answer.
std::string ParseDeviceIdAnswer(std::span<const unsigned char> raw);

// The device id of an open device through the ioctl (on Windows IOCTL_USBPRINT_GET_1284_ID,
// whose answer has the same form), or the injected reader.
std::string ReadDeviceIdIoctl(NativeFile fd, const UsbRoots& roots);

}

#pragma once

// Ids of the dialog templates and pictures that the program's resources hold.

namespace plintor {

inline constexpr int IDD_WIZARD = 30001;             // the frame, no controls of its own
inline constexpr int IDD_WELCOME = 30006;            // page 0
inline constexpr int IDD_SELECT_METHOD = 30007;      // page 1
inline constexpr int IDD_CONNECT = 30008;            // page 2, plug in the USB cable
inline constexpr int IDD_DISCONNECT = 30009;         // page 3, leave one printer connected
inline constexpr int IDD_SELECT_PRINTER = 30010;     // page 4
inline constexpr int IDD_WIRELESS_SETTING = 30018;   // page 5
inline constexpr int IDD_IP_SETTING = 30003;         // page 6
inline constexpr int IDD_FAX_SETTING = 30012;        // page 7
inline constexpr int IDD_CHECK_FAX_SETTING = 30016;  // page 8
inline constexpr int IDD_CONFIRM_CONFIG = 30014;     // page 9
inline constexpr int IDD_COMPLETE = 30015;           // page 10
inline constexpr int IDD_SELECT_AP = 30017;          // page 11
inline constexpr int IDD_ENTER_AP_PWD = 30013;       // page 12
inline constexpr int IDD_FIXED_SSID_WL_SETTING = 30019;  // page 13
inline constexpr int IDD_CONNECT_COM = 153;          // page 14, network cable check
inline constexpr int IDD_WAIT = 137;                 // "please wait" popup
inline constexpr int IDD_ENTER_IP = 30011;           // printer address entry

// Size of the frame and of every page template, in dialog units.
inline constexpr int PAGE_WIDTH = 422;
inline constexpr int PAGE_HEIGHT = 325;

// Pictures.
inline constexpr int IDI_PROGRAM = 128;              // program icon
inline constexpr int IDB_METHOD_NETWORK = 133;       // method page, printer on the network
inline constexpr int IDB_METHOD_USB = 134;           // method page, printer on a USB cable
inline constexpr int IDB_CONNECT_USB = 135;          // cable page, plugging in the cable
inline constexpr int IDB_DISCONNECT = 138;           // disconnect page, one printer of several
inline constexpr int IDB_BANNER_BACK = 146;          // banner background, stretched
inline constexpr int IDB_BANNER_LEFT = 147;          // banner left image
inline constexpr int IDB_BANNER_RIGHT = 148;         // banner right image
inline constexpr int IDB_NETWORK_CABLE = 151;        // network check page, the cable
inline constexpr int IDB_NETWORK_PRINTER = 152;      // network check page, the printer's port

}

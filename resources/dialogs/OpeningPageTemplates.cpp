// Layouts of the pages that come before the printer is chosen: welcome, method, the two
// cable pages and the network check.

#include "resources/dialogs/TemplateBuilder.h"

#include "resources/dialogs/ConnectComIds.h"
#include "resources/dialogs/ConnectIds.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DisconnectIds.h"
#include "resources/dialogs/SelectMethodIds.h"
#include "resources/dialogs/WelcomeIds.h"

namespace plintor::dialogs {

namespace {

void SetTexts(DialogTemplate& page, const char* title, const char* sideTitle, const char* sideMessage)
{
    for (ControlTemplate& c : page.controls) {
        if (c.id == IDC_PAGE_TITLE)
            c.text = title;
        else if (c.id == IDC_SIDE_TITLE && sideTitle)
            c.text = sideTitle;
        else if (c.id == IDC_SIDE_MESSAGE && sideMessage)
            c.text = sideMessage;
    }
}

// A picture in the middle of a page without a side bar, below its message.
constexpr Rect CENTRED_PICTURE = {131, 158, 160, 120};

}

DialogTemplate WelcomeTemplate()
{
    DialogTemplate page = PageTemplate(IDD_WELCOME, SideBar::With);
    SetTexts(page, "Select Configuration", "Welcome!",
             "Welcome to Plintor.\n\nPlease select the type of configuration you want to set to printer.");
    auto& c = page.controls;
    c.push_back(Control(IDC_WELCOME_IP, ControlKind::RadioButton, {25, 107, 250, LINE_HEIGHT},
                        "&IP Configuration", StyleGroup));
    c.push_back(Label(IDC_WELCOME_IP_TEXT, {37, 121, 240, LABEL_HEIGHT}, "Configure the IP address settings."));
    c.push_back(Control(IDC_WELCOME_WIRELESS, ControlKind::RadioButton, {25, 143, 250, LINE_HEIGHT},
                        "&Wireless Configuration"));
    c.push_back(Label(IDC_WELCOME_WIRELESS_TEXT, {37, 157, 240, LABEL_HEIGHT},
                      "Configure the wireless network settings."));
    c.push_back(Control(IDC_WELCOME_FAX, ControlKind::RadioButton, {25, 179, 250, LINE_HEIGHT},
                        "&FAX Configuration"));
    c.push_back(Label(IDC_WELCOME_FAX_TEXT, {37, 193, 240, LABEL_HEIGHT}, "Configure the FAX settings."));
    AddPageButtons(page, PageButtons::NextCancel);
    return page;
}

DialogTemplate SelectMethodTemplate()
{
    DialogTemplate page = PageTemplate(IDD_SELECT_METHOD, SideBar::With);
    SetTexts(page, "Is your printer connected to network now?", "Network Connection",
             "Confirm the printer is not printing or an error is not occurring before using this utility.");
    auto& c = page.controls;
    c.push_back(Control(IDC_METHOD_NETWORK, ControlKind::RadioButton, {25, 105, 250, LINE_HEIGHT}, "&Yes",
                        StyleGroup));
    c.push_back(Label(IDC_METHOD_NETWORK_TEXT, {125, 122, 155, 60}, ""));
    c.push_back(Control(IDC_METHOD_USB, ControlKind::RadioButton, {25, 196, 250, LINE_HEIGHT}, "N&o"));
    c.push_back(Label(IDC_METHOD_USB_TEXT, {125, 213, 155, 60}, ""));
    c.push_back(Picture(IDC_UNADDRESSED, {37, 120, 80, 64}, IDB_METHOD_NETWORK));
    c.push_back(Picture(IDC_UNADDRESSED, {37, 211, 80, 64}, IDB_METHOD_USB));
    AddPageButtons(page);
    return page;
}

DialogTemplate ConnectTemplate()
{
    DialogTemplate page = PageTemplate(IDD_CONNECT, SideBar::Without);
    SetTexts(page, "Connecting to a computer", nullptr, nullptr);
    page.controls.push_back(Label(IDC_CONNECT_MESSAGE, {15, 100, 395, 50},
                                  "To configure the printer, connect the printer to your computer with USB "
                                  "cable.\n\nClick \"Cancel\", if Windows \"Found New Hardware\" screen appears."));
    page.controls.push_back(Picture(IDC_UNADDRESSED, CENTRED_PICTURE, IDB_CONNECT_USB));
    AddPageButtons(page);
    return page;
}

DialogTemplate DisconnectTemplate()
{
    DialogTemplate page = PageTemplate(IDD_DISCONNECT, SideBar::Without);
    SetTexts(page, "Disconnect printer from Computer", nullptr, nullptr);
    page.controls.push_back(Label(IDC_DISCONNECT_MESSAGE, {15, 100, 395, 50},
                                  "Plintor detects some printers.\n\nConnect to your computer temporarily to "
                                  "configure only one printer."));
    page.controls.push_back(Picture(IDC_UNADDRESSED, CENTRED_PICTURE, IDB_DISCONNECT));
    AddPageButtons(page);
    return page;
}

DialogTemplate ConnectComTemplate()
{
    DialogTemplate page = PageTemplate(IDD_CONNECT_COM, SideBar::Without);
    auto& c = page.controls;
    c.push_back(Label(IDC_CONNECT_COM_TITLE, {15, 99, 395, 20}, "Check network connection"));
    c.push_back(Label(IDC_CONNECT_COM_MESSAGE, {15, 124, 395, 24},
                      "Connect a network cable, if the cable is not connected to the printer."));
    c.push_back(Picture(IDC_UNADDRESSED, {71, 158, 130, 120}, IDB_NETWORK_CABLE));
    c.push_back(Picture(IDC_UNADDRESSED, {221, 158, 130, 120}, IDB_NETWORK_PRINTER));
    AddPageButtons(page);
    return page;
}

}

// Layouts of the printer selection page, the address entry dialog and the wait popup.

#include "resources/dialogs/TemplateBuilder.h"

#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/EnterIpIds.h"
#include "resources/dialogs/SelectPrinterIds.h"
#include "resources/dialogs/WaitIds.h"

namespace plintor::dialogs {

namespace {

void SetText(DialogTemplate& page, int id, const char* text)
{
    for (ControlTemplate& c : page.controls)
        if (c.id == id)
            c.text = text;
}

}

DialogTemplate SelectPrinterTemplate()
{
    DialogTemplate page = PageTemplate(IDD_SELECT_PRINTER, SideBar::With);
    SetText(page, IDC_PAGE_TITLE, "Select Printer");
    SetText(page, IDC_SIDE_TITLE, "Select Printer");
    SetText(page, IDC_SIDE_MESSAGE,
            "Select the printer to be configured. If the printer for configuration is not displayed, check "
            "the following items.\n\xC2\xB7 Is the cable connected to the computer or network?\n\xC2\xB7 Is "
            "the printer switched on?\nClick the [Refresh] or [Enter IP Address] button.");
    auto& c = page.controls;
    c.push_back(Control(IDC_PRINTER_GROUP, ControlKind::GroupBox, {CONTENT_LEFT, CONTENT_TOP, 268, 190},
                        "&Printer"));
    c.push_back(Control(IDC_PRINTER_LIST, ControlKind::ListView, {23, 110, 252, 132}, {}, StyleGroup));
    c.push_back(Control(IDC_USE_IPV6, ControlKind::CheckBox, {23, 248, 120, LINE_HEIGHT}, "Use &IPv6",
                        StyleDisabled));
    c.push_back(Control(IDC_PRINTER_REFRESH, ControlKind::PushButton, {23, 266, 60, BUTTON_HEIGHT},
                        "&Refresh"));
    c.push_back(Control(IDC_ENTER_IP_ADDRESS, ControlKind::PushButton, {89, 266, 80, BUTTON_HEIGHT},
                        "&Enter IP Address"));
    AddPageButtons(page);
    return page;
}

DialogTemplate EnterIpTemplate()
{
    DialogTemplate dialog;
    dialog.id = IDD_ENTER_IP;
    dialog.cx = 200;
    dialog.cy = 78;
    dialog.child = false;
    dialog.caption = "Enter IP Address";
    auto& c = dialog.controls;
    c.push_back(Label(IDC_ENTER_IP_PROMPT, {7, 7, 186, 20}, "Enter the existing IP address for the printer."));
    c.push_back(Label(IDC_ENTER_IP_LABEL, {7, 33, 50, LABEL_HEIGHT}, "&IP Address:"));
    c.push_back(Edit(IDC_ENTER_IP_EDIT, {60, 31, 133, FIELD_HEIGHT}, ENTER_IP_MAX_CHARS, StyleGroup));
    c.push_back(Control(IDC_ENTER_IP_OK, ControlKind::DefaultPushButton, {89, 57, 50, BUTTON_HEIGHT}, "OK",
                        StyleGroup));
    c.push_back(Control(IDC_ENTER_IP_CANCEL, ControlKind::PushButton, {143, 57, 50, BUTTON_HEIGHT}, "Cancel"));
    return dialog;
}

DialogTemplate WaitTemplate()
{
    DialogTemplate dialog;
    dialog.id = IDD_WAIT;
    dialog.cx = 187;
    dialog.cy = 44;
    dialog.child = false;
    dialog.caption = "Plintor";
    dialog.controls.push_back(Label(IDC_WAIT_MESSAGE, {7, 7, 173, 30}, "", StyleCenter));
    return dialog;
}

}

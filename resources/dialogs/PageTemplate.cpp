#include "resources/dialogs/TemplateBuilder.h"

#include "resources/dialogs/CommonPageIds.h"
#include "resources/dialogs/DialogIds.h"

namespace plintor::dialogs {

namespace {

// Banner pictures: the background is stretched to the page width when the page starts,
// the right picture is moved to the right edge; these are their sizes in the template.
constexpr int BANNER_HEIGHT = 48;
constexpr int BANNER_LEFT_WIDTH = 90;
constexpr int BANNER_RIGHT_WIDTH = 80;

}

DialogTemplate PageTemplate(int id, SideBar sideBar)
{
    DialogTemplate page;
    page.id = id;
    page.cx = PAGE_WIDTH;
    page.cy = PAGE_HEIGHT;
    page.child = true;
    page.caption = "XXX";

    // Later controls paint over earlier ones: the banner background comes first.
    page.controls.push_back(Picture(IDC_BANNER_BACK, {0, 0, PAGE_WIDTH, BANNER_HEIGHT}, IDB_BANNER_BACK));
    page.controls.push_back(Picture(IDC_BANNER_LEFT, {0, 0, BANNER_LEFT_WIDTH, BANNER_HEIGHT}, IDB_BANNER_LEFT));
    page.controls.push_back(Picture(IDC_BANNER_RIGHT,
                                    {PAGE_WIDTH - BANNER_RIGHT_WIDTH, 0, BANNER_RIGHT_WIDTH, BANNER_HEIGHT},
                                    IDB_BANNER_RIGHT));
    page.controls.push_back(Label(IDC_BANNER_TEXT, {95, 10, 240, 25}, ""));
    page.controls.push_back(Label(IDC_FLOW_TITLE, {15, 55, 395, 20}, "Configure Printer"));
    page.controls.push_back(Label(IDC_PAGE_TITLE, {15, 77, 395, 20}, ""));
    if (sideBar == SideBar::With) {
        page.controls.push_back(Control(IDC_UNADDRESSED, ControlKind::GroupBox, {290, 97, 125, 190}));
        page.controls.push_back(Label(IDC_SIDE_TITLE, {295, 107, 115, 20}, ""));
        page.controls.push_back(Label(IDC_SIDE_MESSAGE, {295, 132, 115, 150}, ""));
    }
    return page;
}

void AddPageButtons(DialogTemplate& page, PageButtons buttons)
{
    page.controls.push_back(Control(IDC_SEPARATOR, ControlKind::EtchedLine, {0, 297, PAGE_WIDTH, 1}));
    std::uint32_t first = StyleGroup;
    if (buttons == PageButtons::BackNextCancel) {
        page.controls.push_back(Control(IDC_BACK, ControlKind::PushButton, {250, 304, 50, BUTTON_HEIGHT},
                                        "< &Back", first));
        first = StyleNone;
    }
    page.controls.push_back(Control(IDC_NEXT, ControlKind::DefaultPushButton, {299, 304, 50, BUTTON_HEIGHT},
                                    "&Next >", first));
    if (buttons != PageButtons::NextOnly)
        page.controls.push_back(Control(IDC_CANCEL, ControlKind::PushButton, {356, 304, 50, BUTTON_HEIGHT},
                                        "Cancel"));
}

DialogTemplate WizardFrameTemplate()
{
    DialogTemplate frame;
    frame.id = IDD_WIZARD;
    frame.cx = PAGE_WIDTH;
    frame.cy = PAGE_HEIGHT;
    frame.child = false;
    frame.caption = "Plintor";
    return frame;
}

}

// Layouts of the FAX pages, the confirmation page and the completion page.

#include "resources/dialogs/TemplateBuilder.h"

#include "resources/dialogs/CheckFaxSettingIds.h"
#include "resources/dialogs/CompleteIds.h"
#include "resources/dialogs/ConfirmConfigIds.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/FaxSettingIds.h"

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

struct FaxRow {
    int label, field, help;
    const char* text;
    ControlKind kind;
    int limit;
    std::uint32_t style;
};

const FaxRow FAX_ROWS[] = {
    {IDC_FAX_REGION_LABEL, IDC_FAX_REGION, IDC_FAX_REGION_HELP, "&Region:", ControlKind::ComboBox, 0, StyleSorted},
    {IDC_FAX_LINE_TYPE_LABEL, IDC_FAX_LINE_TYPE, IDC_FAX_LINE_TYPE_HELP, "&Line Type:", ControlKind::ComboBox, 0,
     StyleNone},
    {IDC_FAX_DIAL_TYPE_LABEL, IDC_FAX_DIAL_TYPE, IDC_FAX_DIAL_TYPE_HELP, "D&ial Type:", ControlKind::ComboBox, 0,
     StyleNone},
    {IDC_FAX_RECEIVE_MODE_LABEL, IDC_FAX_RECEIVE_MODE, IDC_FAX_RECEIVE_MODE_HELP, "R&eceive Mode:",
     ControlKind::ComboBox, 0, StyleNone},
    {IDC_FAX_DRPD_LABEL, IDC_FAX_DRPD, IDC_FAX_DRPD_HELP, "&DRPD Pattern:", ControlKind::ComboBox, 0, StyleNone},
    {IDC_FAX_COMPANY_LABEL, IDC_FAX_COMPANY, IDC_FAX_COMPANY_HELP, "C&ompany Name:", ControlKind::Edit,
     FAX_COMPANY_MAX_CHARS, StyleNone},
    {IDC_FAX_NUMBER_LABEL, IDC_FAX_NUMBER, IDC_FAX_NUMBER_HELP, "F&ax Number:", ControlKind::Edit,
     FAX_NUMBER_MAX_CHARS, StyleNone},
};

// The seven label, field and "What's this?" rows of both FAX pages, from `top` down.
void AddFaxRows(DialogTemplate& page, int labelX, int fieldX, int fieldWidth, int linkX, int top, int step)
{
    int y = top;
    for (const FaxRow& row : FAX_ROWS) {
        page.controls.push_back(Label(row.label, {labelX, y + LABEL_OFFSET, fieldX - labelX - 3, LABEL_HEIGHT},
                                      row.text));
        ControlTemplate field = Control(row.field, row.kind, {fieldX, y, fieldWidth, FIELD_HEIGHT}, {},
                                        row.style | StyleGroup);
        field.limit = row.limit;
        page.controls.push_back(field);
        page.controls.push_back(Link(row.help, linkX, y + 1));
        y += step;
    }
}

}

DialogTemplate FaxSettingTemplate()
{
    DialogTemplate page = PageTemplate(IDD_FAX_SETTING, SideBar::With);
    SetTexts(page, "FAX Settings", "FAX Settings",
             "Configure the FAX settings.\n\nThe values of each item are retrieved from your printer.");
    AddFaxRows(page, CONTENT_LEFT, 88, 125, 218, 102, 24);
    AddPageButtons(page);
    return page;
}

DialogTemplate CheckFaxSettingTemplate()
{
    DialogTemplate page = PageTemplate(IDD_CHECK_FAX_SETTING, SideBar::With);
    SetTexts(page, "FAX Settings", "FAX Settings",
             "Configure the FAX settings.\n\nThe values of each item are retrieved from your printer.\n\nIf "
             "you will not use FAX functionality, check the \"I don\xE2\x80\x99t use FAX functionality\" "
             "checkbox and click \"Next\".");
    page.controls.push_back(Control(IDC_FAX_NOT_USED, ControlKind::CheckBox, {CONTENT_LEFT, 99, 260, LINE_HEIGHT},
                                    "&I don\xE2\x80\x99t use FAX functionality", StyleGroup));
    page.controls.push_back(Control(IDC_FAX_GROUP, ControlKind::GroupBox, {CONTENT_LEFT, 115, 268, 172},
                                    "FAX Settings"));
    AddFaxRows(page, 25, 92, 120, 218, 130, 22);
    AddPageButtons(page);
    return page;
}

DialogTemplate ConfirmConfigTemplate()
{
    DialogTemplate page = PageTemplate(IDD_CONFIRM_CONFIG, SideBar::With);
    SetTexts(page, "Confirm the settings", "Confirm Settings", "Please confirm your settings.");
    auto& c = page.controls;
    c.push_back(Edit(IDC_CONFIRM_SUMMARY, {CONTENT_LEFT, CONTENT_TOP, 268, 162}, 0,
                     StyleMultiLine | StyleReadOnly | StyleVScroll | StyleGroup));
    c.push_back(Label(IDC_PANEL_LANGUAGE_LABEL, {CONTENT_LEFT, 272, 75, LABEL_HEIGHT}, "&Panel Language:"));
    c.push_back(Control(IDC_PANEL_LANGUAGE, ControlKind::ComboBox, {95, 270, 150, FIELD_HEIGHT}, {},
                        StyleSorted | StyleGroup));
    AddPageButtons(page);
    for (ControlTemplate& control : c)
        if (control.id == IDC_NEXT)
            control.text = "&Apply";
    return page;
}

DialogTemplate CompleteTemplate()
{
    DialogTemplate page = PageTemplate(IDD_COMPLETE, SideBar::Without);
    SetTexts(page, "Complete configuration", nullptr, nullptr);
    auto& c = page.controls;
    c.push_back(Label(IDC_COMPLETE_UPPER, {CONTENT_LEFT, 100, 395, 105}, ""));
    // Both buttons occupy the same place; the page shows at most one of them.
    c.push_back(Control(IDC_PRINT_SETTINGS, ControlKind::PushButton, {CONTENT_LEFT, 210, 110, BUTTON_HEIGHT},
                        "&Print Printer Setting", StyleHidden | StyleGroup));
    c.push_back(Control(IDC_SET_ANOTHER, ControlKind::PushButton, {CONTENT_LEFT, 210, 110, BUTTON_HEIGHT},
                        "&Set another printer", StyleHidden | StyleGroup));
    c.push_back(Label(IDC_COMPLETE_LOWER, {CONTENT_LEFT, 232, 395, 58}, ""));
    AddPageButtons(page, PageButtons::NextOnly);
    for (ControlTemplate& control : c)
        if (control.id == IDC_NEXT)
            control.text = "Finish";
    return page;
}

}

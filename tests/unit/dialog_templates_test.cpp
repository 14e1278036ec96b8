// The dialog layouts against the id headers that page code uses: every named control
// exists exactly once with the right kind, nothing unnamed carries an id, the common page
// controls sit at their fixed places and the limits match the fields' rules.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "resources/dialogs/CheckFaxSettingIds.h"
#include "resources/dialogs/CompleteIds.h"
#include "resources/dialogs/ConfirmConfigIds.h"
#include "resources/dialogs/ConnectComIds.h"
#include "resources/dialogs/ConnectIds.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "resources/dialogs/DisconnectIds.h"
#include "resources/dialogs/EnterApPwdIds.h"
#include "resources/dialogs/EnterIpIds.h"
#include "resources/dialogs/FaxSettingIds.h"
#include "resources/dialogs/FixedSsidWlSettingIds.h"
#include "resources/dialogs/IpSettingIds.h"
#include "resources/dialogs/SelectApIds.h"
#include "resources/dialogs/SelectMethodIds.h"
#include "resources/dialogs/SelectPrinterIds.h"
#include "resources/dialogs/WaitIds.h"
#include "resources/dialogs/WelcomeIds.h"
#include "resources/dialogs/WirelessSettingIds.h"

namespace plintor {
namespace {

using K = ControlKind;
using Expected = std::vector<std::pair<int, ControlKind>>;

const Expected BANNER_AND_TITLES = {
    {IDC_BANNER_BACK, K::Bitmap}, {IDC_BANNER_LEFT, K::Bitmap}, {IDC_BANNER_RIGHT, K::Bitmap},
    {IDC_BANNER_TEXT, K::Static}, {IDC_FLOW_TITLE, K::Static},  {IDC_PAGE_TITLE, K::Static},
    {IDC_SEPARATOR, K::EtchedLine}, {IDC_NEXT, K::DefaultPushButton},
};
const Expected SIDE_BAR = {{IDC_SIDE_TITLE, K::Static}, {IDC_SIDE_MESSAGE, K::Static}};
const Expected BACK_CANCEL = {{IDC_BACK, K::PushButton}, {IDC_CANCEL, K::PushButton}};

const Expected WIRELESS_SHARED = {
    {IDC_WL_TYPE_GROUP, K::GroupBox},     {IDC_WL_INFRASTRUCTURE, K::RadioButton},
    {IDC_WL_ADHOC, K::RadioButton},       {IDC_WL_TYPE_HELP, K::LinkButton},
    {IDC_WL_SECURITY_GROUP, K::GroupBox}, {IDC_WL_SECURITY_LABEL, K::Static},
    {IDC_WL_SECURITY, K::ComboBox},       {IDC_WL_KEY_INDEX_LABEL, K::Static},
    {IDC_WL_KEY_INDEX, K::ComboBox},      {IDC_WL_KEY_LABEL, K::Static},
    {IDC_WL_KEY, K::Edit},                {IDC_WL_SECURITY_HELP, K::LinkButton},
    {IDC_WL_SSID_LABEL, K::Static},
};

const Expected FAX_SHARED = {
    {IDC_FAX_REGION_LABEL, K::Static},       {IDC_FAX_REGION, K::ComboBox},       {IDC_FAX_REGION_HELP, K::LinkButton},
    {IDC_FAX_LINE_TYPE_LABEL, K::Static},    {IDC_FAX_LINE_TYPE, K::ComboBox},    {IDC_FAX_LINE_TYPE_HELP, K::LinkButton},
    {IDC_FAX_DIAL_TYPE_LABEL, K::Static},    {IDC_FAX_DIAL_TYPE, K::ComboBox},    {IDC_FAX_DIAL_TYPE_HELP, K::LinkButton},
    {IDC_FAX_RECEIVE_MODE_LABEL, K::Static}, {IDC_FAX_RECEIVE_MODE, K::ComboBox}, {IDC_FAX_RECEIVE_MODE_HELP, K::LinkButton},
    {IDC_FAX_DRPD_LABEL, K::Static},         {IDC_FAX_DRPD, K::ComboBox},         {IDC_FAX_DRPD_HELP, K::LinkButton},
    {IDC_FAX_COMPANY_LABEL, K::Static},      {IDC_FAX_COMPANY, K::Edit},          {IDC_FAX_COMPANY_HELP, K::LinkButton},
    {IDC_FAX_NUMBER_LABEL, K::Static},       {IDC_FAX_NUMBER, K::Edit},           {IDC_FAX_NUMBER_HELP, K::LinkButton},
};

Expected Join(std::initializer_list<const Expected*> parts)
{
    Expected all;
    for (const Expected* part : parts)
        all.insert(all.end(), part->begin(), part->end());
    return all;
}

// Every dialog with the ids its header names and their kinds.
std::map<int, Expected> ExpectedDialogs()
{
    std::map<int, Expected> d;
    d[IDD_WIZARD] = {};
    d[IDD_WELCOME] = Join({&BANNER_AND_TITLES, &SIDE_BAR});
    d[IDD_WELCOME].insert(d[IDD_WELCOME].end(), {
        {IDC_CANCEL, K::PushButton},
        {IDC_WELCOME_IP, K::RadioButton}, {IDC_WELCOME_IP_TEXT, K::Static},
        {IDC_WELCOME_WIRELESS, K::RadioButton}, {IDC_WELCOME_WIRELESS_TEXT, K::Static},
        {IDC_WELCOME_FAX, K::RadioButton}, {IDC_WELCOME_FAX_TEXT, K::Static}});
    d[IDD_SELECT_METHOD] = Join({&BANNER_AND_TITLES, &SIDE_BAR, &BACK_CANCEL});
    d[IDD_SELECT_METHOD].insert(d[IDD_SELECT_METHOD].end(), {
        {IDC_METHOD_NETWORK, K::RadioButton}, {IDC_METHOD_USB, K::RadioButton},
        {IDC_METHOD_NETWORK_TEXT, K::Static}, {IDC_METHOD_USB_TEXT, K::Static}});
    d[IDD_CONNECT] = Join({&BANNER_AND_TITLES, &BACK_CANCEL});
    d[IDD_CONNECT].push_back({IDC_CONNECT_MESSAGE, K::Static});
    d[IDD_DISCONNECT] = Join({&BANNER_AND_TITLES, &BACK_CANCEL});
    d[IDD_DISCONNECT].push_back({IDC_DISCONNECT_MESSAGE, K::Static});
    d[IDD_CONNECT_COM] = Join({&BANNER_AND_TITLES, &BACK_CANCEL});
    d[IDD_CONNECT_COM].insert(d[IDD_CONNECT_COM].end(), {
        {IDC_CONNECT_COM_TITLE, K::Static}, {IDC_CONNECT_COM_MESSAGE, K::Static}});
    d[IDD_SELECT_PRINTER] = Join({&BANNER_AND_TITLES, &SIDE_BAR, &BACK_CANCEL});
    d[IDD_SELECT_PRINTER].insert(d[IDD_SELECT_PRINTER].end(), {
        {IDC_PRINTER_GROUP, K::GroupBox}, {IDC_PRINTER_LIST, K::ListView}, {IDC_USE_IPV6, K::CheckBox},
        {IDC_PRINTER_REFRESH, K::PushButton}, {IDC_ENTER_IP_ADDRESS, K::PushButton}});
    d[IDD_ENTER_IP] = {
        {IDC_ENTER_IP_OK, K::DefaultPushButton}, {IDC_ENTER_IP_CANCEL, K::PushButton},
        {IDC_ENTER_IP_PROMPT, K::Static}, {IDC_ENTER_IP_LABEL, K::Static}, {IDC_ENTER_IP_EDIT, K::Edit}};
    d[IDD_WAIT] = {{IDC_WAIT_MESSAGE, K::Static}};
    d[IDD_IP_SETTING] = Join({&BANNER_AND_TITLES, &SIDE_BAR, &BACK_CANCEL});
    d[IDD_IP_SETTING].insert(d[IDD_IP_SETTING].end(), {
        {IDC_IP_MODE_LABEL, K::Static}, {IDC_IP_MODE, K::ComboBox}, {IDC_IP_MODE_HELP, K::LinkButton},
        {IDC_IPV4_GROUP, K::GroupBox}, {IDC_IPV4_TYPE_LABEL, K::Static}, {IDC_IPV4_TYPE, K::ComboBox},
        {IDC_IPV4_HELP, K::LinkButton}, {IDC_IPV4_ADDRESS_LABEL, K::Static}, {IDC_IPV4_ADDRESS, K::IpAddress},
        {IDC_IPV4_MASK_LABEL, K::Static}, {IDC_IPV4_MASK, K::IpAddress}, {IDC_IPV4_GATEWAY_LABEL, K::Static},
        {IDC_IPV4_GATEWAY, K::IpAddress}, {IDC_IPV6_GROUP, K::GroupBox}, {IDC_IPV6_MANUAL, K::CheckBox},
        {IDC_IPV6_ADDRESS_LABEL, K::Static}, {IDC_IPV6_ADDRESS, K::Edit}, {IDC_IPV6_SLASH, K::Static},
        {IDC_IPV6_PREFIX, K::Edit}, {IDC_IPV6_GATEWAY_LABEL, K::Static}, {IDC_IPV6_GATEWAY, K::Edit},
        {IDC_IPV6_HELP, K::LinkButton}});
    d[IDD_WIRELESS_SETTING] = Join({&BANNER_AND_TITLES, &SIDE_BAR, &BACK_CANCEL, &WIRELESS_SHARED});
    d[IDD_WIRELESS_SETTING].insert(d[IDD_WIRELESS_SETTING].end(), {
        {IDC_WL_SSID, K::Edit}, {IDC_WL_SSID_HELP, K::LinkButton}});
    d[IDD_FIXED_SSID_WL_SETTING] = Join({&BANNER_AND_TITLES, &SIDE_BAR, &BACK_CANCEL, &WIRELESS_SHARED});
    d[IDD_FIXED_SSID_WL_SETTING].push_back({IDC_WL_FIXED_SSID, K::Static});
    d[IDD_SELECT_AP] = Join({&BANNER_AND_TITLES, &SIDE_BAR, &BACK_CANCEL});
    d[IDD_SELECT_AP].insert(d[IDD_SELECT_AP].end(), {
        {IDC_AP_FROM_LIST, K::RadioButton}, {IDC_AP_TYPED, K::RadioButton}, {IDC_AP_GROUP, K::GroupBox},
        {IDC_AP_LIST, K::ListView}, {IDC_AP_REFRESH, K::PushButton}, {IDC_AP_TYPED_HINT, K::Static},
        {IDC_AP_SSID_LABEL, K::Static}, {IDC_AP_SSID, K::Edit}, {IDC_AP_SSID_HELP, K::LinkButton}});
    d[IDD_ENTER_AP_PWD] = Join({&BANNER_AND_TITLES, &SIDE_BAR, &BACK_CANCEL});
    d[IDD_ENTER_AP_PWD].insert(d[IDD_ENTER_AP_PWD].end(), {
        {IDC_AP_PWD_SSID_LABEL, K::Static}, {IDC_AP_PWD_SSID, K::Static},
        {IDC_AP_PWD_KEY_LABEL, K::Static}, {IDC_AP_PWD_KEY, K::Edit}});
    d[IDD_FAX_SETTING] = Join({&BANNER_AND_TITLES, &SIDE_BAR, &BACK_CANCEL, &FAX_SHARED});
    d[IDD_CHECK_FAX_SETTING] = Join({&BANNER_AND_TITLES, &SIDE_BAR, &BACK_CANCEL, &FAX_SHARED});
    d[IDD_CHECK_FAX_SETTING].insert(d[IDD_CHECK_FAX_SETTING].end(), {
        {IDC_FAX_NOT_USED, K::CheckBox}, {IDC_FAX_GROUP, K::GroupBox}});
    d[IDD_CONFIRM_CONFIG] = Join({&BANNER_AND_TITLES, &SIDE_BAR, &BACK_CANCEL});
    d[IDD_CONFIRM_CONFIG].insert(d[IDD_CONFIRM_CONFIG].end(), {
        {IDC_CONFIRM_SUMMARY, K::Edit}, {IDC_PANEL_LANGUAGE_LABEL, K::Static}, {IDC_PANEL_LANGUAGE, K::ComboBox}});
    d[IDD_COMPLETE] = BANNER_AND_TITLES;
    d[IDD_COMPLETE].insert(d[IDD_COMPLETE].end(), {
        {IDC_COMPLETE_UPPER, K::Static}, {IDC_COMPLETE_LOWER, K::Static},
        {IDC_PRINT_SETTINGS, K::PushButton}, {IDC_SET_ANOTHER, K::PushButton}});
    return d;
}

const DialogTemplate& English(int id)
{
    const DialogTemplate* t = FindDialogTemplate(id, 1033);
    EXPECT_NE(t, nullptr) << "dialog " << id;
    static const DialogTemplate empty;
    return t ? *t : empty;
}

const ControlTemplate* Find(const DialogTemplate& t, int id)
{
    auto it = std::find_if(t.controls.begin(), t.controls.end(), [id](const ControlTemplate& c) { return c.id == id; });
    return it == t.controls.end() ? nullptr : &*it;
}

bool IsPage(int id)
{
    return id != IDD_WIZARD && id != IDD_WAIT && id != IDD_ENTER_IP;
}

TEST(DialogTemplates, EveryHeaderIdIsInItsLayoutOnceWithItsKindAndNothingElseHasAnId)
{
    const auto expected = ExpectedDialogs();
    ASSERT_EQ(expected.size(), DialogTemplateIds().size());
    for (const auto& [dialogId, controls] : expected) {
        SCOPED_TRACE("dialog " + std::to_string(dialogId));
        const DialogTemplate& t = English(dialogId);
        EXPECT_EQ(t.id, dialogId);
        std::map<int, ControlKind> wanted(controls.begin(), controls.end());
        ASSERT_EQ(wanted.size(), controls.size()) << "an id is listed twice";
        std::map<int, int> seen;
        for (const ControlTemplate& c : t.controls) {
            if (c.id == -1)
                continue;
            ++seen[c.id];
            auto it = wanted.find(c.id);
            if (it == wanted.end()) {
                ADD_FAILURE() << "control " << c.id << " has no name in the dialog's header";
                continue;
            }
            EXPECT_EQ(static_cast<int>(c.kind), static_cast<int>(it->second)) << "control " << c.id;
        }
        for (const auto& [id, kind] : wanted)
            EXPECT_EQ(seen[id], 1) << "control " << id;
    }
}

TEST(DialogTemplates, HeldInTheSeventeenLanguagesOnlyAndNeverByFallback)
{
    EXPECT_EQ(DialogTemplateLanguages().size(), 17u);
    for (int id : DialogTemplateIds()) {
        for (std::uint16_t lang : DialogTemplateLanguages())
            EXPECT_NE(FindDialogTemplate(id, lang), nullptr) << id << " in " << lang;
        for (std::uint16_t lang : {0x0411, 0x0000, 0x0807, 0x0816, 0x0809, 0x0804})
            EXPECT_EQ(FindDialogTemplate(id, static_cast<std::uint16_t>(lang)), nullptr) << id << " in " << lang;
    }
    EXPECT_EQ(FindDialogTemplate(30002, 1033), nullptr);
    EXPECT_EQ(FindDialogTemplate(0, 1033), nullptr);
}

TEST(DialogTemplates, PagesAreChildrenOfThePageSizeWithTheCommonControlsAtTheirPlaces)
{
    struct Place {
        int id, x, y, cx, cy;
    };
    const Place places[] = {
        {IDC_BANNER_BACK, 0, 0, -1, -1}, {IDC_BANNER_LEFT, 0, 0, -1, -1},
        {IDC_BANNER_TEXT, 95, 10, 240, 25}, {IDC_FLOW_TITLE, 15, 55, 395, 20}, {IDC_PAGE_TITLE, 15, 77, 395, 20},
        {IDC_SIDE_TITLE, 295, 107, 115, 20}, {IDC_SIDE_MESSAGE, 295, 132, 115, 150},
        {IDC_SEPARATOR, 0, 297, 422, 1}, {IDC_BACK, 250, 304, 50, 14}, {IDC_NEXT, 299, 304, 50, 14},
        {IDC_CANCEL, 356, 304, 50, 14},
    };
    const DialogTemplate& frame = English(IDD_WIZARD);
    EXPECT_FALSE(frame.child);
    EXPECT_EQ(frame.cx, 422);
    EXPECT_EQ(frame.cy, 325);
    EXPECT_TRUE(frame.controls.empty());
    for (int id : DialogTemplateIds()) {
        if (!IsPage(id))
            continue;
        SCOPED_TRACE("page " + std::to_string(id));
        const DialogTemplate& t = English(id);
        EXPECT_TRUE(t.child);
        EXPECT_EQ(t.cx, 422);
        EXPECT_EQ(t.cy, 325);
        for (const Place& p : places) {
            const ControlTemplate* c = Find(t, p.id);
            if (!c)
                continue;
            EXPECT_EQ(c->x, p.x) << p.id;
            EXPECT_EQ(c->y, p.y) << p.id;
            if (p.cx >= 0) {
                EXPECT_EQ(c->cx, p.cx) << p.id;
                EXPECT_EQ(c->cy, p.cy) << p.id;
            }
        }
        const ControlTemplate* right = Find(t, IDC_BANNER_RIGHT);
        ASSERT_NE(right, nullptr);
        EXPECT_EQ(right->x + right->cx, 422);
        EXPECT_EQ(right->y, 0);
        EXPECT_EQ(Find(t, IDC_BANNER_BACK)->bitmapId, IDB_BANNER_BACK);
        EXPECT_EQ(Find(t, IDC_BANNER_LEFT)->bitmapId, IDB_BANNER_LEFT);
        EXPECT_EQ(right->bitmapId, IDB_BANNER_RIGHT);
        // The side bar's frame, when there is one.
        const bool sideBar = Find(t, IDC_SIDE_TITLE) != nullptr;
        int frames = 0;
        for (const ControlTemplate& c : t.controls) {
            if (c.id == -1 && c.kind == ControlKind::GroupBox) {
                ++frames;
                EXPECT_EQ(c.x, 290);
                EXPECT_EQ(c.y, 97);
                EXPECT_EQ(c.cx, 125);
                EXPECT_TRUE(c.cy == 190 || c.cy == 193);
            }
        }
        EXPECT_EQ(frames, sideBar ? 1 : 0);
    }
    EXPECT_EQ(Find(English(IDD_WELCOME), IDC_BACK), nullptr);
    EXPECT_EQ(Find(English(IDD_COMPLETE), IDC_BACK), nullptr);
    EXPECT_EQ(Find(English(IDD_COMPLETE), IDC_CANCEL), nullptr);
    const DialogTemplate& wait = English(IDD_WAIT);
    EXPECT_EQ(wait.cx, 187);
    EXPECT_EQ(wait.cy, 44);
    const ControlTemplate* message = Find(wait, IDC_WAIT_MESSAGE);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ((std::vector<int>{message->x, message->y, message->cx, message->cy}), (std::vector<int>{7, 7, 173, 30}));
    EXPECT_NE(message->style & StyleCenter, 0u);
}

TEST(DialogTemplates, FieldsCarryTheirLimitsAndStyles)
{
    struct Field {
        int dialog, id, limit;
        std::uint32_t style;
    };
    const Field fields[] = {
        {IDD_ENTER_IP, IDC_ENTER_IP_EDIT, 39, 0},
        {IDD_IP_SETTING, IDC_IPV6_ADDRESS, 39, 0},
        {IDD_IP_SETTING, IDC_IPV6_PREFIX, 3, StyleDigitsOnly},
        {IDD_IP_SETTING, IDC_IPV6_GATEWAY, 39, 0},
        {IDD_WIRELESS_SETTING, IDC_WL_SSID, 32, 0},
        {IDD_WIRELESS_SETTING, IDC_WL_KEY, 26, StylePassword},
        {IDD_FIXED_SSID_WL_SETTING, IDC_WL_KEY, 26, StylePassword},
        {IDD_SELECT_AP, IDC_AP_SSID, 32, 0},
        {IDD_ENTER_AP_PWD, IDC_AP_PWD_KEY, 26, StylePassword},
        {IDD_FAX_SETTING, IDC_FAX_COMPANY, 23, 0},
        {IDD_FAX_SETTING, IDC_FAX_NUMBER, 20, 0},
        {IDD_CHECK_FAX_SETTING, IDC_FAX_COMPANY, 23, 0},
        {IDD_CHECK_FAX_SETTING, IDC_FAX_NUMBER, 20, 0},
        {IDD_CONFIRM_CONFIG, IDC_CONFIRM_SUMMARY, 0, StyleMultiLine | StyleReadOnly | StyleVScroll},
        {IDD_FAX_SETTING, IDC_FAX_REGION, 0, StyleSorted},
        {IDD_CHECK_FAX_SETTING, IDC_FAX_REGION, 0, StyleSorted},
        {IDD_CONFIRM_CONFIG, IDC_PANEL_LANGUAGE, 0, StyleSorted},
        {IDD_SELECT_PRINTER, IDC_USE_IPV6, 0, StyleDisabled},
        {IDD_COMPLETE, IDC_PRINT_SETTINGS, 0, StyleHidden},
        {IDD_COMPLETE, IDC_SET_ANOTHER, 0, StyleHidden},
    };
    for (const Field& f : fields) {
        const ControlTemplate* c = Find(English(f.dialog), f.id);
        ASSERT_NE(c, nullptr) << f.dialog << "/" << f.id;
        EXPECT_EQ(c->limit, f.limit) << f.dialog << "/" << f.id;
        EXPECT_EQ(c->style & f.style, f.style) << f.dialog << "/" << f.id;
    }
    // Only the line type list and the other FAX lists keep the configuration's order.
    EXPECT_EQ(Find(English(IDD_FAX_SETTING), IDC_FAX_LINE_TYPE)->style & StyleSorted, 0u);
    EXPECT_EQ(Find(English(IDD_SELECT_PRINTER), IDC_USE_IPV6)->text, "Use &IPv6");
    EXPECT_EQ(Find(English(IDD_IP_SETTING), IDC_IPV6_SLASH)->text, "/");
    EXPECT_EQ(Find(English(IDD_CHECK_FAX_SETTING), IDC_FAX_NOT_USED)->text,
              "&I don\xE2\x80\x99t use FAX functionality");
    EXPECT_EQ(Find(English(IDD_CONFIRM_CONFIG), IDC_NEXT)->text, "&Apply");
}

bool Overlap(const ControlTemplate& a, const ControlTemplate& b)
{
    return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + b.cy && b.y < a.y + a.cy;
}

TEST(DialogTemplates, ControlsStayInsideTheirDialogAndDoNotOverlap)
{
    for (int id : DialogTemplateIds()) {
        SCOPED_TRACE("dialog " + std::to_string(id));
        const DialogTemplate& t = English(id);
        std::vector<const ControlTemplate*> solid;
        for (const ControlTemplate& c : t.controls) {
            EXPECT_GE(c.x, 0) << c.id;
            EXPECT_GE(c.y, 0) << c.id;
            EXPECT_GT(c.cx, 0) << c.id;
            EXPECT_GT(c.cy, 0) << c.id;
            EXPECT_LE(c.x + c.cx, t.cx) << c.id;
            EXPECT_LE(c.y + c.cy, t.cy) << c.id;
            // Frames and the banner hold other controls; everything else has a place of its own.
            if (c.kind != ControlKind::GroupBox && c.id != IDC_BANNER_BACK)
                solid.push_back(&c);
        }
        for (std::size_t i = 0; i < solid.size(); ++i)
            for (std::size_t j = i + 1; j < solid.size(); ++j) {
                const std::set<int> pair = {solid[i]->id, solid[j]->id};
                if (pair == std::set<int>{IDC_PRINT_SETTINGS, IDC_SET_ANOTHER})
                    continue;  // one place, at most one of them shown
                if (pair == std::set<int>{IDC_BACK, IDC_NEXT})
                    continue;  // the fixed places of Back and Next share one column of units
                EXPECT_FALSE(Overlap(*solid[i], *solid[j])) << solid[i]->id << " and " << solid[j]->id;
            }
    }
}

}
}

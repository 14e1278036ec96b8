#include "wizard/CTemplateDlg.h"

#include "core/StringTable.h"
#include "resources/dialogs/CommonPageIds.h"
#include "resources/dialogs/DialogIds.h"
#include "ui/CComboBox.h"
#include "ui/MessageBox.h"
#include "wizard/CWizardFrame.h"
#include "wizard/Messages.h"
#include "wizard/RunState.h"

#include <typeinfo>

namespace plintor {

namespace {

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kBlack = 0x000000;
constexpr int kBoldWeight = 700;
constexpr const char* kTitleFace = "Tahoma";
// The network check page's second title line, which takes the page-title font.
constexpr int IDC_SECOND_TITLE = 1159;

}

CTemplateDlg::CTemplateDlg() = default;

CTemplateDlg::~CTemplateDlg()
{
    DestroyWindow();
}

void CTemplateDlg::SetItemText(int controlId, StringId textId)
{
    if (CWindow* control = GetDlgItem(controlId))
        control->SetWindowText(LoadText(language, textId));
}

int CTemplateDlg::AddComboItem(CComboBox* combo, StringId textId, std::intptr_t itemData)
{
    if (!combo)
        return -1;
    int index = combo->AddString(LoadText(language, textId));
    combo->SetItemData(index, itemData);
    return index;
}

int CTemplateDlg::ShowGuide(StringId textId, StringId titleId)
{
    return ShowMessage(language, this, textId, titleId, MB_OK);
}

void CTemplateDlg::ApplyBackButtonRule(std::int32_t& flag, BackButtonFlag use)
{
    if (flag != 0)
        return;
    if (CWindow* back = GetDlgItem(IDC_BACK)) {
        back->ShowWindow(false);
        back->EnableWindow(false);
    }
    if (use == BackButtonFlag::Consume)
        flag = 1;
}

bool CTemplateDlg::TakeRefreshBit()
{
    if (!wizard || pageIndex < 0 || pageIndex >= kPageCount)
        return false;
    std::uint32_t bit = 1u << pageIndex;
    if ((wizard->pageRefreshMask & bit) == 0)
        return false;
    wizard->pageRefreshMask &= ~bit;
    return true;
}

void CTemplateDlg::CommonBack()
{
    if (!wizard)
        return;
    if (wizard->GoBack() == -1)
        wizard->OnCancel();
}

RunState* CTemplateDlg::App() const
{
    return wizard ? wizard->app : nullptr;
}

bool CTemplateDlg::OnInitDialog()
{
    // 1. The dialog's own initialisation.
    CDialog::OnInitDialog();

    // 2. The frame and its language.
    wizard = dynamic_cast<CWizardFrame*>(Parent());
    if (wizard)
        language = wizard->language;

    // 3. The white page; static texts are black on white.
    backgroundBrush = kWhite;
    SetColours(kDefaultColour, backgroundBrush);
    for (CWindow* child : Children())
        if (child->Kind() == ControlKind::Static)
            child->SetColours(kBlack, backgroundBrush);

    // 4. The side-bar title in bold.
    if (CWindow* sideTitle = GetDlgItem(IDC_SIDE_TITLE)) {
        sideTitleFont = sideTitle->GetFont();
        sideTitleFont.weight = kBoldWeight;
        sideTitle->SetFont(sideTitleFont);
    }

    // 5. The banner text: twice the height, bold Tahoma, white over the banner picture;
    // the flow title shares its font.
    if (CWindow* banner = GetDlgItem(IDC_BANNER_TEXT)) {
        bannerFont = banner->GetFont();
        bannerFont.height *= 2;
        bannerFont.weight = kBoldWeight;
        bannerFont.face = kTitleFace;
        banner->SetFont(bannerFont);
        banner->SetColours(kWhite, kDefaultColour, true);
        if (CWindow* flowTitle = GetDlgItem(IDC_FLOW_TITLE))
            flowTitle->SetFont(bannerFont);
    }

    // 6. The page title: one and a half times the height, Tahoma; the second title line
    // derives its own from its font the same way.
    if (CWindow* pageTitle = GetDlgItem(IDC_PAGE_TITLE)) {
        pageTitleFont = pageTitle->GetFont();
        pageTitleFont.height = pageTitleFont.height * 3 / 2;
        pageTitleFont.face = kTitleFace;
        pageTitle->SetFont(pageTitleFont);
    }
    if (CWindow* secondTitle = GetDlgItem(IDC_SECOND_TITLE)) {
        pageTitleFont = secondTitle->GetFont();
        pageTitleFont.height = pageTitleFont.height * 3 / 2;
        pageTitleFont.face = kTitleFace;
        secondTitle->SetFont(pageTitleFont);
    }

    // 7. The button texts.
    SetItemText(IDC_BACK, IDS_BACK_BUTTON);
    SetItemText(IDC_NEXT, IDS_NEXT_BUTTON);
    SetItemText(IDC_CANCEL, IDS_CANCEL_BUTTON);

    // 8. The banner pictures (a front end that cannot load one leaves its control empty).
    if (CWindow* left = GetDlgItem(IDC_BANNER_LEFT))
        left->SetBitmap(IDB_BANNER_LEFT);
    if (CWindow* back = GetDlgItem(IDC_BANNER_BACK))
        back->SetBitmap(IDB_BANNER_BACK);
    if (CWindow* right = GetDlgItem(IDC_BANNER_RIGHT))
        right->SetBitmap(IDB_BANNER_RIGHT);

    // 9. The banner background spans the page; the right picture sits at its right edge.
    if (CWindow* back = GetDlgItem(IDC_BANNER_BACK)) {
        WindowRect r = back->GetRect();
        r.cx = GetRect().cx;
        back->MoveWindow(r);
    }
    if (CWindow* right = GetDlgItem(IDC_BANNER_RIGHT)) {
        WindowRect r = right->GetRect();
        r.x = GetRect().cx - r.cx;
        r.y = 0;
        right->MoveWindow(r);
    }

    // Every page shows the (empty) banner text and the flow title; page classes set their
    // own texts after this.
    SetItemText(IDC_BANNER_TEXT, IDS_DLG_TITLE);
    SetItemText(IDC_FLOW_TITLE, IDS_FLOW_TITLE);

    // 10. The default focus handling stays.
    return true;
}

bool CTemplateDlg::IsStandIn() const
{
    return typeid(*this) == typeid(CTemplateDlg);
}

void CTemplateDlg::OnShowWindow(bool show)
{
    if (!show || !IsStandIn() || !wizard || !wizard->app)
        return;
    // A stand-in can be the first page shown; the cable pages hide Back but leave the
    // flag for the page after them.
    bool cablePage = pageIndex == kPageConnect || pageIndex == kPageDisconnect;
    ApplyBackButtonRule(wizard->app->backButtonFlag,
                        cablePage ? BackButtonFlag::Keep : BackButtonFlag::Consume);
    // The method page names the kind of configuration in its flow title.
    if (pageIndex == kPageSelectMethod)
        SetItemText(IDC_FLOW_TITLE, CWizardFrame::FlowTitleId(wizard->app->configureFlags));
}

bool CTemplateDlg::OnCommand(int controlId, int code)
{
    if (code != BN_CLICKED)
        return false;
    switch (controlId) {
    case IDC_BACK:
        OnBack();
        return true;
    case IDC_NEXT:
        OnNext();
        return true;
    case IDC_CANCEL:
        if (wizard)
            wizard->OnCancel();
        return true;
    default:
        return false;
    }
}

void CTemplateDlg::OnCancel()
{
    if (wizard)
        wizard->OnCancel();
}

bool CTemplateDlg::PreTranslateMessage(unsigned message, std::uintptr_t wParam, CWindow* target)
{
    if (message != WM_KEYDOWN)
        return false;
    if (static_cast<int>(wParam) == VK_ESCAPE) {
        // Escape anywhere in the page, inside a text field too, asks the cancel question.
        if (wizard)
            wizard->OnCancel();
        return true;
    }
    if (static_cast<int>(wParam) == VK_RETURN) {
        // Enter presses the focused push button or Next; it never reaches the frame's
        // OK or the Back button (whose id is IDOK).
        CWindow* next = DefaultButton();
        bool onPushButton = target && target != this
            && (target->Kind() == ControlKind::PushButton || target->Kind() == ControlKind::LinkButton
                || target->Kind() == ControlKind::DefaultPushButton);
        return !onPushButton && !next;
    }
    return false;
}

}

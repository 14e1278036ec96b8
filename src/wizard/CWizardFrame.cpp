#include "wizard/CWizardFrame.h"

#include "core/ConfigureFlags.h"
#include "core/StringTable.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "ui/CFrontEnd.h"
#include "ui/DialogTemplate.h"
#include "ui/MessageBox.h"
#include "wizard/Messages.h"

namespace plintor {

namespace {

struct PageRow {
    int templateId;
    const char* className;
};

// The page table, by page index.
constexpr PageRow kPageTable[kPageCount] = {
    {IDD_WELCOME, "CWelcomDlg"},
    {IDD_SELECT_METHOD, "CSelectMethodDlg"},
    {IDD_CONNECT, "CConnectDlg"},
    {IDD_DISCONNECT, "CDisconnectDlg"},
    {IDD_SELECT_PRINTER, "CSelectPrinterDlg"},
    {IDD_WIRELESS_SETTING, "CWirelessSettingDlg"},
    {IDD_IP_SETTING, "CIPSettingDlg"},
    {IDD_FAX_SETTING, "CFAXSettingDlg"},
    {IDD_CHECK_FAX_SETTING, "CCheckFAXSettingDlg"},
    {IDD_CONFIRM_CONFIG, "CConfirmConfigDlg"},
    {IDD_COMPLETE, "CCompleteDlg"},
    {IDD_SELECT_AP, "CSelectAPDlg"},
    {IDD_ENTER_AP_PWD, "CEnterAPPwdDlg"},
    {IDD_FIXED_SSID_WL_SETTING, "CFixedSSIDWLSettingDLG"},
    {IDD_CONNECT_COM, "CConnectComDlg"},
};

bool IsCablePage(int index)
{
    return index == kPageConnect || index == kPageDisconnect;
}

bool InsideWindow(const CWindow* window, const CWindow* ancestor)
{
    for (; window; window = window->Parent())
        if (window == ancestor)
            return true;
    return false;
}

bool TakesFocus(const CWindow& window)
{
    return IsInputKind(window.Kind()) && window.IsWindowVisible() && window.IsWindowEnabled();
}

}

CWizardFrame::CWizardFrame(RunState* application)
    : app(application)
    , templateLookup(FindDialogTemplate)
{
}

CWizardFrame::~CWizardFrame()
{
    DestroyWindow();
}

int CWizardFrame::PageTemplateId(int index)
{
    return index >= 0 && index < kPageCount ? kPageTable[index].templateId : -1;
}

const char* CWizardFrame::PageClassName(int index)
{
    return index >= 0 && index < kPageCount ? kPageTable[index].className : "";
}

CTemplateDlg* CWizardFrame::Page(int index) const
{
    if (index < 0 || index >= static_cast<int>(pages.size()))
        return nullptr;
    return pages[static_cast<std::size_t>(index)];
}

void CWizardFrame::ReplacePage(int index, CTemplateDlg& page)
{
    if (index < 0 || index >= kPageCount)
        return;
    replaced[static_cast<std::size_t>(index)] = &page;
    page.pageIndex = index;
    if (index < static_cast<int>(pages.size()) && !pages[static_cast<std::size_t>(index)]->Exists())
        pages[static_cast<std::size_t>(index)] = &page;
}

void CWizardFrame::SetOwnPage(int index, CTemplateDlg& page)
{
    if (index >= 0 && index < kPageCount)
        own[static_cast<std::size_t>(index)] = &page;
}

StringId CWizardFrame::FlowTitleId(std::uint32_t configureFlags)
{
    std::uint32_t kinds = configureFlags & (kConfigureIp | kConfigureWireless | kConfigureFax);
    if (kinds == kConfigureIp)
        return IDS_IP_CONFIG_FLOW_TITLE;
    if (kinds == kConfigureWireless)
        return IDS_WIRELESS_CONFIG_FLOW_TITLE;
    if (kinds == kConfigureFax)
        return IDS_FAX_CONFIG_FLOW_TITLE;
    return IDS_FLOW_TITLE;
}

bool CWizardFrame::OnInitDialog()
{
    CDialog::OnInitDialog();

    // 1. The page table.
    pages.clear();
    pageTemplates.clear();
    for (int i = 0; i < kPageCount; ++i) {
        auto slot = static_cast<std::size_t>(i);
        CTemplateDlg* page = replaced[slot] ? replaced[slot] : own[slot] ? own[slot] : &plainPages[slot];
        page->pageIndex = i;
        pages.push_back(page);
        pageTemplates.push_back(kPageTable[i].templateId);
    }

    // 2. The window title in the wizard's language.
    SetWindowText(LoadText(language, IDS_WND_TITLE));

    // 3. Every page loads its controls from the settings when first shown.
    pageRefreshMask = kAllPagesMask;

    // The program icon (window creation).
    SetBitmap(icon);
    return true;
}

bool CWizardFrame::EnsurePageWindow(int index)
{
    CTemplateDlg* page = Page(index);
    if (!page)
        return false;
    if (page->Exists())
        return true;
    int templateId = pageTemplates[static_cast<std::size_t>(index)];
    const DialogTemplate* layout = templateLookup ? templateLookup(templateId, language) : nullptr;
    // Every page layout exists in every language that has the frame's; should one be
    // missing, the English one keeps the wizard usable (its texts still come in `language`).
    if (!layout && language != LANG_ENGLISH_US && templateLookup)
        layout = templateLookup(templateId, LANG_ENGLISH_US);
    if (!layout)
        return false;
    DialogTemplate child = *layout;
    child.child = true;
    if (!page->Create(child, this))
        return false;
    // Centred in the frame.
    WindowRect r = page->GetRect();
    r.x = (GetRect().cx - r.cx) / 2;
    r.y = (GetRect().cy - r.cy) / 2;
    page->MoveWindow(r);
    return true;
}

void CWizardFrame::RevealPage(int index)
{
    CTemplateDlg* page = Page(index);
    if (!page || !page->Exists())
        return;
    page->ShowWindow(false);
    page->ShowWindow(true);
    // Activation: the focus goes into the page unless its show handler put it there.
    if (!InsideWindow(CWindow::GetFocus(), page)) {
        for (CWindow* child : page->Children())
            if (TakesFocus(*child)) {
                child->SetFocus();
                break;
            }
    }
    if (CFrontEnd* frontEnd = GetFrontEnd())
        frontEnd->PageShown(*this, index, PageClassName(index));
}

void CWizardFrame::OnShowWindow(bool show)
{
    if (!show || !Page(currentPage))
        return;
    if (!EnsurePageWindow(currentPage))
        return;
    RevealPage(currentPage);
}

int CWizardFrame::GoToPage(int index)
{
    if (index < 0 || index >= static_cast<int>(pages.size()))
        return -1;
    if (index == currentPage) {
        // Asked for the page shown: it is shown again (and refreshes), the history stays.
        RevealPage(currentPage);
        return currentPage;
    }
    // The page's window is made before the current one is hidden, so that a layout that
    // cannot be found leaves the page shown as it was.
    if (!EnsurePageWindow(index))
        return -1;
    if (CTemplateDlg* shown = Page(currentPage); shown && shown->Exists())
        shown->ShowWindow(false);
    RevealPage(index);
    int previous = currentPage;
    // Before the first page there is nothing to come back to.
    if (previous != -1)
        history.push_back(previous);
    currentPage = index;
    return previous;
}

int CWizardFrame::GoBack()
{
    // The cable pages are never gone back to: they move on by themselves.
    while (!history.empty() && IsCablePage(history.back()))
        history.pop_back();
    if (history.empty())
        return -1;
    int target = history.back();
    if (!EnsurePageWindow(target))
        return -1;
    if (CTemplateDlg* shown = Page(currentPage); shown && shown->Exists() && target != currentPage)
        shown->ShowWindow(false);
    RevealPage(target);
    currentPage = target;
    history.pop_back();
    return target;
}

void CWizardFrame::OnCancel()
{
    if (confirmCancel == 0) {
        EndDialog(IDCANCEL);
        return;
    }
    // One question at a time: a second Escape or close while it is asked changes nothing.
    if (asking)
        return;
    asking = true;
    int answer = ShowMessage(language, this, MSG_CANCEL_DLG, IDS_WND_TITLE,
                             MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
    asking = false;
    if (answer == IDYES)
        EndDialog(IDCANCEL);
}

void CWizardFrame::OnDestroy()
{
    for (CTemplateDlg* page : pages)
        if (page->Exists())
            page->DestroyWindow();
    pages.clear();
}

}

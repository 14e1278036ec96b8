#pragma once

#include "core/LangId.h"
#include "core/StringIds.h"
#include "resources/dialogs/DialogIds.h"
#include "ui/CDialog.h"
#include "wizard/CTemplateDlg.h"
#include "wizard/PageIndex.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace plintor {

struct RunState;
struct DialogTemplate;

// The wizard frame: the program's one top-level window (template 30001, no controls of its
// own). It keeps the page table of fifteen pages and shows one at a time as a child filling
// its client area. The pages themselves live one floor up: CWizardDlg (pages/CWizardDlg.h)
// is the frame with its pages, which it enters with SetOwnPage; a frame without them shows
// plain pages. A page's window is made the first time the page is shown, from its template in the
// wizard's language, and is kept (hidden) afterwards so that its controls keep what the
// user entered; the windows go with the frame's.
//
// Navigation: a page's Next handler computes the next page and calls GoToPage, which
// remembers the page it leaves in `history`; GoBack returns along that history, passing
// over the cable pages (2 and 3), which can never be gone back to. Cancel, Escape and the
// title bar's close all come to OnCancel, which asks "Are you sure ...?" while
// `confirmCancel` is 1. Enter never closes the frame (its OK does nothing).
class CWizardFrame : public CDialog {
public:
    // Where page layouts come from; the program's resources unless a test says otherwise.
    using TemplateLookup = std::function<const DialogTemplate*(int id, LangId language)>;

    static constexpr std::uint32_t kAllPagesMask = (1u << kPageCount) - 1;

    explicit CWizardFrame(RunState* application = nullptr);
    ~CWizardFrame() override;
    const char* ClassName() const override { return "CWizardDlg"; }

    // Shows page `index`; returns the page shown before (-1 when none), or -1 when the
    // index is outside the page table or its layout is missing (nothing changes then).
    int GoToPage(int index);
    // Shows the last page of the history that is not a cable page; returns its index, or
    // -1 when there is none (nothing changes; the caller then runs OnCancel).
    int GoBack();
    // Cancel: the confirmation, then the end of the wizard with IDCANCEL.
    void OnCancel() override;

    // The page table.
    static int PageTemplateId(int index);        // -1 outside the table
    static const char* PageClassName(int index); // "" outside the table
    CTemplateDlg* Page(int index) const;         // null outside the table
    // Puts `page` into the table at `index` in place of the frame's own page object
    // (before that page's window exists).
    void ReplacePage(int index, CTemplateDlg& page);

    // The flow title for the method page: IP, wireless or FAX when exactly one of them is
    // configured (first in that order), else "Configure Printer".
    static StringId FlowTitleId(std::uint32_t configureFlags);

    // The application whose run state the pages share; may be null in tests.
    RunState* app = nullptr;

    // Members, as the pages read and write them.
    std::vector<CTemplateDlg*> pages;
    std::vector<int> pageTemplates;
    int currentPage = -1;
    std::vector<int> history;
    int icon = IDI_PROGRAM;
    LangId language = LANG_ENGLISH_US;
    int confirmCancel = 1;
    int completionRecorded = 0;
    int rediscover = 1;
    std::uint32_t pageRefreshMask = 0;   // bit i: page i reloads from the settings when shown

    TemplateLookup templateLookup;

protected:
    // A derived frame enters its page for `index` (from its constructor).
    void SetOwnPage(int index, CTemplateDlg& page);

    bool OnInitDialog() override;
    void OnOK() override {}
    void OnShowWindow(bool show) override;
    void OnDestroy() override;

private:
    bool EnsurePageWindow(int index);
    void RevealPage(int index);

    bool asking = false;
    std::array<CTemplateDlg*, kPageCount> replaced{};

    // The pages a derived frame brought, in page-table order; a slot left empty shows a
    // plain page.
    std::array<CTemplateDlg*, kPageCount> own{};
    std::array<CTemplateDlg, kPageCount> plainPages;
};

}

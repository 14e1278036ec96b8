#pragma once

#include "core/LangId.h"
#include "core/StringIds.h"
#include "ui/CDialog.h"

#include <cstdint>

namespace plintor {

class CComboBox;
class CWizardFrame;
struct RunState;

// The base of every wizard page: a modeless child dialog of the frame with the common look
// (white page, banner with its pictures and text, flow title, page title, side bar, and the
// Back, Next and Cancel buttons), texts loaded in the wizard's language, Cancel and Escape
// routed to the frame's cancel question, F1 ignored, and the common Back handler.
//
// A page class overrides OnInitDialog (calling this one first) to set its texts, OnShowWindow
// to refresh itself, OnNext and, where it differs, OnBack, and OnCommand for its own
// controls (passing the rest on). A plain CTemplateDlg stands in for a page that is not built
// yet: it shows the common texts, applies the back-button rule when shown, and its Next does
// nothing.
class CTemplateDlg : public CDialog {
public:
    // How a page treats backButtonFlag when it hides its Back button.
    enum class BackButtonFlag { Consume, Keep };

    CTemplateDlg();
    ~CTemplateDlg() override;
    const char* ClassName() const override { return "CTemplateDlg"; }

    // Sets control `controlId` to string `textId` in `language` (empty when the string is
    // missing there). A control the page lacks is skipped.
    void SetItemText(int controlId, StringId textId);
    // Appends string `textId` in `language` to `combo` with `itemData`; returns the new
    // item's index, -1 without a combo box.
    int AddComboItem(CComboBox* combo, StringId textId, std::intptr_t itemData);
    // The "What's this?" guide: a box with OK and no icon, owned by the page.
    int ShowGuide(StringId textId, StringId titleId);
    // The back-button rule of a page that can be the first one shown: when `flag` is 0,
    // hide and disable Back; with Consume the flag becomes 1 so later pages keep theirs.
    void ApplyBackButtonRule(std::int32_t& flag, BackButtonFlag use = BackButtonFlag::Consume);
    // True once when this page's bit of the frame's pageRefreshMask is set: the bit is
    // cleared and the page reloads its controls from the settings.
    bool TakeRefreshBit();
    // The common Back handler: back along the history, or the cancel question when there
    // is nothing to go back to.
    void CommonBack();

    // Set by the frame when it fills its page table.
    int pageIndex = -1;

    // Members, in this order.
    Colour backgroundBrush = kDefaultColour;   // white once initialised
    FontDesc sideTitleFont;
    FontDesc bannerFont;
    FontDesc pageTitleFont;
    CWizardFrame* wizard = nullptr;
    LangId language = LANG_ENGLISH_US;

protected:
    // The run state the frame shares with its pages; null without a frame or run.
    RunState* App() const;

    bool OnInitDialog() override;
    void OnShowWindow(bool show) override;
    bool OnCommand(int controlId, int code) override;
    bool PreTranslateMessage(unsigned message, std::uintptr_t wParam, CWindow* target) override;
    void OnHelp() override {}
    void OnOK() override {}
    void OnCancel() override;
    virtual void OnBack() { CommonBack(); }
    virtual void OnNext() {}

private:
    bool IsStandIn() const;
};

}

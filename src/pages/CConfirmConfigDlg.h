#pragma once

#include "core/WorkingPrinter.h"
#include "wizard/CTemplateDlg.h"

#include <chrono>
#include <string>

namespace plintor {

class CComboBox;
struct RunState;

// The confirmation page (template 30014): a summary of every value that is about to be
// sent, the language of the printer's operation panel, and Apply, which checks that the
// printer accepts settings and sends them, offering Retry and Cancel for as long as it
// cannot reach the printer (or, in file mode, save the job). Settings that cannot be put
// into a job are told once, and the page stays.
class CConfirmConfigDlg : public CTemplateDlg {
public:
    // How long Retry waits before it asks the printer again.
    static constexpr std::chrono::milliseconds kRetryPause{500};

    CConfirmConfigDlg();
    const char* ClassName() const override { return "CConfirmConfigDlg"; }

    // Page members.
    std::string summary;
    WorkingPrinter workingCopy;

protected:
    bool OnInitDialog() override;
    void OnShowWindow(bool show) override;
    void OnNext() override;

private:
    CComboBox* PanelLanguageBox() const;
    void FillPanelLanguages();
    void SelectPanelLanguage();
    // Shows the communication failure `textId` with Retry and Cancel. True for Retry
    // (after the pause); false for Cancel, after the wizard's cancel operation ran.
    bool OfferRetry(StringId textId);
    // The same with a composed text.
    bool OfferRetryText(const std::string& text);
};

}

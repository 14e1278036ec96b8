#pragma once

#include "wizard/CTemplateDlg.h"

namespace plintor {

struct RunState;

// The completion page (template 30015): what to do after the printer restarts, with
// "Print Printer Setting" over USB and "Set another printer" over the network (at most
// one of them), and Finish, which closes the wizard without asking.
//
// "Set another printer" carries the settings just sent, without the printer's own
// addresses, to the next printer: the configured printer leaves the list (over the
// network every entry with its MAC address, which is remembered for later searches), and
// the selection page shows the remaining printers without a new search.
class CCompleteDlg : public CTemplateDlg {
public:
    CCompleteDlg();
    const char* ClassName() const override { return "CCompleteDlg"; }


protected:
    bool OnInitDialog() override;
    void OnShowWindow(bool show) override;
    bool OnCommand(int controlId, int code) override;
    void OnNext() override;

private:
    void PrintPrinterSetting();
    void SetAnotherPrinter();
};

}

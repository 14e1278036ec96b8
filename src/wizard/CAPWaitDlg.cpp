#include "wizard/CAPWaitDlg.h"

namespace plintor {

CAPWaitDlg::CAPWaitDlg(CWindow* page, LangId pageLanguage)
    : CWaitDlg(page, pageLanguage, IDS_AP_WAIT_MSG)
{
}

}

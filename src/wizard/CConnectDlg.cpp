#include "wizard/CConnectDlg.h"

#include "resources/dialogs/ConnectIds.h"

namespace plintor {

bool CConnectDlg::OnInitDialog()
{
    CConnectTemplateDlg::OnInitDialog();
    SetItemText(IDC_PAGE_TITLE, IDS_CONNECT_DLG_TITLE);
    SetItemText(IDC_CONNECT_MESSAGE, IDS_CONNECT_DLG_TEXT);
    return true;
}

}

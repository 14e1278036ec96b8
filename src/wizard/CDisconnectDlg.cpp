#include "wizard/CDisconnectDlg.h"

#include "resources/dialogs/DisconnectIds.h"

namespace plintor {

bool CDisconnectDlg::OnInitDialog()
{
    CConnectTemplateDlg::OnInitDialog();
    SetItemText(IDC_PAGE_TITLE, IDS_DISCONNECT_DLG_TITLE);
    SetItemText(IDC_DISCONNECT_MESSAGE, IDS_DISCONNECT_DLG_TEXT);
    return true;
}

}

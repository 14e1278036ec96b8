#pragma once

namespace plintor {

// The wizard's fifteen pages, by their fixed index in the frame's page table.
enum PageIndex : int {
    kPageNone = -1,              // no page: the wizard is not shown
    kPageWelcome = 0,            // CWelcomDlg
    kPageSelectMethod = 1,       // CSelectMethodDlg
    kPageConnect = 2,            // CConnectDlg (connect the cable)
    kPageDisconnect = 3,         // CDisconnectDlg (more than one printer on USB)
    kPageSelectPrinter = 4,      // CSelectPrinterDlg
    kPageWirelessSetting = 5,    // CWirelessSettingDlg
    kPageIpSetting = 6,          // CIPSettingDlg
    kPageFaxSetting = 7,         // CFAXSettingDlg
    kPageCheckFaxSetting = 8,    // CCheckFAXSettingDlg
    kPageConfirmConfig = 9,      // CConfirmConfigDlg
    kPageComplete = 10,          // CCompleteDlg
    kPageSelectAp = 11,          // CSelectAPDlg
    kPageEnterApPwd = 12,        // CEnterAPPwdDlg
    kPageFixedSsidWlSetting = 13,  // CFixedSSIDWLSettingDLG
    kPageConnectCom = 14,        // CConnectComDlg (network check)
    kPageCount = 15,
};

}

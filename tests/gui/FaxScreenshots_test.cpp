// Pictures of the two FAX pages with the values of a real printer, for a person to look at:
// written when PLINTOR_SCREENSHOT_DIR names a folder (scripts/screenshots sets it), skipped
// otherwise. The real pages run inside the real frame on a printer entry filled by hand,
// so nothing is asked of a printer.

#include "QtTestEnvironment.h"

#include "app/CPlintorApp.h"
#include "core/ConfigureFlags.h"
#include "pages/CWizardDlg.h"
#include "resources/dialogs/CheckFaxSettingIds.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "settings/SettingsStore.h"
#include "ui/CButton.h"
#include "ui/qt/CQtFrontEnd.h"

#include <QApplication>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace plintor::qt {
namespace {

bool Save(QWidget* widget, const std::filesystem::path& file)
{
    QApplication::processEvents();
    return widget && widget->grab().save(QString::fromStdString(file.string()), "PNG");
}

TEST(Screenshots, FaxPagesWithPrinterValues)
{
    const char* folder = std::getenv("PLINTOR_SCREENSHOT_DIR");
    if (!folder || !*folder)
        GTEST_SKIP() << "PLINTOR_SCREENSHOT_DIR is not set";
    testing::EnsureQtFrontEnd();
    const std::filesystem::path out(folder);
    std::filesystem::create_directories(out);

    CPlintorApp app;
    app.config.faxCountries = {244, 39, 242, 94, 84, 12, 122};
    app.config.faxLineTypes = {1, 2};
    app.config.faxDialTypes = {1, 2, 3};
    app.config.faxReceiveModes = {1, 2, 3, 4, 5};
    app.config.faxDrpdPatterns = {1, 2, 3, 4, 5, 6, 7};
    app.configureFlags = kConfigureFax;
    app.connectionMode = 2;
    PrinterEntry entry;
    entry.connection = kConnectionNetwork;
    entry.addressIpv4 = "192.168.1.20";
    entry.macAddress = "0000AA000001";
    entry.fax.country = 244;
    entry.fax.lineType = 1;
    entry.fax.dialType = 1;
    entry.fax.receiveMode = 5;
    entry.fax.drpdPattern = 2;
    entry.fax.companyName = "Lakeside Books";
    entry.fax.faxNumber = "+1 555 0100";
    app.printers.Add(entry);
    app.currentPrinter.SetSettings(entry.Settings());
    SelectPrinter(app.printers, app.selectedPrinter, app.currentPrinter, 0);

    CWizardDlg wizard(&app);
    wizard.currentPage = kPageFaxSetting;
    ASSERT_TRUE(wizard.Create(*FindDialogTemplate(IDD_WIZARD, 1033), nullptr));
    wizard.ShowWindow(true);
    EXPECT_TRUE(Save(CQtFrontEnd::WidgetOf(wizard), out / "fax-30012-printer-values.png"));

    // A run uses one of the two pages; both load on the same refresh bit, which the first
    // page took.
    wizard.pageRefreshMask |= 1u << kPageFaxSetting;
    wizard.GoToPage(kPageCheckFaxSetting);
    EXPECT_TRUE(Save(CQtFrontEnd::WidgetOf(wizard), out / "fax-30016-printer-values.png"));

    // "I don't use FAX functionality" checked: the fields greyed, the guides still live.
    CWindow* box = wizard.Page(kPageCheckFaxSetting)->GetDlgItem(IDC_FAX_NOT_USED);
    ASSERT_NE(dynamic_cast<CButton*>(box), nullptr);
    dynamic_cast<CButton*>(box)->Click();
    EXPECT_TRUE(Save(CQtFrontEnd::WidgetOf(wizard), out / "fax-30016-not-used.png"));
    wizard.DestroyWindow();
}

}
}

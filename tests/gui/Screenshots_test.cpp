// Pictures of every page for a person to look at: written when PLINTOR_SCREENSHOT_DIR names
// a folder (scripts/screenshots sets it), skipped otherwise. The pages are the page base's
// stand-ins inside the real frame, so no page logic (discovery, printer queries) runs.

#include "QtTestEnvironment.h"

#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "ui/CDialog.h"
#include "ui/qt/CQtFrontEnd.h"
#include "wizard/CTemplateDlg.h"
#include "wizard/CWizardDlg.h"

#include <QApplication>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace plintor::qt {
namespace {

bool Save(QWidget* widget, const std::filesystem::path& file)
{
    QApplication::processEvents();
    return widget && widget->grab().save(QString::fromStdString(file.string()), "PNG");
}

TEST(Screenshots, EveryPageAndDialog)
{
    const char* folder = std::getenv("PLINTOR_SCREENSHOT_DIR");
    if (!folder || !*folder)
        GTEST_SKIP() << "PLINTOR_SCREENSHOT_DIR is not set";
    testing::EnsureQtFrontEnd();
    const std::filesystem::path out(folder);
    std::filesystem::create_directories(out);

    CWizardDlg wizard;
    std::array<CTemplateDlg, kPageCount> pages;
    for (int i = 0; i < kPageCount; ++i)
        wizard.ReplacePage(i, pages[static_cast<std::size_t>(i)]);
    wizard.currentPage = 0;
    ASSERT_TRUE(wizard.Create(*FindDialogTemplate(IDD_WIZARD, 1033), nullptr));
    wizard.ShowWindow(true);
    for (int index = 0; index < kPageCount; ++index) {
        wizard.GoToPage(index);
        char name[64];
        std::snprintf(name, sizeof name, "page-%02d-%d.png", index, CWizardDlg::PageTemplateId(index));
        EXPECT_TRUE(Save(CQtFrontEnd::WidgetOf(wizard), out / name)) << name;
    }
    wizard.DestroyWindow();

    for (int id : {IDD_WAIT, IDD_ENTER_IP}) {
        CDialog dialog;
        ASSERT_TRUE(dialog.Create(*FindDialogTemplate(id, 1033), nullptr));
        dialog.ShowWindow(true);
        EXPECT_TRUE(Save(CQtFrontEnd::WidgetOf(dialog), out / ("dialog-" + std::to_string(id) + ".png")));
        dialog.DestroyWindow();
    }
}

}
}

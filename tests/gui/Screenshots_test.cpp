// Pictures of every page for a person to look at: written when PLINTOR_SCREENSHOT_DIR names
// a folder (scripts/screenshots sets it), skipped otherwise.

#include "QtTestEnvironment.h"

#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "ui/CDialog.h"
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

struct PageShot {
    int index;
    int templateId;
};

// Page indexes of the wizard with their templates.
const PageShot kPages[] = {
    {0, IDD_WELCOME},          {1, IDD_SELECT_METHOD}, {2, IDD_CONNECT},           {3, IDD_DISCONNECT},
    {4, IDD_SELECT_PRINTER},   {5, IDD_WIRELESS_SETTING}, {6, IDD_IP_SETTING},     {7, IDD_FAX_SETTING},
    {8, IDD_CHECK_FAX_SETTING}, {9, IDD_CONFIRM_CONFIG}, {10, IDD_COMPLETE},       {11, IDD_SELECT_AP},
    {12, IDD_ENTER_AP_PWD},    {13, IDD_FIXED_SSID_WL_SETTING}, {14, IDD_CONNECT_COM},
};

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
    for (const PageShot& shot : kPages) {
        CDialog frame;
        CDialog page;
        ASSERT_TRUE(frame.Create(*FindDialogTemplate(IDD_WIZARD, 1033), nullptr));
        ASSERT_TRUE(page.Create(*FindDialogTemplate(shot.templateId, 1033), &frame));
        frame.ShowWindow(true);
        page.ShowWindow(true);
        char name[64];
        std::snprintf(name, sizeof name, "page-%02d-%d.png", shot.index, shot.templateId);
        EXPECT_TRUE(Save(CQtFrontEnd::WidgetOf(frame), out / name)) << name;
        page.DestroyWindow();
        frame.DestroyWindow();
    }
    for (int id : {IDD_WAIT, IDD_ENTER_IP}) {
        CDialog dialog;
        DialogTemplate layout = *FindDialogTemplate(id, 1033);
        ASSERT_TRUE(dialog.Create(layout, nullptr));
        dialog.ShowWindow(true);
        EXPECT_TRUE(Save(CQtFrontEnd::WidgetOf(dialog), out / ("dialog-" + std::to_string(id) + ".png")));
        dialog.DestroyWindow();
    }
}

}
}

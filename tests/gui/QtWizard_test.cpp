// The real wizard frame and page base under the desktop front end: every page opens with
// the common look, the real Next and Cancel widgets reach the page logic and the frame's
// cancel question, and that question is answered through a real message box.

#include "QtTestEnvironment.h"

#include "pages/CWizardDlg.h"
#include "resources/dialogs/CommonPageIds.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "resources/dialogs/IpSettingIds.h"
#include "ui/qt/CQtFrontEnd.h"
#include "ui/qt/DialogUnits.h"
#include "wizard/CTemplateDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>
#include <functional>

namespace plintor::qt {
namespace {

using testing::ClickWidget;

// A page whose Next goes to a chosen page.
class CProbePage : public CTemplateDlg {
public:
    int nextPressed = 0;
    int nextPage = -1;

protected:
    void OnNext() override
    {
        ++nextPressed;
        if (nextPage >= 0)
            wizard->GoToPage(nextPage);
    }
};

struct Wizard {
    CWizardDlg frame;
    std::array<CProbePage, kPageCount> probes;

    Wizard()
    {
        testing::EnsureQtFrontEnd();
        for (int i = 0; i < kPageCount; ++i)
            frame.ReplacePage(i, probes[static_cast<std::size_t>(i)]);
    }
    QWidget* PageWidget(int index) const
    {
        return CQtFrontEnd::WidgetOf(probes[static_cast<std::size_t>(index)]);
    }
    template <class W> W* Control(int index, int id) const
    {
        CWindow* control = probes[static_cast<std::size_t>(index)].GetDlgItem(id);
        return control ? qobject_cast<W*>(CQtFrontEnd::WidgetOf(*control)) : nullptr;
    }
};

// Answers the next message box by pressing the button with `pressed`, remembering its text.
class BoxAnswer {
public:
    explicit BoxAnswer(QString button) : pressed(std::move(button)) { QTimer::singleShot(0, [this] { Try(); }); }
    QString text, title;
    bool answered = false;

private:
    void Try()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(10, [this] { Try(); });
            return;
        }
        text = box->text();
        title = box->windowTitle();
        for (QAbstractButton* button : box->buttons())
            if (button->text() == pressed) {
                answered = true;
                ClickWidget(button);
                return;
            }
        box->reject();
    }
    QString pressed;
};

TEST(QtWizard, EveryPageOpensInTheFrameWithTheCommonLook)
{
    Wizard wizard;
    wizard.frame.currentPage = 0;
    ASSERT_TRUE(wizard.frame.Create(*FindDialogTemplate(IDD_WIZARD, 1033), nullptr));
    wizard.frame.ShowWindow(true);
    QWidget* frame = CQtFrontEnd::WidgetOf(wizard.frame);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->windowTitle(), "Plintor");
    EXPECT_FALSE(frame->windowIcon().isNull());
    for (int index = 0; index < kPageCount; ++index) {
        SCOPED_TRACE("page " + std::to_string(index));
        wizard.frame.GoToPage(index);
        QApplication::processEvents();
        QWidget* page = wizard.PageWidget(index);
        ASSERT_NE(page, nullptr);
        EXPECT_TRUE(page->isVisible());
        EXPECT_EQ(page->parentWidget(), frame);
        EXPECT_EQ(page->geometry(), frame->rect());
        if (index > 0) {
            EXPECT_FALSE(wizard.PageWidget(index - 1)->isVisible());
        }
        auto* banner = wizard.Control<QLabel>(index, IDC_BANNER_BACK);
        ASSERT_NE(banner, nullptr);
        EXPECT_EQ(banner->width(), page->width());
        EXPECT_FALSE(banner->pixmap().isNull());
        auto* right = wizard.Control<QLabel>(index, IDC_BANNER_RIGHT);
        ASSERT_NE(right, nullptr);
        EXPECT_EQ(right->geometry().right(), page->rect().right());
        auto* title = wizard.Control<QLabel>(index, IDC_PAGE_TITLE);
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->font().pointSize(), 12);   // one and a half times the dialog font
        auto* flow = wizard.Control<QLabel>(index, IDC_FLOW_TITLE);
        ASSERT_NE(flow, nullptr);
        EXPECT_TRUE(flow->font().bold());
        EXPECT_EQ(flow->text(), "Configure Printer");
        if (auto* side = wizard.Control<QLabel>(index, IDC_SIDE_TITLE)) {
            EXPECT_TRUE(side->font().bold());
        }
        auto* next = wizard.Control<QPushButton>(index, IDC_NEXT);
        ASSERT_NE(next, nullptr);
        EXPECT_TRUE(next->isVisible());
        EXPECT_EQ(page->palette().color(QPalette::Window), QColor(Qt::white));
    }
    // The banner text is white over the banner.
    auto* banner = wizard.Control<QLabel>(0, IDC_BANNER_TEXT);
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(banner->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_FALSE(banner->autoFillBackground());
    wizard.frame.DestroyWindow();
}

TEST(QtWizard, TheRealNextAndCancelWidgetsReachThePageLogicAndTheQuestionIsAnswered)
{
    Wizard wizard;
    wizard.probes[0].nextPage = 6;
    wizard.frame.currentPage = 0;
    bool steps = false;
    QString question, questionTitle;
    bool keptOpenAfterNo = false;
    QTimer::singleShot(0, [&] {
        // Next on the first page moves on by the page's own logic.
        ClickWidget(wizard.Control<QPushButton>(0, IDC_NEXT));
        EXPECT_EQ(wizard.probes[0].nextPressed, 1);
        EXPECT_EQ(wizard.frame.currentPage, 6);
        EXPECT_TRUE(wizard.PageWidget(6)->isVisible());
        EXPECT_FALSE(wizard.PageWidget(0)->isVisible());
        {
            BoxAnswer no(QStringLiteral("&No"));
            ClickWidget(wizard.Control<QPushButton>(6, IDC_CANCEL));
            EXPECT_TRUE(no.answered);
            question = no.text;
            questionTitle = no.title;
        }
        keptOpenAfterNo = !wizard.frame.ModalEnded() && CQtFrontEnd::WidgetOf(wizard.frame)->isVisible();
        // Escape inside an edit asks the same question instead of closing anything.
        {
            BoxAnswer no(QStringLiteral("&No"));
            QLineEdit* edit = wizard.Control<QLineEdit>(6, IDC_IPV6_ADDRESS);
            ASSERT_NE(edit, nullptr);
            wizard.probes[6].GetDlgItem(IDC_IPV6_ADDRESS)->SetFocus();
            testing::PressKeyOn(edit, Qt::Key_Escape);
            EXPECT_TRUE(no.answered);
        }
        BoxAnswer yes(QStringLiteral("&Yes"));
        ClickWidget(wizard.Control<QPushButton>(6, IDC_CANCEL));
        EXPECT_TRUE(yes.answered);
        steps = true;
    });
    QTimer failsafe;
    failsafe.setSingleShot(true);
    QObject::connect(&failsafe, &QTimer::timeout, [&] { wizard.frame.EndDialog(99); });
    failsafe.start(15000);
    const int result = wizard.frame.DoModal(*FindDialogTemplate(IDD_WIZARD, 1033), nullptr);
    failsafe.stop();
    EXPECT_TRUE(steps);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(question, "Are you sure you want to cancel the tool?");
    EXPECT_EQ(questionTitle, "Plintor");
    EXPECT_TRUE(keptOpenAfterNo);
    EXPECT_FALSE(wizard.frame.Exists());
}

}
}

// The desktop front end on Qt's offscreen platform: dialogs from the program's layouts get
// real widgets at their dialog-unit places, input on the widgets reaches the model, the
// widgets follow the model, message boxes are answered, and modal loops keep the message
// queue running for worker threads.

#include "QtTestEnvironment.h"

#include "resources/dialogs/CommonPageIds.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "resources/dialogs/IpSettingIds.h"
#include "resources/dialogs/SelectPrinterIds.h"
#include "resources/dialogs/WaitIds.h"
#include "resources/dialogs/WelcomeIds.h"
#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/CDialog.h"
#include "ui/CEdit.h"
#include "ui/CIpAddressControl.h"
#include "ui/CListView.h"
#include "ui/WindowMessages.h"
#include "ui/qt/CQtFrontEnd.h"
#include "ui/qt/CQtIpAddressEdit.h"
#include "ui/qt/CQtLinkButton.h"
#include "ui/qt/DialogUnits.h"
#include "ui/qt/QtMessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace plintor::qt {
namespace {

using testing::ClickWidget;
using testing::PressKeyOn;
using testing::TypeInto;

// A dialog that records what reaches it.
class CRecordingDialog : public CDialog {
public:
    std::vector<int> commands;        // control ids of BN_CLICKED
    std::vector<NotifyInfo> notes;
    int closes = 0;
    int helps = 0;

protected:
    bool OnCommand(int controlId, int code) override
    {
        if (code == BN_CLICKED)
            commands.push_back(controlId);
        return true;   // nothing ends the dialog behind the test's back
    }
    bool OnNotify(const NotifyInfo& info) override
    {
        notes.push_back(info);
        return true;
    }
    void OnClose() override { ++closes; }
    void OnHelp() override { ++helps; }
};

const DialogTemplate& Layout(int id)
{
    const DialogTemplate* layout = FindDialogTemplate(id, 1033);
    EXPECT_NE(layout, nullptr) << id;
    static const DialogTemplate empty;
    return layout ? *layout : empty;
}

// The wizard frame with one page inside, both shown.
struct FrameWithPage {
    CRecordingDialog frame;
    CRecordingDialog page;

    explicit FrameWithPage(int pageId)
    {
        testing::EnsureQtFrontEnd();
        DialogTemplate frameLayout = Layout(IDD_WIZARD);
        frame.Create(frameLayout, nullptr);
        page.Create(Layout(pageId), &frame);
        frame.ShowWindow(true);
        page.ShowWindow(true);
        QApplication::processEvents();
    }
    ~FrameWithPage()
    {
        page.DestroyWindow();
        frame.DestroyWindow();
        QApplication::processEvents();
    }
    template <class W> W* Widget(int id) const
    {
        CWindow* control = page.GetDlgItem(id);
        EXPECT_NE(control, nullptr) << id;
        return control ? qobject_cast<W*>(CQtFrontEnd::WidgetOf(*control)) : nullptr;
    }
    QWidget* PageWidget() const { return CQtFrontEnd::WidgetOf(page); }
};

const char* ExpectedWidgetClass(const CWindow& window)
{
    switch (window.Kind()) {
    case ControlKind::Static:
    case ControlKind::Bitmap: return "QLabel";
    case ControlKind::EtchedLine: return "QFrame";
    case ControlKind::GroupBox: return "QGroupBox";
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton: return "QPushButton";
    case ControlKind::RadioButton: return "QRadioButton";
    case ControlKind::CheckBox: return "QCheckBox";
    case ControlKind::LinkButton: return "plintor::qt::CQtLinkButton";
    case ControlKind::Edit: return window.HasStyle(StyleMultiLine) ? "QPlainTextEdit" : "QLineEdit";
    case ControlKind::ComboBox: return "QComboBox";
    case ControlKind::ListView: return "QTreeWidget";
    case ControlKind::IpAddress: return "plintor::qt::CQtIpAddressEdit";
    case ControlKind::Dialog: return "QWidget";
    }
    return "";
}

TEST(QtDialogUnits, FollowTheDialogFontByTheDialogManagersRule)
{
    testing::EnsureQtFrontEnd();
    const QFont font = FontFromDesc(FontDesc{});
    const DialogUnits units(font);
    const QFontMetrics metrics(font);
    EXPECT_EQ(units.CharHeight(), metrics.height());
    EXPECT_GT(units.AverageCharWidth(), 2);
    EXPECT_EQ(units.X(4), units.AverageCharWidth());
    EXPECT_EQ(units.Y(8), units.CharHeight());
    EXPECT_EQ(units.X(400), units.AverageCharWidth() * 100);
    // Adjoining rectangles stay adjoined after rounding.
    const QRect left = units.ToPixels({0, 0, 37, 11});
    const QRect right = units.ToPixels({37, 11, 41, 13});
    EXPECT_EQ(left.right() + 1, right.left());
    EXPECT_EQ(left.bottom() + 1, right.top());
    // A bigger font gives bigger units.
    FontDesc big;
    big.height = 16;
    EXPECT_GT(DialogUnits(FontFromDesc(big)).X(100), units.X(100));
}

TEST(QtFrontEnd, TheFrameAndEveryPageOpenWithAWidgetOfTheirKindAtTheirPlace)
{
    for (int pageId : DialogTemplateIds()) {
        if (pageId == IDD_WIZARD || pageId == IDD_WAIT || pageId == IDD_ENTER_IP)
            continue;
        SCOPED_TRACE("page " + std::to_string(pageId));
        FrameWithPage shown(pageId);
        QWidget* frameWidget = CQtFrontEnd::WidgetOf(shown.frame);
        ASSERT_NE(frameWidget, nullptr);
        EXPECT_TRUE(frameWidget->isWindow());
        EXPECT_TRUE(frameWidget->isVisible());
        const DialogUnits units(FontFromDesc(shown.frame.GetFont()));
        EXPECT_EQ(frameWidget->size(), QSize(units.X(PAGE_WIDTH), units.Y(PAGE_HEIGHT)));
        QWidget* pageWidget = shown.PageWidget();
        ASSERT_NE(pageWidget, nullptr);
        EXPECT_EQ(pageWidget->parentWidget(), frameWidget);
        EXPECT_TRUE(pageWidget->isVisible());
        EXPECT_EQ(pageWidget->palette().color(QPalette::Window), QColor(Qt::white));
        for (CWindow* control : shown.page.Children()) {
            QWidget* widget = CQtFrontEnd::WidgetOf(*control);
            ASSERT_NE(widget, nullptr) << control->Id();
            EXPECT_STREQ(widget->metaObject()->className(), ExpectedWidgetClass(*control)) << control->Id();
            EXPECT_EQ(widget->parentWidget(), pageWidget);
            if (control->Kind() != ControlKind::EtchedLine) {
                EXPECT_EQ(widget->geometry(), units.ToPixels(control->GetRect())) << control->Id();
            }
            EXPECT_EQ(widget->isEnabled(), control->IsWindowEnabled()) << control->Id();
            EXPECT_EQ(widget->isVisibleTo(pageWidget), control->IsWindowVisible()) << control->Id();
        }
        // The banner pictures are drawn at their controls' size.
        auto* banner = shown.Widget<QLabel>(IDC_BANNER_BACK);
        ASSERT_NE(banner, nullptr);
        EXPECT_EQ(banner->pixmap().size(), banner->size());
    }
}

TEST(QtFrontEnd, ClicksOnTheRealNextAndCancelButtonsReachThePage)
{
    FrameWithPage shown(IDD_IP_SETTING);
    ClickWidget(shown.Widget<QPushButton>(IDC_NEXT));
    ClickWidget(shown.Widget<QPushButton>(IDC_CANCEL));
    ClickWidget(shown.Widget<QPushButton>(IDC_BACK));
    EXPECT_EQ(shown.page.commands, (std::vector<int>{IDC_NEXT, IDC_CANCEL, IDC_BACK}));
    // A disabled button takes no click.
    shown.page.GetDlgItem(IDC_NEXT)->EnableWindow(false);
    ClickWidget(shown.Widget<QPushButton>(IDC_NEXT));
    EXPECT_EQ(shown.page.commands.size(), 3u);
    // A "What's this?" link is a button too.
    ClickWidget(shown.Widget<CQtLinkButton>(IDC_IPV6_HELP));
    EXPECT_EQ(shown.page.commands.back(), IDC_IPV6_HELP);
}

TEST(QtFrontEnd, WidgetsFollowTheModel)
{
    FrameWithPage shown(IDD_IP_SETTING);
    CWindow* title = shown.page.GetDlgItem(IDC_PAGE_TITLE);
    title->SetWindowText("IP Address Settings\r\nsecond line");
    EXPECT_EQ(shown.Widget<QLabel>(IDC_PAGE_TITLE)->text(), "IP Address Settings\nsecond line");

    auto* manual = shown.page.Item<CButton>(IDC_IPV6_MANUAL);
    manual->SetCheck(1);
    EXPECT_TRUE(shown.Widget<QCheckBox>(IDC_IPV6_MANUAL)->isChecked());
    manual->EnableWindow(false);
    EXPECT_FALSE(shown.Widget<QCheckBox>(IDC_IPV6_MANUAL)->isEnabled());
    shown.page.GetDlgItem(IDC_IPV4_GATEWAY)->ShowWindow(false);
    EXPECT_FALSE(shown.Widget<CQtIpAddressEdit>(IDC_IPV4_GATEWAY)->isVisible());

    auto* mode = shown.page.Item<CComboBox>(IDC_IP_MODE);
    mode->AddString("Dual Stack");
    mode->AddString("IPv4");
    mode->AddString("IPv6");
    mode->SetCurSel(2);
    auto* combo = shown.Widget<QComboBox>(IDC_IP_MODE);
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(1), "IPv4");
    EXPECT_EQ(combo->currentIndex(), 2);
    mode->SetCurSel(-1);
    EXPECT_EQ(combo->currentIndex(), -1);

    auto* address = shown.page.Item<CIpAddressControl>(IDC_IPV4_ADDRESS);
    address->SetAddress(0xC0A8000Au);
    EXPECT_EQ(shown.Widget<CQtIpAddressEdit>(IDC_IPV4_ADDRESS)->Text(), "192.168.0.10");
    address->SetWindowText("10..0.");
    EXPECT_EQ(shown.Widget<CQtIpAddressEdit>(IDC_IPV4_ADDRESS)->Text(), "10..0.");

    auto* prefix = shown.page.GetDlgItem(IDC_IPV6_PREFIX);
    prefix->SetWindowText("64");
    EXPECT_EQ(shown.Widget<QLineEdit>(IDC_IPV6_PREFIX)->text(), "64");

    FontDesc bold = title->GetFont();
    bold.weight = 700;
    bold.height = 12;
    title->SetFont(bold);
    EXPECT_TRUE(shown.Widget<QLabel>(IDC_PAGE_TITLE)->font().bold());
    EXPECT_EQ(shown.Widget<QLabel>(IDC_PAGE_TITLE)->font().pointSize(), 12);
}

TEST(QtFrontEnd, ReportListShowsColumnsRowsAndTheModelsSelection)
{
    FrameWithPage shown(IDD_SELECT_PRINTER);
    auto* list = shown.page.Item<CListView>(IDC_PRINTER_LIST);
    list->InsertColumn(0, "MAC Address", PRINTER_LIST_MAC_WIDTH);
    list->InsertColumn(1, "IP Address", PRINTER_LIST_IP_WIDTH);
    list->InsertItem(0, "00:11:22:33:44:55");
    list->SetItemText(0, 1, "192.168.0.10");
    list->InsertItem(1, "00:11:22:33:44:66");
    list->SetItemText(1, 1, "192.168.0.11 / 2001:1::5");
    list->SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    auto* tree = shown.Widget<QTreeWidget>(IDC_PRINTER_LIST);
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->headerItem()->text(0), "MAC Address");
    EXPECT_EQ(tree->columnWidth(0), PRINTER_LIST_MAC_WIDTH);
    EXPECT_EQ(tree->columnWidth(1), PRINTER_LIST_IP_WIDTH);
    EXPECT_EQ(tree->topLevelItem(1)->text(1), "192.168.0.11 / 2001:1::5");
    ASSERT_EQ(tree->selectedItems().size(), 1);
    EXPECT_EQ(tree->selectedItems()[0], tree->topLevelItem(0));

    // A click right of the last column still selects the row and tells the page which
    // column it hit (none).
    tree->resize(PRINTER_LIST_MAC_WIDTH + PRINTER_LIST_IP_WIDTH + 60, tree->height());
    QApplication::processEvents();
    const QRect second = tree->visualItemRect(tree->topLevelItem(1));
    shown.page.notes.clear();
    ClickWidget(tree->viewport(), QPoint(PRINTER_LIST_MAC_WIDTH + PRINTER_LIST_IP_WIDTH + 30, second.center().y()));
    EXPECT_EQ(list->SelectedRow(), 1);
    EXPECT_EQ(list->FocusedRow(), 1);
    ASSERT_EQ(tree->selectedItems().size(), 1);
    EXPECT_EQ(tree->selectedItems()[0], tree->topLevelItem(1));
    bool clicked = false;
    for (const NotifyInfo& note : shown.page.notes)
        if (note.code == NM_CLICK && note.idFrom == IDC_PRINTER_LIST) {
            clicked = true;
            EXPECT_EQ(note.row, 1);
            EXPECT_EQ(note.column, -1);
        }
    EXPECT_TRUE(clicked);
    // And a click in the first column names column 0.
    shown.page.notes.clear();
    const QRect first = tree->visualItemRect(tree->topLevelItem(0));
    ClickWidget(tree->viewport(), QPoint(10, first.center().y()));
    EXPECT_EQ(list->SelectedRow(), 0);
    ASSERT_FALSE(shown.page.notes.empty());
    EXPECT_EQ(shown.page.notes.back().column, 0);
    list->DeleteAllItems();
    EXPECT_EQ(tree->topLevelItemCount(), 0);
}

TEST(QtFrontEnd, TypingGoesThroughTheModelsRules)
{
    FrameWithPage shown(IDD_IP_SETTING);
    // The limit of the IPv6 address edit is the model's, in characters.
    auto* edit = shown.Widget<QLineEdit>(IDC_IPV6_ADDRESS);
    edit->setFocus();
    TypeInto(edit, QString(40, QLatin1Char('a')));
    EXPECT_EQ(shown.page.GetDlgItem(IDC_IPV6_ADDRESS)->GetWindowText(), std::string(39, 'a'));
    EXPECT_EQ(edit->text(), QString(39, QLatin1Char('a')));
    // Digits only in the prefix.
    auto* prefix = shown.Widget<QLineEdit>(IDC_IPV6_PREFIX);
    prefix->setFocus();
    TypeInto(prefix, QStringLiteral("6x4"));
    EXPECT_EQ(shown.page.GetDlgItem(IDC_IPV6_PREFIX)->GetWindowText(), "64");
    EXPECT_EQ(prefix->text(), "64");
}

TEST(QtFrontEnd, AnAddressTypedIntoTheFourFieldsArrivesUnmangled)
{
    FrameWithPage shown(IDD_IP_SETTING);
    auto* address = shown.Widget<CQtIpAddressEdit>(IDC_IPV4_ADDRESS);
    address->FocusField(0);
    TypeInto(address->Field(0), QStringLiteral("192.168.0.10"));
    EXPECT_EQ(shown.page.GetDlgItem(IDC_IPV4_ADDRESS)->GetWindowText(), "192.168.0.10");
    std::uint32_t value = 0;
    EXPECT_EQ(shown.page.Item<CIpAddressControl>(IDC_IPV4_ADDRESS)->GetAddress(value), 4);
    EXPECT_EQ(value, 0xC0A8000Au);
    // Three digits move on by themselves; a value above 255 becomes 255.
    auto* mask = shown.Widget<CQtIpAddressEdit>(IDC_IPV4_MASK);
    mask->FocusField(0);
    TypeInto(mask->Field(0), QStringLiteral("255255999"));
    EXPECT_EQ(shown.page.GetDlgItem(IDC_IPV4_MASK)->GetWindowText(), "255.255.255.");
    EXPECT_EQ(mask->Text(), "255.255.255.");
}

TEST(QtFrontEnd, ADotAfterAnAutomaticMoveToTheNextFieldDoesNotSkipAField)
{
    FrameWithPage shown(IDD_IP_SETTING);
    auto* model = shown.page.Item<CIpAddressControl>(IDC_IPV4_GATEWAY);
    model->SetAddress(0);   // "0.0.0.0", as a page loads an empty address
    auto* gateway = shown.Widget<CQtIpAddressEdit>(IDC_IPV4_GATEWAY);
    gateway->FocusField(0);
    TypeInto(gateway->Field(0), QStringLiteral("255.255.255.0"));
    EXPECT_EQ(model->GetWindowText(), "255.255.255.0");
    gateway->FocusField(0);
    TypeInto(gateway->Field(0), QStringLiteral("10.1.2.3"));
    EXPECT_EQ(model->GetWindowText(), "10.1.2.3");
}

TEST(QtFrontEnd, RadioButtonsAndCheckBoxesTakeTheirStateFromTheModel)
{
    FrameWithPage shown(IDD_WELCOME);
    auto* ip = shown.Widget<QRadioButton>(IDC_WELCOME_IP);
    auto* fax = shown.Widget<QRadioButton>(IDC_WELCOME_FAX);
    ClickWidget(ip);
    ClickWidget(ip);   // a second click leaves a radio button checked
    EXPECT_TRUE(ip->isChecked());
    EXPECT_EQ(shown.page.Item<CButton>(IDC_WELCOME_IP)->GetCheck(), 1);
    ClickWidget(fax);
    EXPECT_FALSE(ip->isChecked());
    EXPECT_TRUE(fax->isChecked());
    EXPECT_EQ(shown.page.Item<CButton>(IDC_WELCOME_IP)->GetCheck(), 0);
    EXPECT_EQ(shown.page.commands, (std::vector<int>{IDC_WELCOME_IP, IDC_WELCOME_IP, IDC_WELCOME_FAX}));
}

TEST(QtFrontEnd, EscapeEnterAndF1GoToTheModelNotToQt)
{
    FrameWithPage shown(IDD_IP_SETTING);
    auto* edit = shown.Widget<QLineEdit>(IDC_IPV6_ADDRESS);
    shown.page.GetDlgItem(IDC_IPV6_ADDRESS)->SetFocus();
    PressKeyOn(edit, Qt::Key_Escape);
    PressKeyOn(edit, Qt::Key_Return);
    PressKeyOn(edit, Qt::Key_F1);
    // Escape is the dialog's cancel, Enter its default button (Next), F1 its help.
    EXPECT_EQ(shown.page.commands, (std::vector<int>{IDCANCEL, IDC_NEXT}));
    EXPECT_EQ(shown.page.helps, 1);
    EXPECT_TRUE(CQtFrontEnd::WidgetOf(shown.frame)->isVisible());
}

TEST(QtFrontEnd, TheTitleBarCloseAsksTheModel)
{
    FrameWithPage shown(IDD_WELCOME);
    QWidget* frame = CQtFrontEnd::WidgetOf(shown.frame);
    EXPECT_FALSE(frame->close());   // the model keeps it
    EXPECT_EQ(shown.frame.closes, 1);
    EXPECT_TRUE(frame->isVisible());
}

TEST(QtFrontEnd, ComboBoxChoiceReachesTheModel)
{
    FrameWithPage shown(IDD_IP_SETTING);
    auto* type = shown.page.Item<CComboBox>(IDC_IPV4_TYPE);
    type->AddString("DHCP");
    type->AddString("Static IP");
    type->AddString("AutoIP");
    type->SetCurSel(0);
    auto* combo = shown.Widget<QComboBox>(IDC_IPV4_TYPE);
    combo->setFocus();
    PressKeyOn(combo, Qt::Key_Down);
    EXPECT_EQ(type->GetCurSel(), 1);
    EXPECT_EQ(combo->currentIndex(), 1);
}

// Answers the next message box that opens by pressing the button with `text`, and
// remembers what it showed.
struct BoxAnswer {
    QString pressed;
    QStringList buttons;
    QString defaultButton;
    QString text;
    QString title;
    void Arm()
    {
        QTimer::singleShot(0, [this] { Try(); });
    }
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
            buttons << button->text();
        if (box->defaultButton())
            defaultButton = box->defaultButton()->text();
        for (QAbstractButton* button : box->buttons())
            if (button->text() == pressed)
                ClickWidget(button);
    }
};

TEST(QtFrontEnd, AMessageBoxIsAnsweredAndHasItsButtonsInTheInterfaceLanguage)
{
    testing::EnsureQtFrontEnd();
    BoxAnswer answer;
    answer.pressed = QString::fromUtf8("&Ja");
    answer.Arm();
    MessageBoxRequest request;
    request.text = "Sind Sie sicher?\r\nWirklich.";
    request.caption = "Plintor";
    request.style = MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2;
    request.language = 1031;
    EXPECT_EQ(ShowMessageBox(request), IDYES);
    EXPECT_EQ(answer.buttons.size(), 2);
    EXPECT_TRUE(answer.buttons.contains(QString::fromUtf8("&Nein")));
    EXPECT_EQ(answer.defaultButton, QString::fromUtf8("&Nein"));
    EXPECT_EQ(answer.text, "Sind Sie sicher?\nWirklich.");
    EXPECT_EQ(answer.title, "Plintor");

    BoxAnswer retry;
    retry.pressed = QString::fromUtf8("Annuler");
    retry.Arm();
    request.style = MB_RETRYCANCEL | MB_ICONEXCLAMATION;
    request.language = 1036;
    EXPECT_EQ(ShowMessageBox(request), IDCANCEL);
    EXPECT_TRUE(retry.buttons.contains(QString::fromUtf8("&R\xC3\xA9" "essayer")));
}

TEST(QtFrontEnd, ButtonTextsExistForEveryInterfaceLanguage)
{
    for (std::uint16_t language : DialogTemplateLanguages()) {
        for (int id : {IDOK, IDCANCEL, IDYES, IDNO, IDRETRY})
            EXPECT_FALSE(MessageBoxButtonText(id, language).isEmpty()) << language << "/" << id;
    }
    EXPECT_EQ(MessageBoxButtonText(IDCANCEL, 1031), "Abbrechen");
    EXPECT_EQ(MessageBoxButtonText(IDCANCEL, 0x0807), "Abbrechen");   // Swiss German: German texts
    EXPECT_EQ(MessageBoxButtonText(IDCANCEL, 0x0436), "Cancel");      // no table: English
    EXPECT_EQ(MessageBoxButtonText(IDOK, 3082), "Aceptar");
}

// A wait popup whose worker sends and posts to it while its modal loop runs.
class CWorkerDialog : public CDialog {
public:
    std::vector<int> received;
    bool onMainThread = true;
    std::thread worker;
    std::thread::id mainThread = std::this_thread::get_id();

protected:
    bool OnInitDialog() override
    {
        const WindowHandle self = Handle();
        worker = std::thread([this, self] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            SendMessage(WM_USER + 1, 1, 0);   // blocks until the main thread ran it
            CWindow::PostMessage(self, WM_USER + 2, 2, 0);
            CWindow::PostMessage(self, WM_USER + 3, 3, 0);
            CWindow::PostMessage(self, WM_CLOSE, 0, 0);
        });
        return true;
    }
    std::intptr_t OnMessage(unsigned message, std::uintptr_t wParam, std::intptr_t) override
    {
        if (message > WM_USER) {
            received.push_back(static_cast<int>(wParam));
            onMainThread = onMainThread && std::this_thread::get_id() == mainThread;
        }
        return 0;
    }
};

TEST(QtFrontEnd, AModalLoopRunsTheMessagesOfAWorkerThreadInOrder)
{
    testing::EnsureQtFrontEnd();
    CWorkerDialog dialog;
    // If the queue did not run, the failsafe ends the loop with a result of its own.
    QTimer failsafe;
    failsafe.setSingleShot(true);
    QObject::connect(&failsafe, &QTimer::timeout, [&dialog] { dialog.EndDialog(99); });
    failsafe.start(10000);
    const int result = dialog.DoModal(Layout(IDD_WAIT));
    failsafe.stop();
    dialog.worker.join();
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dialog.received, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(dialog.onMainThread);
    EXPECT_FALSE(dialog.Exists());
}

TEST(QtFrontEnd, AModalDialogIsAWindowOverItsOwnerAndGoesAway)
{
    FrameWithPage shown(IDD_SELECT_PRINTER);
    CRecordingDialog entry;
    QPointer<QWidget> entryWidget;
    QTimer::singleShot(0, [&] {
        entryWidget = CQtFrontEnd::WidgetOf(entry);
        ASSERT_TRUE(entryWidget);
        EXPECT_TRUE(entryWidget->isWindow());
        EXPECT_TRUE(entryWidget->isVisible());
        EXPECT_EQ(entryWidget->windowTitle(), "Enter IP Address");
        EXPECT_EQ(entryWidget->windowModality(), Qt::ApplicationModal);
        EXPECT_FALSE(CQtFrontEnd::WidgetOf(shown.frame)->isEnabled());   // the owner waits
        entry.EndDialog(IDOK);
    });
    EXPECT_EQ(entry.DoModal(Layout(IDD_ENTER_IP), &shown.page), IDOK);
    EXPECT_TRUE(CQtFrontEnd::WidgetOf(shown.frame)->isEnabled());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(entryWidget.isNull());
}

}
}

namespace plintor::qt {
namespace {

TEST(QtFrontEnd, TheWaitPopupCannotBeClosedFromItsTitleBar)
{
    testing::EnsureQtFrontEnd();
    CRecordingDialog wait;
    ASSERT_TRUE(wait.Create(Layout(IDD_WAIT), nullptr));
    wait.GetDlgItem(IDC_WAIT_MESSAGE)->SetWindowText("Searching for printer. Please wait.");
    wait.ShowWindow(true);
    QWidget* widget = CQtFrontEnd::WidgetOf(wait);
    ASSERT_NE(widget, nullptr);
    EXPECT_FALSE(widget->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(widget->close());
    EXPECT_EQ(wait.closes, 0);
    auto* message = qobject_cast<QLabel*>(CQtFrontEnd::WidgetOf(*wait.GetDlgItem(IDC_WAIT_MESSAGE)));
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->text(), "Searching for printer. Please wait.");
    EXPECT_TRUE(message->alignment() & Qt::AlignHCenter);
    wait.DestroyWindow();
}

}
}

#include "resources/dialogs/WirelessSettingIds.h"

namespace plintor::qt {
namespace {

int BluePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() > 200 && c.red() < 80 && c.green() < 80)
                ++count;
        }
    return count;
}

TEST(QtFrontEnd, LinksAreDrawnBlueOnWhiteAndGreyWhenDisabledAndKeysAreHidden)
{
    FrameWithPage shown(IDD_WIRELESS_SETTING);
    auto* link = shown.Widget<CQtLinkButton>(IDC_WL_SSID_HELP);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->text(), "What's this?");
    EXPECT_EQ(link->DrawState(), 0);
    QImage enabled = link->grab().toImage();
    EXPECT_GT(BluePixels(enabled), 10);
    EXPECT_EQ(enabled.pixelColor(1, 1), QColor(Qt::white));
    shown.page.GetDlgItem(IDC_WL_SSID_HELP)->SetFocus();
    EXPECT_EQ(link->DrawState(), 2);
    shown.page.GetDlgItem(IDC_WL_SSID_HELP)->EnableWindow(false);
    EXPECT_EQ(link->DrawState(), 3);
    EXPECT_EQ(BluePixels(link->grab().toImage()), 0);

    auto* key = shown.Widget<QLineEdit>(IDC_WL_KEY);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->echoMode(), QLineEdit::Password);
    shown.page.GetDlgItem(IDC_WL_KEY)->SetWindowText("secret12");
    EXPECT_EQ(key->text(), "secret12");
    EXPECT_NE(key->displayText(), "secret12");
}

}
}

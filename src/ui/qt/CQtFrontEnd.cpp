#include "ui/qt/CQtFrontEnd.h"

#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/CDialog.h"
#include "ui/CEdit.h"
#include "ui/CIpAddressControl.h"
#include "ui/CListView.h"
#include "ui/CMessageQueue.h"
#include "ui/WindowMessages.h"
#include "ui/qt/CQtIpAddressEdit.h"
#include "ui/qt/CQtLinkButton.h"
#include "ui/qt/QtMessageBox.h"
#include "ui/qt/QtPictures.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTreeWidget>

#include <algorithm>

namespace plintor::qt {

struct CQtFrontEnd::Peer {
    CWindow* window = nullptr;
    QWidget* widget = nullptr;
    // The units the window's own rectangle is measured in (its parent dialog's), and for a
    // dialog the units of its controls.
    DialogUnits placement;
    DialogUnits own;
    bool placed = false;   // a top-level window was positioned once
    bool closable = true;  // a top-level window without buttons cannot be closed by the user
};

namespace {

QString FromUtf8(const std::string& text)
{
    QString shown = QString::fromStdString(text);
    shown.remove(QLatin1Char('\r'));
    return shown;
}

// The text without its mnemonic markers ("&Printer" shows "Printer", "&&" one ampersand).
QString WithoutMnemonic(const QString& text)
{
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&'))
                plain += QLatin1Char('&');
            ++i;
            if (i < text.size() && text[i] != QLatin1Char('&'))
                plain += text[i];
            continue;
        }
        plain += text[i];
    }
    return plain;
}

bool HasMnemonic(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (text[i + 1] != QLatin1Char('&'))
                return true;
            ++i;
        }
    }
    return false;
}

bool TakesFocus(const CWindow& window)
{
    return IsInputKind(window.Kind());
}

QColor ToQColor(Colour colour)
{
    return QColor((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

int VirtualKeyOf(const QKeyEvent& key)
{
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return 0;
    switch (key.key()) {
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_F1: return VK_F1;
    default: return 0;
    }
}

constexpr QRgb kPageBackground = 0xFFFFFFFF;

// Radio buttons and check boxes take a click anywhere in their rectangle, as the dialog
// framework's buttons do, not only on the mark and the text.
class CWholeRadioButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// A group box drawn as the dialog framework draws one: an etched frame whose top line runs
// through the middle of the title, and nothing filled inside, so that the page shows
// through (a style's own group box may shade its inside).
class CEtchedGroupBox : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const int top = metrics.height() / 2;
        const QRect frame = rect().adjusted(0, top, -2, -2);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(frame);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawRect(frame.translated(1, 1));
        const QString text = title();
        if (text.isEmpty())
            return;
        const int indent = metrics.averageCharWidth();
        const QRect textRect(indent, 0, metrics.horizontalAdvance(text) + indent, metrics.height());
        const QWidget* page = parentWidget();
        painter.fillRect(textRect, page ? page->palette().color(QPalette::Window) : palette().color(QPalette::Window));
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        painter.drawText(textRect.adjusted(indent / 2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         text);
    }
};

class CWholeCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

}

CQtFrontEnd::CQtFrontEnd()
{
    qApp->installEventFilter(this);
    QApplication::setWindowIcon(ProgramIcon());
}

CQtFrontEnd::~CQtFrontEnd()
{
    if (qApp)
        qApp->removeEventFilter(this);
    for (auto& [widget, peer] : peersByWidget) {
        peer->window->peer = nullptr;
        delete peer;
    }
}

QWidget* CQtFrontEnd::WidgetOf(const CWindow& window)
{
    return window.peer ? static_cast<Peer*>(window.peer)->widget : nullptr;
}

CWindow* CQtFrontEnd::WindowOf(const QWidget* widget) const
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        auto found = peersByWidget.find(w);
        if (found != peersByWidget.end())
            return found->second->window;
        if (w->isWindow())
            break;
    }
    return nullptr;
}

QWidget* CQtFrontEnd::OwnerWidget(CWindow* owner) const
{
    if (owner) {
        if (QWidget* widget = WidgetOf(*owner->TopLevel()))
            return widget;
    }
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

void CQtFrontEnd::CreatePeer(CDialog& dialog)
{
    if (dialog.peer)
        return;
    ApplyingScope scope(applying);
    QWidget* parentWidget = dialog.Parent() ? WidgetOf(*dialog.Parent()) : nullptr;
    auto* peer = new Peer;
    peer->window = &dialog;
    const QFont font = FontFromDesc(dialog.GetFont());
    peer->own = DialogUnits(font);
    QWidget* widget = nullptr;
    if (parentWidget) {
        widget = new QWidget(parentWidget);
        peer->placement = static_cast<Peer*>(dialog.Parent()->peer)->own;
        // A page is white unless the model paints it otherwise.
        widget->setAutoFillBackground(true);
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, QColor::fromRgba(kPageBackground));
        widget->setPalette(palette);
    } else {
        peer->closable = UserMayClose(dialog);
        Qt::WindowFlags flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
        if (peer->closable)
            flags |= Qt::WindowCloseButtonHint;
        else
            flags |= Qt::CustomizeWindowHint;
        widget = new QWidget(OwnerWidget(dialog.Owner()), flags);
        peer->placement = peer->own;
        widget->setWindowIcon(ProgramIcon());
        widget->setAttribute(Qt::WA_DeleteOnClose, false);
        if (dialog.IsModal())
            widget->setWindowModality(Qt::ApplicationModal);
    }
    widget->setObjectName(QStringLiteral("dialog-%1").arg(dialog.Id()));
    widget->setFont(font);
    peer->widget = widget;
    dialog.peer = peer;
    peersByWidget[widget] = peer;

    for (CWindow* child : dialog.Children())
        if (!child->peer && child->Kind() != ControlKind::Dialog)
            CreateWidgets(*child, widget, peer->own);

    // A static's mnemonic moves the focus to the next control that takes it, as in the
    // dialog manager; labels without such a control show their text plainly.
    const auto& children = dialog.Children();
    for (std::size_t i = 0; i < children.size(); ++i) {
        auto* label = qobject_cast<QLabel*>(WidgetOf(*children[i]));
        if (!label || children[i]->Kind() != ControlKind::Static)
            continue;
        for (std::size_t j = i + 1; j < children.size(); ++j) {
            if (TakesFocus(*children[j])) {
                label->setBuddy(WidgetOf(*children[j]));
                break;
            }
        }
        ApplyText(*static_cast<Peer*>(children[i]->peer));
    }

    Apply(*peer, ~0u & ~static_cast<unsigned>(PeerFocus));
}

void CQtFrontEnd::CreateWidgets(CWindow& window, QWidget* parentWidget, const DialogUnits& units)
{
    auto* peer = new Peer;
    peer->window = &window;
    peer->placement = units;
    peer->own = units;
    peer->widget = MakeWidget(window, parentWidget);
    peer->widget->setObjectName(QStringLiteral("control-%1").arg(window.Id()));
    window.peer = peer;
    peersByWidget[peer->widget] = peer;
    Connect(*peer);
    Apply(*peer, ~0u & ~static_cast<unsigned>(PeerFocus));
}

QWidget* CQtFrontEnd::MakeWidget(CWindow& window, QWidget* parentWidget)
{
    switch (window.Kind()) {
    case ControlKind::Static: {
        auto* label = new QLabel(parentWidget);
        label->setAlignment((window.HasStyle(StyleCenter) ? Qt::AlignHCenter
                             : window.HasStyle(StyleRight) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
        label->setWordWrap(!window.HasStyle(StyleNoWrap));
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    case ControlKind::Bitmap: {
        auto* label = new QLabel(parentWidget);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ControlKind::EtchedLine: {
        auto* line = new QFrame(parentWidget);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        return line;
    }
    case ControlKind::GroupBox:
        return new CEtchedGroupBox(parentWidget);
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton: {
        auto* button = new QPushButton(parentWidget);
        button->setAutoDefault(false);
        button->setDefault(window.Kind() == ControlKind::DefaultPushButton);
        return button;
    }
    case ControlKind::RadioButton: {
        auto* radio = new CWholeRadioButton(parentWidget);
        radio->setAutoExclusive(false);   // the model unchecks the others of the group
        return radio;
    }
    case ControlKind::CheckBox:
        return new CWholeCheckBox(parentWidget);
    case ControlKind::LinkButton:
        return new CQtLinkButton(parentWidget);
    case ControlKind::Edit: {
        if (window.HasStyle(StyleMultiLine)) {
            auto* edit = new QPlainTextEdit(parentWidget);
            edit->setReadOnly(window.HasStyle(StyleReadOnly));
            edit->setVerticalScrollBarPolicy(window.HasStyle(StyleVScroll) ? Qt::ScrollBarAlwaysOn
                                                                           : Qt::ScrollBarAsNeeded);
            edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            edit->setTabChangesFocus(true);
            return edit;
        }
        auto* edit = new QLineEdit(parentWidget);
        edit->setReadOnly(window.HasStyle(StyleReadOnly));
        if (window.HasStyle(StylePassword))
            edit->setEchoMode(QLineEdit::Password);
        return edit;
    }
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(parentWidget);
        combo->setEditable(false);
        combo->setMaxVisibleItems(12);
        return combo;
    }
    case ControlKind::ListView: {
        auto* list = new QTreeWidget(parentWidget);
        list->setRootIsDecorated(false);
        list->setItemsExpandable(false);
        list->setUniformRowHeights(true);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setSelectionBehavior(QAbstractItemView::SelectRows);
        list->setAllColumnsShowFocus(true);
        list->setSortingEnabled(false);
        list->header()->setSectionsClickable(false);
        list->header()->setSectionsMovable(false);
        list->header()->setStretchLastSection(false);
        list->header()->setSectionResizeMode(QHeaderView::Interactive);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        // The selection stays visible while the list has no focus.
        QPalette palette = list->palette();
        palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         palette.color(QPalette::Active, QPalette::HighlightedText));
        list->setPalette(palette);
        list->viewport()->installEventFilter(this);
        return list;
    }
    case ControlKind::IpAddress:
        return new CQtIpAddressEdit(parentWidget);
    case ControlKind::Dialog:
        break;
    }
    return new QWidget(parentWidget);
}

void CQtFrontEnd::Connect(Peer& peer)
{
    const WindowHandle handle = peer.window->Handle();
    QWidget* widget = peer.widget;
    // Every handler looks its window up again: input may arrive after the model has moved on.
    auto live = [handle]() -> CWindow* {
        CWindow* window = CWindow::FromHandle(handle);
        return window && window->peer ? window : nullptr;
    };

    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        if (peer.window->Kind() == ControlKind::RadioButton || peer.window->Kind() == ControlKind::CheckBox)
            button->setCheckable(true);
        connect(button, &QAbstractButton::clicked, this, [this, live] {
            if (applying)
                return;
            if (auto* model = dynamic_cast<CButton*>(live()))
                model->Click();
            // The model decides the check state: set the widget back from it.
            if (CWindow* window = live())
                ApplyChecked(*static_cast<Peer*>(window->peer));
        });
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        connect(edit, &QLineEdit::textEdited, this, [this, live, edit](const QString& typed) {
            if (applying)
                return;
            if (auto* model = dynamic_cast<CEdit*>(live()))
                model->UserType(typed.toStdString());
            if (CWindow* window = live()) {
                const QString truth = QString::fromStdString(window->GetWindowText());
                if (edit->text() != truth) {
                    ApplyingScope scope(applying);
                    const int cursor = edit->cursorPosition();
                    edit->setText(truth);
                    edit->setCursorPosition(std::min<int>(cursor, static_cast<int>(truth.size())));
                }
            }
        });
        return;
    }
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
        connect(edit, &QPlainTextEdit::textChanged, this, [this, live, edit] {
            if (applying || edit->isReadOnly())
                return;
            if (auto* model = dynamic_cast<CEdit*>(live()))
                model->UserType(edit->toPlainText().toStdString());
        });
        return;
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        connect(combo, &QComboBox::activated, this, [this, live](int index) {
            if (applying)
                return;
            if (auto* model = dynamic_cast<CComboBox*>(live()))
                model->UserSelect(index);
            if (CWindow* window = live())
                ApplySelection(*static_cast<Peer*>(window->peer));
        });
        return;
    }
    if (auto* list = qobject_cast<QTreeWidget*>(widget)) {
        // Mouse clicks arrive through the viewport's event filter; keyboard moves here.
        connect(list, &QTreeWidget::currentItemChanged, this, [this, live, list](QTreeWidgetItem* current) {
            if (applying || !current)
                return;
            if (auto* model = dynamic_cast<CListView*>(live())) {
                const int row = list->indexOfTopLevelItem(current);
                model->SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            }
            if (CWindow* window = live())
                ApplySelection(*static_cast<Peer*>(window->peer));
        });
        return;
    }
    if (auto* address = qobject_cast<CQtIpAddressEdit*>(widget)) {
        connect(address, &CQtIpAddressEdit::Edited, this, [this, live, address](const QString& dotted) {
            if (applying)
                return;
            if (auto* model = dynamic_cast<CIpAddressControl*>(live()))
                model->UserType(dotted.toStdString());
            if (auto* model = dynamic_cast<CIpAddressControl*>(live())) {
                ApplyingScope scope(applying);
                address->SetFields(model->Fields());
            }
        });
        return;
    }
}

void CQtFrontEnd::UpdatePeer(CWindow& window, unsigned changes)
{
    if (!window.peer)
        return;
    Apply(*static_cast<Peer*>(window.peer), changes);
}

void CQtFrontEnd::Apply(Peer& peer, unsigned changes)
{
    ApplyingScope scope(applying);
    CWindow& window = *peer.window;
    QWidget* widget = peer.widget;
    if (changes & PeerFont) {
        widget->setFont(FontFromDesc(window.GetFont()));
        if (auto* link = qobject_cast<CQtLinkButton*>(widget))
            link->update();
    }
    if (changes & PeerGeometry)
        ApplyGeometry(peer);
    if (changes & PeerText)
        ApplyText(peer);
    if (changes & PeerColours)
        ApplyColours(peer);
    if (changes & (PeerImage | PeerGeometry))
        ApplyImage(peer);
    if (changes & PeerItems)
        ApplyItems(peer);
    if (changes & (PeerSelection | PeerItems))
        ApplySelection(peer);
    if (changes & PeerChecked)
        ApplyChecked(peer);
    if (changes & PeerLimit)
        ApplyLimit(peer);
    if (changes & PeerEnabled)
        widget->setEnabled(window.IsWindowEnabled());
    if (changes & PeerVisible) {
        if (widget->isWindow()) {
            if (window.IsWindowVisible()) {
                if (!peer.placed) {
                    // Centred over the window it belongs to, or on the screen.
                    QWidget* over = widget->parentWidget() ? widget->parentWidget()->window() : nullptr;
                    const QRect area = over && over->isVisible() ? over->frameGeometry()
                                       : widget->screen() ? widget->screen()->availableGeometry() : QRect();
                    if (!area.isEmpty())
                        widget->move(area.center() - QPoint(widget->width() / 2, widget->height() / 2));
                    peer.placed = true;
                }
                widget->show();
                if (QGuiApplication::platformName() != QLatin1String("offscreen"))
                    widget->raise();
                widget->activateWindow();
            } else {
                widget->hide();
            }
        } else {
            widget->setVisible(window.IsWindowVisible());
        }
    }
    if ((changes & PeerFocus) && CWindow::GetFocus() == &window) {
        if (auto* address = qobject_cast<CQtIpAddressEdit*>(widget))
            address->FocusField(0);
        else
            widget->setFocus(Qt::OtherFocusReason);
    }
}

void CQtFrontEnd::ApplyGeometry(Peer& peer)
{
    CWindow& window = *peer.window;
    QWidget* widget = peer.widget;
    const WindowRect& rect = window.GetRect();
    if (widget->isWindow()) {
        widget->setFixedSize(peer.own.X(rect.cx), peer.own.Y(rect.cy));
        return;
    }
    QRect pixels = peer.placement.ToPixels(rect);
    if (window.Kind() == ControlKind::EtchedLine)
        pixels.setHeight(std::max(2, pixels.height()));
    widget->setGeometry(pixels);
}

void CQtFrontEnd::ApplyText(Peer& peer)
{
    CWindow& window = *peer.window;
    QWidget* widget = peer.widget;
    const QString text = FromUtf8(window.GetWindowText());
    switch (window.Kind()) {
    case ControlKind::Dialog:
        if (widget->isWindow())
            widget->setWindowTitle(text);
        break;
    case ControlKind::Static: {
        auto* label = static_cast<QLabel*>(widget);
        if (label->buddy() && HasMnemonic(text)) {
            label->setText(text);   // a plain-text label with a buddy underlines its mnemonic
        } else {
            label->setText(WithoutMnemonic(text));
        }
        break;
    }
    case ControlKind::GroupBox:
        static_cast<QGroupBox*>(widget)->setTitle(WithoutMnemonic(text));
        break;
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton:
    case ControlKind::RadioButton:
    case ControlKind::CheckBox:
    case ControlKind::LinkButton:
        static_cast<QAbstractButton*>(widget)->setText(text);
        break;
    case ControlKind::Edit:
        if (auto* line = qobject_cast<QLineEdit*>(widget)) {
            if (line->text() != text)
                line->setText(text);
        } else if (auto* multi = qobject_cast<QPlainTextEdit*>(widget)) {
            if (multi->toPlainText() != text)
                multi->setPlainText(text);
        }
        break;
    case ControlKind::IpAddress:
        if (auto* model = dynamic_cast<CIpAddressControl*>(&window))
            static_cast<CQtIpAddressEdit*>(widget)->SetFields(model->Fields());
        break;
    default:
        break;
    }
}

void CQtFrontEnd::ApplyColours(Peer& peer)
{
    CWindow& window = *peer.window;
    QWidget* widget = peer.widget;
    QPalette palette = widget->palette();
    const bool dialog = window.Kind() == ControlKind::Dialog;
    if (window.TextColour() != kDefaultColour) {
        // A disabled control keeps the greyed text of the style, as the dialog framework's do.
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::WindowText, ToQColor(window.TextColour()));
            palette.setColor(group, QPalette::Text, ToQColor(window.TextColour()));
        }
    }
    if (window.TransparentBackground()) {
        widget->setAutoFillBackground(false);
    } else if (window.BackgroundColour() != kDefaultColour) {
        palette.setColor(QPalette::Window, ToQColor(window.BackgroundColour()));
        widget->setAutoFillBackground(dialog || window.Kind() == ControlKind::Static);
    }
    widget->setPalette(palette);
}

void CQtFrontEnd::ApplyImage(Peer& peer)
{
    if (peer.window->Kind() != ControlKind::Bitmap)
        return;
    auto* label = static_cast<QLabel*>(peer.widget);
    const QImage image = DrawPicture(peer.window->BitmapId(), label->size());
    if (image.isNull())
        label->clear();
    else
        label->setPixmap(QPixmap::fromImage(image));
}

void CQtFrontEnd::ApplyItems(Peer& peer)
{
    CWindow& window = *peer.window;
    if (auto* model = dynamic_cast<CComboBox*>(&window)) {
        auto* combo = static_cast<QComboBox*>(peer.widget);
        combo->clear();
        for (const CComboBox::Item& item : model->Items())
            combo->addItem(FromUtf8(item.text));
        return;
    }
    if (auto* model = dynamic_cast<CListView*>(&window)) {
        auto* list = static_cast<QTreeWidget*>(peer.widget);
        const auto& columns = model->Columns();
        list->clear();
        list->setColumnCount(std::max<int>(1, static_cast<int>(columns.size())));
        QStringList titles;
        for (const CListView::Column& column : columns)
            titles << FromUtf8(column.text);
        list->setHeaderLabels(titles);
        list->setHeaderHidden(columns.empty());
        for (std::size_t i = 0; i < columns.size(); ++i)
            list->setColumnWidth(static_cast<int>(i), columns[i].width);
        QList<QTreeWidgetItem*> items;
        for (const CListView::Row& row : model->Rows()) {
            auto* item = new QTreeWidgetItem;
            for (std::size_t c = 0; c < row.cells.size(); ++c)
                item->setText(static_cast<int>(c), FromUtf8(row.cells[c]));
            items << item;
        }
        list->addTopLevelItems(items);
        return;
    }
    if (auto* model = dynamic_cast<CIpAddressControl*>(&window))
        static_cast<CQtIpAddressEdit*>(peer.widget)->SetFields(model->Fields());
}

void CQtFrontEnd::ApplySelection(Peer& peer)
{
    ApplyingScope scope(applying);
    CWindow& window = *peer.window;
    if (auto* model = dynamic_cast<CComboBox*>(&window)) {
        static_cast<QComboBox*>(peer.widget)->setCurrentIndex(model->GetCurSel());
        return;
    }
    if (auto* model = dynamic_cast<CListView*>(&window)) {
        auto* list = static_cast<QTreeWidget*>(peer.widget);
        QItemSelectionModel* selection = list->selectionModel();
        const int focused = model->FocusedRow();
        const int selected = model->SelectedRow();
        QTreeWidgetItem* focusItem = focused >= 0 ? list->topLevelItem(focused) : nullptr;
        selection->setCurrentIndex(focusItem ? list->indexFromItem(focusItem) : QModelIndex(),
                                   QItemSelectionModel::NoUpdate);
        selection->clearSelection();
        if (QTreeWidgetItem* item = selected >= 0 ? list->topLevelItem(selected) : nullptr) {
            selection->select(list->indexFromItem(item), QItemSelectionModel::Select | QItemSelectionModel::Rows);
            list->scrollToItem(item);
        }
    }
}

void CQtFrontEnd::ApplyChecked(Peer& peer)
{
    ApplyingScope scope(applying);
    auto* model = dynamic_cast<CButton*>(peer.window);
    auto* button = qobject_cast<QAbstractButton*>(peer.widget);
    if (model && button && button->isCheckable())
        button->setChecked(model->GetCheck() != 0);
}

void CQtFrontEnd::ApplyLimit(Peer&)
{
    // The model cuts what is typed to its limit in characters and the edit is set back
    // from it; a widget limit would count UTF-16 units instead.
}

void CQtFrontEnd::Forget(CWindow& window)
{
    for (CWindow* child : window.Children())
        Forget(*child);
    auto* peer = static_cast<Peer*>(window.peer);
    if (!peer)
        return;
    QObject::disconnect(peer->widget, nullptr, this, nullptr);
    peersByWidget.erase(peer->widget);
    window.peer = nullptr;
    delete peer;
}

void CQtFrontEnd::DestroyPeer(CWindow& window)
{
    QWidget* widget = WidgetOf(window);
    if (!widget)
        return;
    Forget(window);
    ApplyingScope scope(applying);
    widget->hide();
    // Deleted from the event loop: the widget may be inside one of its own handlers.
    widget->deleteLater();
}

void CQtFrontEnd::RunModalLoop(CDialog& dialog)
{
    QEventLoop loop;
    const WindowHandle handle = dialog.Handle();
    loops.emplace_back(handle, &loop);
    struct LoopEntry {
        std::vector<std::pair<WindowHandle, QEventLoop*>>& loops;
        QEventLoop* loop;
        ~LoopEntry()
        {
            loops.erase(std::find_if(loops.begin(), loops.end(), [this](const auto& e) { return e.second == loop; }));
        }
    } entry{loops, &loop};
    Drain();
    CWindow* window = CWindow::FromHandle(handle);
    QPointer<QWidget> owner = window && window->peer ? static_cast<Peer*>(window->peer)->widget->parentWidget() : nullptr;
    if (window && !dialog.ModalEnded())
        loop.exec(QEventLoop::DialogExec);
    if (owner && owner->window()->isVisible())
        owner->window()->activateWindow();
}

void CQtFrontEnd::EndModalLoop(CDialog& dialog)
{
    for (const auto& [handle, loop] : loops)
        if (handle == dialog.Handle())
            loop->quit();
}

int CQtFrontEnd::ShowMessageBox(const MessageBoxRequest& request)
{
    QPointer<QWidget> owner = OwnerWidget(request.owner);
    const int pressed = ShowQtMessageBox(request, owner);
    // The window the box belonged to takes the keyboard again, also where no window
    // manager hands it back.
    if (owner && owner->isVisible())
        owner->activateWindow();
    return pressed;
}

void CQtFrontEnd::WakeUp()
{
    if (drainQueued.exchange(true))
        return;
    QMetaObject::invokeMethod(this, [this] {
        drainQueued = false;
        Drain();
    }, Qt::QueuedConnection);
}

void CQtFrontEnd::Drain()
{
    CMessageQueue::Instance().RunPending();
}

bool CQtFrontEnd::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || applying)
            break;
        const int key = VirtualKeyOf(*static_cast<QKeyEvent*>(event));
        if (key == 0 || (widget->window()->windowFlags() & Qt::Popup) == Qt::Popup)
            break;
        CWindow* target = WindowOf(widget);
        if (!target)
            break;
        if (CWindow* focused = CWindow::GetFocus(); focused && focused->TopLevel() == target->TopLevel())
            target = focused;
        if (CDialog::PressKey(target, key))
            return true;
        // A multi-line edit keeps the Enter that nobody took; elsewhere it must not reach
        // Qt's own default-button handling.
        return !(key == VK_RETURN && qobject_cast<QPlainTextEdit*>(widget));
    }
    case QEvent::FocusIn: {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || applying || widget->isWindow())
            break;
        CWindow* window = WindowOf(widget);
        if (window && window->Kind() != ControlKind::Dialog && CWindow::GetFocus() != window)
            window->UserSetFocus();
        break;
    }
    case QEvent::Close: {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || !widget->isWindow() || applying)
            break;
        auto found = peersByWidget.find(widget);
        if (found == peersByWidget.end())
            break;
        // The title bar's close button: the model decides whether the window goes.
        event->ignore();
        if (auto* dialog = dynamic_cast<CDialog*>(found->second->window); dialog && found->second->closable)
            dialog->UserClose();
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* viewport = qobject_cast<QWidget*>(watched);
        auto* list = viewport ? qobject_cast<QTreeWidget*>(viewport->parentWidget()) : nullptr;
        if (!list || list->viewport() != viewport || applying)
            break;
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        auto found = peersByWidget.find(list);
        if (found == peersByWidget.end())
            break;
        auto* model = dynamic_cast<CListView*>(found->second->window);
        if (!model || !model->IsEnabledForInput())
            return true;
        list->setFocus(Qt::MouseFocusReason);
        // A click anywhere on a row selects it, also right of the last column.
        const QPoint at = mouse->position().toPoint();
        QTreeWidgetItem* item = list->itemAt(QPoint(1, at.y()));
        if (!item)
            return true;
        const int row = list->indexOfTopLevelItem(item);
        const int column = list->header()->logicalIndexAt(at.x());
        const WindowHandle handle = model->Handle();
        model->UserClickRow(row, column);
        if (CWindow* window = CWindow::FromHandle(handle); window && window->peer)
            ApplySelection(*static_cast<Peer*>(window->peer));
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

}

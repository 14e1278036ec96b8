#pragma once

#include "ui/CFrontEnd.h"
#include "ui/qt/DialogUnits.h"

#include <QObject>
#include <QPointer>

#include <atomic>
#include <unordered_map>
#include <utility>
#include <vector>

class QEventLoop;
class QWidget;

namespace plintor::qt {

// The desktop front end: every window of the model gets a Qt widget as its peer, placed by
// the dialog-unit rule of its dialog's font, and follows the model whenever UpdatePeer says
// what changed. User input on a widget becomes the model's "user" operations (Click,
// UserType, UserSelect, UserClickRow, UserClose, PressKey), so that the page code sees the
// same notifications as under the headless front end; the widget is then set back from the
// model, which stays the truth (a radio button clicked twice stays checked, an edit keeps
// only what its limit allows).
//
// Modal loops are nested QEventLoops. The model's message queue is drained on the Qt main
// thread: WakeUp, called from any thread after a post, queues one drain into Qt's event
// loop, so closures that workers post or send run inside whichever loop is running,
// message boxes included.
//
// Escape, Enter and F1 are taken from Qt before any widget sees them and go to the model's
// key handling, so Enter never closes a page behind the model's back.
class CQtFrontEnd : public QObject, public CFrontEnd {
    Q_OBJECT
public:
    CQtFrontEnd();
    ~CQtFrontEnd() override;

    void CreatePeer(CDialog& dialog) override;
    void UpdatePeer(CWindow& window, unsigned changes) override;
    void DestroyPeer(CWindow& window) override;
    void RunModalLoop(CDialog& dialog) override;
    void EndModalLoop(CDialog& dialog) override;
    int ShowMessageBox(const MessageBoxRequest& request) override;
    void WakeUp() override;

    // The widget that mirrors `window`; null when it has none.
    static QWidget* WidgetOf(const CWindow& window);
    // The model window that `widget` (or its nearest peer ancestor) mirrors.
    CWindow* WindowOf(const QWidget* widget) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Peer;

    void CreateWidgets(CWindow& window, QWidget* parentWidget, const DialogUnits& units);
    QWidget* MakeWidget(CWindow& window, QWidget* parentWidget);
    void Connect(Peer& peer);
    void Apply(Peer& peer, unsigned changes);
    void ApplyGeometry(Peer& peer);
    void ApplyText(Peer& peer);
    void ApplyColours(Peer& peer);
    void ApplyImage(Peer& peer);
    void ApplyItems(Peer& peer);
    void ApplySelection(Peer& peer);
    void ApplyChecked(Peer& peer);
    void ApplyLimit(Peer& peer);
    void Forget(CWindow& window);
    QWidget* OwnerWidget(CWindow* owner) const;
    void Drain();

    std::unordered_map<const QWidget*, Peer*> peersByWidget;
    std::vector<std::pair<WindowHandle, QEventLoop*>> loops;   // innermost last
    std::atomic<bool> drainQueued{false};
    bool applying = false;   // the model is being mirrored: widget signals are not input
};

}

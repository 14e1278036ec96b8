#include "QtPageTour.h"

#include "QtTestEnvironment.h"

#include "ui/CDialog.h"
#include "ui/qt/CQtFrontEnd.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <set>

namespace plintor::qt::testing {

namespace {

// Hands every popup that comes up to `visit`; message boxes are then answered with their
// escape button, other popups (the wait dialog) end by themselves.
class CQtPopupWatch : public tour::CPopupWatch {
public:
    CQtPopupWatch(const PopupVisit& visit, const std::string& where) : visit(visit), where(where)
    {
        QObject::connect(&timer, &QTimer::timeout, [this] { Look(); });
        timer.start(5);
    }

private:
    void Look()
    {
        QWidget* popup = QApplication::activeModalWidget();
        if (!popup || seen.count(popup))
            return;
        auto* box = qobject_cast<QMessageBox*>(popup);
        if (!box)
            seen.insert(popup);
        if (visit)
            visit(where + (box ? " message " + box->text().left(40).toStdString() : " popup"), *popup);
        if (box)
            box->reject();
    }

    const PopupVisit& visit;
    const std::string& where;
    QTimer timer;
    std::set<QWidget*> seen;
};

class CQtTour : public tour::CTourFrontEnd {
public:
    explicit CQtTour(const PopupVisit& visit) : visit(visit) {}

    void Install() override { EnsureQtFrontEnd(); }
    void Settle() override
    {
        for (int i = 0; i < 30; ++i)
            QApplication::processEvents();
    }
    std::unique_ptr<tour::CPopupWatch> WatchPopups(const std::string& where) override
    {
        return std::make_unique<CQtPopupWatch>(visit, where);
    }

private:
    const PopupVisit& visit;
};

}

void TourEveryPage(LangId language, const PageVisit& visitPage, const PopupVisit& visitPopup)
{
    CQtTour tour(visitPopup);
    tour::TourEveryPage(tour, language, visitPage);
}

void TourDialogs(LangId language, const PopupVisit& visitDialog)
{
    CQtTour tour(visitDialog);
    tour::TourDialogs(tour, language, [&](const std::string& name, CDialog& dialog) {
        visitDialog(name, *CQtFrontEnd::WidgetOf(dialog));
    });
}

int TourMessageBoxes(LangId language, const PopupVisit& visitBox)
{
    CQtTour tour(visitBox);
    return tour::TourMessageBoxes(tour, language);
}

}

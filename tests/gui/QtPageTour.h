#pragma once

// The page tour (tour/PageTour.h) under the Qt front end: popups are the application's
// active modal widgets, found by a timer inside their modal loops.

#include "PageTour.h"

class QWidget;

namespace plintor::qt::testing {

using tour::PageVisit;
// Called for every message box or popup dialog that comes up during a tour, before the
// tour closes it (message boxes) or lets it finish (wait dialogs), and for each dialog of
// TourDialogs.
using PopupVisit = std::function<void(const std::string& name, QWidget& popup)>;

// tour::TourEveryPage and tour::TourDialogs on the Qt front end (EnsureQtFrontEnd).
void TourEveryPage(LangId language, const PageVisit& visitPage, const PopupVisit& visitPopup = {});
void TourDialogs(LangId language, const PopupVisit& visitDialog);
// tour::TourMessageBoxes with `visitBox` called for each box; returns how many were shown.
int TourMessageBoxes(LangId language, const PopupVisit& visitBox);

}

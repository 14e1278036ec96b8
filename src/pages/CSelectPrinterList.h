#pragma once

#include "pages/CMyListCtrl.h"

namespace plintor {

// The printer list of the selection page: a click anywhere on a row selects it; nothing
// more happens on a row click.
class CSelectPrinterList : public CMyListCtrl {
};

}

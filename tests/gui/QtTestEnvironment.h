#pragma once

#include <QPoint>

class QWidget;

namespace plintor::qt::testing {

// Makes the one application object of the gui tests on Qt's offscreen platform, with a
// private runtime folder, and installs the desktop front end; idempotent.
void EnsureQtFrontEnd();

// A real mouse click (press and release) on `widget` at `at` (its centre by default).
void ClickWidget(QWidget* widget, QPoint at = QPoint(-1, -1));

// Types `text` into `widget` as key presses, one character each.
void TypeInto(QWidget* widget, const QString& text);

// Presses one key (Qt::Key_*) on `widget`.
void PressKeyOn(QWidget* widget, int key);

}

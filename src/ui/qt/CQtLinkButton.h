#pragma once

#include <QAbstractButton>

namespace plintor::qt {

// The "What's this?" link: an owner-drawn push button. White background, blue text (grey
// when disabled) in the control's font underlined, left-aligned 4 pixels inside; a focus
// rectangle 2 pixels inside while it is pressed or has the focus.
class CQtLinkButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CQtLinkButton(QWidget* parent = nullptr);

    // The drawing state: 3 disabled, else 1 pressed, else 2 focused, else 0.
    int DrawState() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}

#include "ui/qt/CQtIpAddressEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include <algorithm>

namespace plintor::qt {

namespace {

constexpr int kMaxOctet = 255;

int FieldValue(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : -1;
}

}

CQtIpAddressEdit::CQtIpAddressEdit(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(0);
    // Up to three digits; the value is checked when it changes.
    auto* validator = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), this);
    for (int i = 0; i < 4; ++i) {
        auto* field = new QLineEdit(this);
        field->setFrame(false);
        field->setAlignment(Qt::AlignCenter);
        field->setValidator(validator);
        field->setMaxLength(3);
        field->installEventFilter(this);
        field->setAttribute(Qt::WA_MacShowFocusRect, false);
        fields[static_cast<std::size_t>(i)] = field;
        layout->addWidget(field, 1);
        if (i < 3) {
            auto* dot = new QLabel(QStringLiteral("."), this);
            dot->setAlignment(Qt::AlignCenter);
            layout->addWidget(dot, 0);
        }
        connect(field, &QLineEdit::textEdited, this, [this, i](const QString& text) { FieldEdited(i, text); });
    }
    setFocusProxy(fields[0]);
    UpdateBackground();
}

std::array<int, 4> CQtIpAddressEdit::Fields() const
{
    std::array<int, 4> values{};
    for (std::size_t i = 0; i < 4; ++i)
        values[i] = FieldValue(fields[i]->text());
    return values;
}

void CQtIpAddressEdit::SetFields(const std::array<int, 4>& values)
{
    updating = true;
    for (std::size_t i = 0; i < 4; ++i) {
        const QString text = values[i] < 0 ? QString() : QString::number(values[i]);
        if (fields[i]->text() != text)
            fields[i]->setText(text);
    }
    updating = false;
}

QString CQtIpAddressEdit::Text() const
{
    QStringList parts;
    for (const QLineEdit* field : fields)
        parts << field->text();
    return parts.join(QLatin1Char('.'));
}

void CQtIpAddressEdit::FocusField(int index)
{
    QLineEdit* field = fields[static_cast<std::size_t>(index)];
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

void CQtIpAddressEdit::FieldEdited(int index, const QString& text)
{
    if (updating)
        return;
    QLineEdit* field = fields[static_cast<std::size_t>(index)];
    if (FieldValue(text) > kMaxOctet) {
        updating = true;
        field->setText(QString::number(kMaxOctet));
        updating = false;
    }
    emit Edited(Text());
    if (text.size() == 3 && index < 3 && field->cursorPosition() == 3) {
        FocusField(index + 1);
        advancedByItself = true;
    }
}

bool CQtIpAddressEdit::eventFilter(QObject* watched, QEvent* event)
{
    const auto found = std::find(fields.begin(), fields.end(), watched);
    if (found == fields.end() || event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    const int index = static_cast<int>(found - fields.begin());
    QLineEdit* field = *found;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Paste)) {
        // A whole address pasted into any field fills all four.
        const QString pasted = QApplication::clipboard()->text().trimmed();
        const QStringList parts = pasted.split(QLatin1Char('.'));
        if (parts.size() == 4) {
            std::array<int, 4> values{};
            for (std::size_t i = 0; i < 4; ++i) {
                const int value = parts[static_cast<int>(i)].isEmpty() ? -1 : FieldValue(parts[static_cast<int>(i)]);
                if ((value < 0 && !parts[static_cast<int>(i)].isEmpty()) || value > kMaxOctet)
                    return true;
                values[i] = value;
            }
            SetFields(values);
            emit Edited(Text());
            return true;
        }
        return false;
    }
    // A dot right after the third digit moved on by itself belongs to that move.
    const bool afterAdvance = advancedByItself;
    advancedByItself = false;
    switch (key->key()) {
    case Qt::Key_Period:
    case Qt::Key_Comma:
    case Qt::Key_Space:
        if (!afterAdvance && index < 3 && !field->text().isEmpty())
            FocusField(index + 1);
        return true;
    case Qt::Key_Backspace:
        if (index > 0 && field->cursorPosition() == 0 && !field->hasSelectedText()) {
            QLineEdit* previous = fields[static_cast<std::size_t>(index - 1)];
            previous->setFocus(Qt::OtherFocusReason);
            previous->setCursorPosition(previous->text().size());
            return true;
        }
        return false;
    case Qt::Key_Left:
        if (index > 0 && field->cursorPosition() == 0) {
            QLineEdit* previous = fields[static_cast<std::size_t>(index - 1)];
            previous->setFocus(Qt::OtherFocusReason);
            previous->setCursorPosition(previous->text().size());
            return true;
        }
        return false;
    case Qt::Key_Right:
        if (index < 3 && field->cursorPosition() == field->text().size()) {
            QLineEdit* next = fields[static_cast<std::size_t>(index + 1)];
            next->setFocus(Qt::OtherFocusReason);
            next->setCursorPosition(0);
            return true;
        }
        return false;
    default:
        return false;
    }
}

void CQtIpAddressEdit::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        UpdateBackground();
    QFrame::changeEvent(event);
}

void CQtIpAddressEdit::UpdateBackground()
{
    // One white field while enabled, the window's grey while disabled, like an edit.
    QPalette p = palette();
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    p.setColor(QPalette::Window, QApplication::palette().color(group, isEnabled() ? QPalette::Base : QPalette::Window));
    setPalette(p);
}

}

#pragma once

#include <QFrame>

#include <array>

class QLineEdit;

namespace plintor::qt {

// The IPv4 address control: four fields of 0 to 255 behind one edit frame, each possibly
// blank. Typing a dot or a third digit moves to the next field, Backspace in an empty
// field moves back, a value above 255 becomes 255, and a pasted "a.b.c.d" fills all four.
// A dot typed right after a third digit moved on by itself is taken as that move.
// Fields are never masked: "192.168.0.10" stays as typed.
class CQtIpAddressEdit : public QFrame {
    Q_OBJECT
public:
    explicit CQtIpAddressEdit(QWidget* parent = nullptr);

    // The fields, -1 for a blank one.
    std::array<int, 4> Fields() const;
    void SetFields(const std::array<int, 4>& fields);
    // "a.b.c.d" with blank fields empty.
    QString Text() const;

    QLineEdit* Field(int index) const { return fields[static_cast<std::size_t>(index)]; }
    void FocusField(int index);

signals:
    // The user changed a field; carries Text().
    void Edited(const QString& dotted);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FieldEdited(int index, const QString& text);
    void UpdateBackground();

    std::array<QLineEdit*, 4> fields{};
    bool updating = false;
    bool advancedByItself = false;   // the last digit moved the caret to the next field
};

}

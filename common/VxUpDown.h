// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Up-down buttons bound to a one-line edit: each click or arrow key in the
// edit steps the number shown there by one between Min and Max. Typing in the
// edit is not limited by the range.

#include <QWidget>

class QLineEdit;
class QToolButton;

class TVxUpDown : public QWidget {
    Q_OBJECT
public:
    explicit TVxUpDown(QWidget* parent = nullptr);

    int Min = 0;
    int Max = 100;
    // Stepping past an end goes round to the other end.
    bool Wrap = false;

    int Position() const { return m_position; }
    // Stores the position (held within Min..Max) and shows it in the edit.
    void SetPosition(int position);

    QLineEdit* Associate() const { return m_associate; }
    // Binds the edit: its arrow keys step too, and the buttons take its height.
    void SetAssociate(QLineEdit* edit);

    void StepUp() { step(+1); }
    void StepDown() { step(-1); }

    QToolButton* UpButton() const { return m_up; }
    QToolButton* DownButton() const { return m_down; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void step(int delta);
    int clamp(int value) const;

    QToolButton* m_up;
    QToolButton* m_down;
    QLineEdit* m_associate = nullptr;
    int m_position = 0;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small 24-hour time picker: four one-digit fields (hh:mm) and a pair of
// up/down buttons. Every digit is checked as it is typed so the time can
// never pass 23:59; the focus moves on by itself.

#include "VxDate.h"

#include <QAbstractButton>
#include <QFrame>
#include <functional>

class TVxTimePicker;

// Raises onEnter(control) when the focus moves into `control` (itself or any
// part of it) from outside, and onExit(control) when it leaves it; moves
// among its parts count for nothing. The slots are read when the focus
// moves, so handlers assigned later are seen. Handler errors are shown, an
// abort is silent. Owners disconnect the returned connection in their
// destructor: the focus leaves a dying widget only after its members are gone.
QMetaObject::Connection VxTrackFocus(QWidget* control, const std::function<void(QObject*)>& onEnter,
                                     const std::function<void(QObject*)>& onExit);

// One digit of the picker. Drawn by hand so that a one-character field fits
// in 7 pixels; holds at most one character, typing replaces it.
class TVxDigitEdit : public QWidget {
    Q_OBJECT
public:
    explicit TVxDigitEdit(TVxTimePicker* picker, QWidget* parent);

    QString Text() const { return m_text; }
    void SetText(const QString& text);
    bool Selected() const { return m_selected; }
    void SelectAll();

signals:
    void TextChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TVxTimePicker* m_picker;
    QString m_text;
    bool m_selected = false;
};

// The small up or down button with a drawn triangle.
class TVxSpinButton : public QAbstractButton {
    Q_OBJECT
public:
    enum Direction { Up, Down };
    TVxSpinButton(Direction direction, QWidget* parent);
    bool Flat() const { return m_flat; }
    void SetFlat(bool flat);

    // The 5 x 4 triangle picture, enabled or disabled look, made for a
    // screen of that pixel ratio (ratio times the pixels).
    static QImage Glyph(Direction direction, bool enabled, int ratio = 1);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Direction m_direction;
    bool m_flat = false;
};

class TVxTimePicker : public QFrame {
    Q_OBJECT
public:
    explicit TVxTimePicker(QWidget* parent = nullptr);
    ~TVxTimePicker() override;

    // Time of day as a fraction of a day; -0.1 while any digit is blank.
    TDateTime Time() const;
    // A negative value blanks the digits. Never fires OnChange.
    void SetTime(TDateTime value);
    // The minute of the day (0..1439) that SetTime shows for a value >= 0.
    static int MinuteOfDay(TDateTime value);

    bool ShowButtons() const;
    void SetShowButtons(bool show);
    bool Ctl3D() const { return m_ctl3D; }
    void SetCtl3D(bool ctl3D);
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool enabled);
    QColor Color() const { return m_color; }
    void SetColor(const QColor& color);

    // Step the focused digit by one, without carry into its neighbours.
    void StepUp();
    void StepDown();

    // A digit was changed through the control (typing or stepping).
    std::function<void(QObject* Sender)> OnChange;
    std::function<void(QObject* Sender)> OnEnter;
    std::function<void(QObject* Sender)> OnExit;

    TVxDigitEdit* HourTens() const { return m_digits[0]; }
    TVxDigitEdit* HourUnits() const { return m_digits[1]; }
    TVxDigitEdit* MinuteTens() const { return m_digits[2]; }
    TVxDigitEdit* MinuteUnits() const { return m_digits[3]; }
    TVxSpinButton* UpButton() const { return m_up; }
    TVxSpinButton* DownButton() const { return m_down; }

    // Called by the digit fields.
    void DigitChanged(TVxDigitEdit* field);
    // Returns true when the key was a navigation key the picker handled.
    bool DigitKey(TVxDigitEdit* field, int key);

    QSize sizeHint() const override { return size(); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int IndexOf(const TVxDigitEdit* field) const;
    void Step(int delta);
    void FocusDigit(int index);
    void ArrangeParts();

    TVxDigitEdit* m_digits[4];
    QWidget* m_inner;
    TVxSpinButton* m_up;
    TVxSpinButton* m_down;
    QColor m_color;
    bool m_ctl3D = true;
    bool m_updating = false;
    bool m_stepping = false;
    bool m_arranging = false;
    QMetaObject::Connection m_focusTracking;
};

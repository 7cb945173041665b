// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxTime.h"

#include "VxAbort.h"
#include "VxBevel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {
const int kDigitLeft[4] = {2, 9, 21, 28};
const int kDigitWidth = 7;
const int kDigitHeight = 13;
const int kDigitTop = 2;
const int kInnerWidth = 37;
const int kButtonLeft = 38;
const int kButtonWidth = 15;
const int kButtonHeight = 8;
const int kDownTop = 9;

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
} // namespace

QMetaObject::Connection VxTrackFocus(QWidget* control, const std::function<void(QObject*)>& onEnter,
                                     const std::function<void(QObject*)>& onExit) {
    auto inside = [control](QWidget* widget) {
        return widget && (widget == control || control->isAncestorOf(widget));
    };
    auto raise = [control](const std::function<void(QObject*)>& handler) {
        if (handler) VxGuard(control, [&] { handler(control); });
    };
    return QObject::connect(qApp, &QApplication::focusChanged, control,
                            [=, &onEnter, &onExit](QWidget* old, QWidget* now) {
                                const bool was = inside(old), is = inside(now);
                                if (!was && is) raise(onEnter);
                                if (was && !is) raise(onExit);
                            });
}

// ---------------------------------------------------------------------------
// TVxDigitEdit

TVxDigitEdit::TVxDigitEdit(TVxTimePicker* picker, QWidget* parent)
    : QWidget(parent), m_picker(picker), m_text(QStringLiteral("0")) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setCursor(Qt::IBeamCursor);
}

void TVxDigitEdit::SetText(const QString& text) {
    const QString value = text.left(1);
    if (value == m_text) return;
    m_text = value;
    update();
    emit TextChanged();
}

void TVxDigitEdit::SelectAll() {
    m_selected = true;
    update();
}

void TVxDigitEdit::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool highlight = hasFocus() && m_selected && !m_text.isEmpty();
    QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    if (highlight) {
        QRect box = fontMetrics().boundingRect(m_text);
        box.moveCenter(rect().center());
        p.fillRect(box.adjusted(0, 0, 1, 0), palette().color(group, QPalette::Highlight));
        p.setPen(palette().color(group, QPalette::HighlightedText));
    } else {
        p.setPen(palette().color(group, QPalette::Text));
    }
    p.drawText(rect(), Qt::AlignCenter, m_text);
    // The caret as a filled band: a pen line is centred on its coordinate
    // and on a sharper screen half of it would fall outside the field.
    if (hasFocus() && !highlight) p.fillRect(width() - 1, 1, 1, height() - 2, p.pen().color());
}

void TVxDigitEdit::keyPressEvent(QKeyEvent* event) {
    if (m_picker->DigitKey(this, event->key())) return;
    // Any other key selects the digit, so a typed character replaces it.
    SelectAll();
    const QString typed = event->text();
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) {
        SetText(QString());
    } else if (!typed.isEmpty() && typed.at(0).isPrint()) {
        // Typing over the same digit is still a change made by the user: the
        // digit rules run and the focus moves on, so a time typed from its
        // first digit lands in the right fields.
        if (typed.left(1) == m_text)
            emit TextChanged();
        else
            SetText(typed.left(1));
        if (m_text.isEmpty() || !hasFocus()) return;
        SelectAll();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void TVxDigitEdit::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    SelectAll();
}

void TVxDigitEdit::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void TVxDigitEdit::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    SelectAll();
}

// ---------------------------------------------------------------------------
// TVxSpinButton

TVxSpinButton::TVxSpinButton(Direction direction, QWidget* parent)
    : QAbstractButton(parent), m_direction(direction) {
    setFocusPolicy(Qt::NoFocus);
}

void TVxSpinButton::SetFlat(bool flat) {
    m_flat = flat;
    update();
}

QImage TVxSpinButton::Glyph(Direction direction, bool enabled, int ratio) {
    // Black on silver when enabled; grey with a white shadow when disabled.
    // The triangles are shapes, not pixels, so a sharper screen gets a finer
    // triangle rather than an enlarged one; at ratio 1 they cover the same
    // pixels as the classic 5 x 4 picture.
    ratio = std::max(1, ratio);
    QImage image(5 * ratio, 4 * ratio, QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor(192, 192, 192));
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    auto triangle = [&](qreal dx, qreal dy, const QColor& ink) {
        const qreal tip = direction == Up ? 0 : 3;
        const qreal base = direction == Up ? 3 : 0;
        p.setBrush(ink);
        p.drawPolygon(QPolygonF(
            {QPointF(dx, base + dy), QPointF(5 + dx, base + dy), QPointF(2.5 + dx, tip + dy)}));
    };
    if (enabled) {
        triangle(0, 0, Qt::black);
    } else {
        triangle(1, 1, Qt::white);
        triangle(0, 0, QColor(128, 128, 128));
    }
    return image;
}

void TVxSpinButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(192, 192, 192));
    const bool down = isDown();
    if (!m_flat || down || underMouse()) {
        const QColor light = down ? QColor(128, 128, 128) : QColor(Qt::white);
        const QColor dark = down ? QColor(Qt::white) : QColor(128, 128, 128);
        VxDrawBevelLines(p, rect(), light, dark);
    }
    const QImage glyph = Glyph(m_direction, isEnabled(), std::ceil(devicePixelRatioF()));
    const QSize size = glyph.deviceIndependentSize().toSize();
    QPoint at((width() - size.width()) / 2, (height() - size.height()) / 2);
    if (down) at += QPoint(1, 1);
    p.drawImage(at, glyph);
}

// ---------------------------------------------------------------------------
// TVxTimePicker

TVxTimePicker::TVxTimePicker(QWidget* parent) : QFrame(parent) {
    m_color = palette().color(QPalette::Button);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::NoFocus);

    m_inner = new QWidget(this);
    m_inner->setAutoFillBackground(true);
    QPalette innerPalette = m_inner->palette();
    innerPalette.setColor(QPalette::Window, palette().color(QPalette::Base));
    m_inner->setPalette(innerPalette);
    for (int i = 0; i < 4; ++i) {
        m_digits[i] = new TVxDigitEdit(this, m_inner);
        m_digits[i]->setGeometry(kDigitLeft[i], kDigitTop, kDigitWidth, kDigitHeight);
        connect(m_digits[i], &TVxDigitEdit::TextChanged, this,
                [this, i] { DigitChanged(m_digits[i]); });
    }
    auto colon = new QLabel(QStringLiteral(":"), m_inner);
    colon->setGeometry(17, kDigitTop, 4, kDigitHeight);
    colon->setAlignment(Qt::AlignCenter);
    setFocusProxy(m_digits[0]);

    m_up = new TVxSpinButton(TVxSpinButton::Up, this);
    m_down = new TVxSpinButton(TVxSpinButton::Down, this);
    connect(m_up, &QAbstractButton::clicked, this, [this] { StepUp(); });
    connect(m_down, &QAbstractButton::clicked, this, [this] { StepDown(); });

    m_focusTracking = VxTrackFocus(this, OnEnter, OnExit);

    setAutoFillBackground(true);
    SetColor(m_color);
    resize(57, 21);
    ArrangeParts();
}

TVxTimePicker::~TVxTimePicker() {
    QObject::disconnect(m_focusTracking);
}

TDateTime TVxTimePicker::Time() const {
    int value[4];
    for (int i = 0; i < 4; ++i) {
        const QString text = m_digits[i]->Text();
        if (text.isEmpty() || !isDigit(text.at(0))) return -0.1;
        value[i] = text.at(0).digitValue();
    }
    const int hours = value[0] * 10 + value[1];
    const int minutes = value[2] * 10 + value[3];
    return hours / 24.0 + minutes / 1440.0;
}

int TVxTimePicker::MinuteOfDay(TDateTime value) {
    // Seconds are dropped; rounding to the second first keeps 18:01 from
    // reading as 18:00 through floating-point noise.
    const double fraction = value - std::floor(value);
    // The last half second of the day stays 23:59 rather than wrapping.
    const long long seconds =
        std::min(86399LL, static_cast<long long>(std::nearbyint(fraction * 86400.0)));
    return static_cast<int>(seconds / 60);
}

void TVxTimePicker::SetTime(TDateTime value) {
    m_updating = true;
    if (value < 0 || !std::isfinite(value)) {
        for (auto digit : m_digits)
            digit->SetText(QString());
    } else {
        const int minutes = MinuteOfDay(value);
        const QString text = QStringLiteral("%1%2")
                                 .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                                 .arg(minutes % 60, 2, 10, QLatin1Char('0'));
        for (int i = 0; i < 4; ++i)
            m_digits[i]->SetText(text.mid(i, 1));
    }
    m_inner->update();
    m_updating = false;
}

bool TVxTimePicker::ShowButtons() const {
    return !m_up->isHidden();
}

void TVxTimePicker::SetShowButtons(bool show) {
    m_up->setVisible(show);
    m_down->setVisible(show);
    ArrangeParts();
    m_inner->update();
}

void TVxTimePicker::SetCtl3D(bool ctl3D) {
    m_ctl3D = ctl3D;
    setFrameStyle(ctl3D ? (QFrame::Panel | QFrame::Sunken) : QFrame::NoFrame);
    m_up->SetFlat(!ctl3D);
    m_down->SetFlat(!ctl3D);
    ArrangeParts();
}

void TVxTimePicker::SetEnabled(bool enabled) {
    setEnabled(enabled);
    m_up->setEnabled(enabled);
    m_down->setEnabled(enabled);
    m_inner->update();
}

void TVxTimePicker::SetColor(const QColor& color) {
    m_color = color;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
    // The digits keep their own window-coloured panel.
    QPalette innerPalette = m_inner->palette();
    innerPalette.setColor(QPalette::Window, QApplication::palette().color(QPalette::Base));
    m_inner->setPalette(innerPalette);
}

int TVxTimePicker::IndexOf(const TVxDigitEdit* field) const {
    for (int i = 0; i < 4; ++i)
        if (m_digits[i] == field) return i;
    return -1;
}

void TVxTimePicker::DigitChanged(TVxDigitEdit* field) {
    if (m_updating) return;
    m_updating = true;
    for (auto digit : m_digits)
        if (digit->Text().isEmpty()) digit->SetText(QStringLiteral("0"));
    const int index = IndexOf(field);
    const QString text = field->Text();
    QChar ch = text.isEmpty() ? QLatin1Char('0') : text.at(0);
    if (!isDigit(ch)) ch = QLatin1Char('0');
    switch (index) {
    case 0:
        // Limit the tens first: a 7 typed over 09 becomes 2, and 29 must then
        // come down to 23 like a typed 2 would.
        if (ch > QLatin1Char('2')) ch = QLatin1Char('2');
        if (ch == QLatin1Char('2') && HourUnits()->Text() > QStringLiteral("3"))
            HourUnits()->SetText(QStringLiteral("3"));
        break;
    case 1:
        if (HourTens()->Text() == QStringLiteral("2") && ch > QLatin1Char('3'))
            ch = QLatin1Char('3');
        break;
    case 2:
        if (ch > QLatin1Char('5')) ch = QLatin1Char('5');
        break;
    default:
        break;
    }
    if (field->Text() != QString(ch)) field->SetText(QString(ch));
    m_updating = false;
    if (OnChange) OnChange(this);
    if (!m_stepping && index >= 0 && index < 3) FocusDigit(index + 1);
}

bool TVxTimePicker::DigitKey(TVxDigitEdit* field, int key) {
    const int index = IndexOf(field);
    switch (key) {
    case Qt::Key_Left:
        FocusDigit((index + 3) % 4);
        return true;
    case Qt::Key_Right:
        FocusDigit((index + 1) % 4);
        return true;
    case Qt::Key_Up:
        StepUp();
        return true;
    case Qt::Key_Down:
        StepDown();
        return true;
    default:
        return false;
    }
}

void TVxTimePicker::FocusDigit(int index) {
    m_digits[index]->setFocus(Qt::OtherFocusReason);
    m_digits[index]->SelectAll();
}

void TVxTimePicker::StepUp() {
    Step(+1);
}

void TVxTimePicker::StepDown() {
    Step(-1);
}

void TVxTimePicker::Step(int delta) {
    TVxDigitEdit* target = nullptr;
    for (int i = 1; i < 4; ++i)
        if (m_digits[i]->hasFocus()) target = m_digits[i];
    if (!target) {
        target = HourTens();
        target->setFocus(Qt::OtherFocusReason);
    }
    m_stepping = true;
    const QString text = target->Text();
    if (text.isEmpty() || !isDigit(text.at(0))) {
        target->SetText(QStringLiteral("0"));
    } else {
        const int value = text.at(0).digitValue();
        const int limit = delta > 0 ? 9 : 0;
        if (value != limit) target->SetText(QString::number(value + delta));
    }
    m_stepping = false;
    target->SelectAll();
}

void TVxTimePicker::ArrangeParts() {
    if (m_arranging) return;
    m_arranging = true;
    int w = 57;
    if (!m_ctl3D) w -= 4;
    if (!ShowButtons()) w -= 15;
    const int h = m_ctl3D ? 21 : 17;
    setFixedSize(w, h);
    const int inset = m_ctl3D ? lineWidth() : 0;
    m_inner->setGeometry(inset, inset, kInnerWidth, h - 4);
    m_up->setGeometry(inset + kButtonLeft, inset, kButtonWidth, kButtonHeight);
    m_down->setGeometry(inset + kButtonLeft, inset + kDownTop, kButtonWidth, kButtonHeight);
    m_arranging = false;
}

void TVxTimePicker::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    ArrangeParts();
}

void TVxTimePicker::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) m_inner->update();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxAboutForm.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#ifndef PLEXIWEAVE_VERSION
#define PLEXIWEAVE_VERSION "0.1.0"
#endif

namespace {
const QSize kAboutSize(402, 313);
const QSize kSplashSize(398, 244);
} // namespace

TVxAboutForm::TVxAboutForm(QWidget* parent) : QDialog(parent) {
    Bevel = new QFrame(this);
    ProgramLabel = new QLabel(QStringLiteral("Plexiweave"), Bevel);
    QFont big = ProgramLabel->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    ProgramLabel->setFont(big);
    ProgramLabel->setAlignment(Qt::AlignCenter);
    VersionLabel = new QLabel(tr("Version %1").arg(QStringLiteral(PLEXIWEAVE_VERSION)), Bevel);
    VersionLabel->setAlignment(Qt::AlignCenter);
    NoteLabel = new QLabel(tr("Production planner for weaving plants:\n"
                              "reeds, warps, fabrics and downtime on every loom."),
                           Bevel);
    NoteLabel->setAlignment(Qt::AlignCenter);
    NoteLabel->setWordWrap(true);
    LicenceLabel = new QLabel(tr("Copyright © 2026 The Plexiweave developers.\n"
                                 "Free software under the GNU General Public License, version 3 or "
                                 "later; it comes with ABSOLUTELY NO WARRANTY."),
                              Bevel);
    LicenceLabel->setAlignment(Qt::AlignCenter);
    LicenceLabel->setWordWrap(true);

    auto* bevelLayout = new QVBoxLayout(Bevel);
    bevelLayout->addStretch();
    bevelLayout->addWidget(ProgramLabel);
    bevelLayout->addWidget(VersionLabel);
    bevelLayout->addSpacing(12);
    bevelLayout->addWidget(NoteLabel);
    bevelLayout->addSpacing(12);
    bevelLayout->addWidget(LicenceLabel);
    bevelLayout->addStretch();

    OKButton = new QPushButton(tr("OK"), this);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(OKButton);
    buttonRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Bevel, 1);
    layout->addLayout(buttonRow);
    RestoreAboutLook();
}

void TVxAboutForm::ShowAsSplash() {
    setWindowTitle(QString());
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    OKButton->hide();
    Bevel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Bevel->setLineWidth(2);
    setFixedSize(kSplashSize);
    show();
    raise();
    // The connection steps that follow block the event loop: paint now.
    QApplication::processEvents();
}

void TVxAboutForm::CloseSplash() {
    if (!IsSplash()) return;
    hide();
    RestoreAboutLook();
}

void TVxAboutForm::closeEvent(QCloseEvent* event) {
    QDialog::closeEvent(event);
    if (IsSplash()) RestoreAboutLook();
}

void TVxAboutForm::RestoreAboutLook() {
    const bool wasVisible = isVisible();
    setWindowTitle(tr("About"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Bevel->setFrameStyle(QFrame::NoFrame);
    OKButton->show();
    setFixedSize(kAboutSize);
    if (wasVisible) show();
}

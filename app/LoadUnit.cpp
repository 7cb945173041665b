#include "LoadUnit.h"

TLoadForm::TLoadForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Load Scenario"));
}

#include "SaveUnit.h"

TSaveForm::TSaveForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Save Scenario"));
}

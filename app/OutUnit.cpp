#include "OutUnit.h"

TOutputForm::TOutputForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Fabric Output"));
}

#include "MaintUnit.h"

TMaintForm::TMaintForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Data Maintenance"));
}

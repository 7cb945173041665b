#include "JobUnit.h"

#include <QComboBox>
#include <QVBoxLayout>

TJobForm::TJobForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Job"));
    EndsCombo = new QComboBox(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(EndsCombo);
}

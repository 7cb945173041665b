// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutputForm.h"

#include "ReportData.h"
#include "VxDataSet.h"

#include <QComboBox>

TOutputForm::TOutputForm(QWidget* parent)
    : TReportForm(parent, tr("Fabric Output"), tr("Greige Output - ")) {
    GroupCombo = addCombo(TOutputData::Groupings(),
                          static_cast<void (TReportForm::*)()>(&TOutputForm::GroupComboChange));
    OutSource = m_source;
}

TOutputData* TOutputForm::Data() const {
    return static_cast<TOutputData*>(data());
}

std::unique_ptr<TReportData> TOutputForm::makeData(TSchedDB& db) const {
    return std::make_unique<TOutputData>(db);
}

void TOutputForm::FormShow() {
    if (!Data()) return;
    // Read afresh: the maintenance window may have changed piece lengths
    // since the last opening.
    TVxTable& fabricLen = Data()->FabricLen;
    if (fabricLen.Active())
        fabricLen.Refresh();
    else
        fabricLen.Open();
    GroupComboChange();
}

void TOutputForm::FormClose() {
    if (!Data()) return;
    Data()->OutDateQuery.Close();
    Data()->OutJobQuery.Close();
}

void TOutputForm::GroupComboChange() {
    if (GroupCombo->currentIndex() < 0 || !Data()) return;
    showQuery(Data()->QueryFor(GroupCombo->currentIndex()));
}

QString TOutputForm::SubTitle() const {
    return GroupCombo->currentText();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The greige fabric output report window: the fabric a stored scenario
// produces, by date or by job.

#include "ReportForm.h"

class TOutputData;

class TOutputForm : public TReportForm {
    Q_OBJECT
public:
    explicit TOutputForm(QWidget* parent = nullptr);

    QComboBox* GroupCombo;
    TVxDataSource* OutSource;

    TOutputData* Data() const;

    void FormShow() override;
    void FormClose() override;
    void GroupComboChange();
    // The grouping: "By Date" or "By Job".
    QString SubTitle() const override;

protected:
    std::unique_ptr<TReportData> makeData(TSchedDB& db) const override;
};

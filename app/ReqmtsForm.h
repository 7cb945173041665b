// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The yarn requirements report window: warp or weft yarn of a stored
// scenario, by date or by job.

#include "ReportForm.h"

class TReqmtsData;

class TReqmtsForm : public TReportForm {
    Q_OBJECT
public:
    explicit TReqmtsForm(QWidget* parent = nullptr);

    QComboBox* TypeCombo;
    QComboBox* GroupCombo;
    TVxDataSource* ReqSource;

    TReqmtsData* Data() const;

    void FormShow() override;
    void FormClose() override;
    void ComboChange();
    // The type, a blank and the grouping: "Weft Reqmts By Job".
    QString SubTitle() const override;

protected:
    std::unique_ptr<TReportData> makeData(TSchedDB& db) const override;
};

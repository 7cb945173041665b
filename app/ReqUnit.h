#pragma once
// The yarn requirements report window: warp or weft yarn of a stored
// scenario, by date or by job.

#include "ReportForm.h"

#include <memory>

class TReqmtsData;
class TSchedDB;

class TReqmtsForm : public TReportForm {
    Q_OBJECT
public:
    explicit TReqmtsForm(QWidget* parent = nullptr);
    ~TReqmtsForm() override;

    QComboBox* TypeCombo;
    QComboBox* GroupCombo;
    TVxDataSource* ReqSource;

    // The queries run on db from now on (made again for another database).
    void SetDatabase(TSchedDB* db);
    TReqmtsData* Data() const { return m_data.get(); }

    // Shows the report of a stored scenario modally: the caption names the
    // scenario, every query takes its number.
    int Execute(int scenarioNo, const QString& description);

    void FormShow();
    void FormClose();
    void ComboChange();
    // The type, a blank and the grouping: "Weft Reqmts By Job".
    QString SubTitle() const override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    QString totalsText(const TVxQuery& query) const override;

private:
    std::unique_ptr<TReqmtsData> m_data;
    TSchedDB* m_db = nullptr;
};

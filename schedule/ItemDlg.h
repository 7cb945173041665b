// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The schedule's own item dialog, used when the application handles no item
// Do events but offers a list of item captions: several entries can be added
// to a job at once, or one item re-captioned.

#include "VxSched.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

class TVxJobItemForm : public QDialog {
    Q_OBJECT
public:
    explicit TVxJobItemForm(QWidget* owner);

    // Fills the list for adding to job (item null) or re-captioning item;
    // onInit is the schedule's list provider.
    void Prepare(TVxJobSchedule* schedule, TVxJob* job, TVxJobItem* item,
                 const TVxInitItemDialogEvent& onInit);

    // The rules behind the controls, callable without a shown dialog.
    bool OkAllowed() const;
    void AvailListClick();
    // The selected entries, in list order.
    QStringList SelectedCaptions() const;

    // OK (also a double click on an entry): re-captions an edited item and
    // closes.
    void OKBtnClick();

    QLabel* Label1;
    QListWidget* AvailList;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    TVxJob* Job() const { return m_job; }
    TVxJobItem* Item() const { return m_item; }
    TVxInitItemDialogEvent OnInit;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SelectCaption(const QString& caption);

    TVxJob* m_job = nullptr;
    TVxJobItem* m_item = nullptr;
};

// Runs the default item dialog modally. Add mode when item is null: on OK
// returns true with the selected captions, in list order, in `selected`. Edit
// mode: on OK the dialog has already set the item's caption.
bool VxExecuteItemDialog(QWidget* owner, const QString& caption, TVxJobSchedule* schedule,
                         TVxJob* job, TVxJobItem* item, QStringList& selected);

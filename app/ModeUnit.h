#pragma once
// The data-mode dialog asked once per run: text files, a local database file
// or a database server. It has no behaviour of its own; the main window reads
// the checked radio button after the dialog closes.

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

enum class TDataMode { Text, Local, Server };

class TModeForm : public QDialog {
    Q_OBJECT
public:
    explicit TModeForm(QWidget* parent = nullptr);

    // The mode of the checked radio button.
    TDataMode DataMode() const;

    QGroupBox* ModeGroup;
    QLabel* QuestionLabel;
    QRadioButton* TextRadio;
    QLabel* TextLabel;
    QRadioButton* LocalRadio;
    QLabel* LocalLabel;
    QRadioButton* ServerRadio;
    QLabel* ServerLabel;
    QPushButton* OKButton;
    QPushButton* CancelButton;
};

#pragma once
// TUnosOpisa: the problem description dialog. The caller puts the current
// description into Memo1; "prihvati" puts the memo's text, with its lines, in
// Rezultat.

#include "OkvirDijalog.h"

class QPlainTextEdit;
class QPushButton;

class TUnosOpisa : public TOkvirDijalog {
    Q_OBJECT
public:
    explicit TUnosOpisa(QWidget* roditelj = nullptr);

    QPlainTextEdit* Memo1;
    QPushButton* SpeedButton1; // "prihvati"
    QPushButton* SpeedButton2; // "odustani"

    // The description built by the last "prihvati".
    QString Rezultat;

    void SpeedButton1Click();
    void SpeedButton2Click();

protected:
    void showEvent(QShowEvent* e) override;
};

#pragma once
// TUnosOpisa: the problem description dialog. The caller puts the current
// description into Memo1; "prihvati" joins the memo's lines into one line
// (each line followed by one space) in Rezultat.

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

    // Every line of the text followed by one space ("a\nb" gives "a b ").
    static QString SpojiRedove(const QString& tekst);

    void SpeedButton1Click();
    void SpeedButton2Click();

protected:
    void showEvent(QShowEvent* e) override;
};

#pragma once
// TUnosOpisa: the problem description dialog. The caller puts the current
// description into PoljeOpisa; "prihvati" puts the memo's text, with its lines, in
// Rezultat.

#include "OkvirDijalog.h"

class QPlainTextEdit;
class QPushButton;

class TUnosOpisa : public TOkvirDijalog {
    Q_OBJECT
public:
    explicit TUnosOpisa(QWidget* roditelj = nullptr);

    QPlainTextEdit* PoljeOpisa;

    // The description built by the last "prihvati".
    QString Rezultat;

    void DugmePrihvatiClick(); // "prihvati"

protected:
    void showEvent(QShowEvent* e) override;
};

#include "SKEMInspektor.h"

#include <QScrollBar>

#include "Dijalozi.h"
#include "ModelDokumenta.h"
#include "Podsistemi.h"
#include "SKEMBlok.h"
#include "SKEMDugme.h"
#include "SKEMRadnaPovrsina.h"
#include "SKEMSplit.h"
#include "Tekst.h"
#include "VrsteElemenata.h"
#include "unVeza.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QFrame>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QResizeEvent>
#include <QTreeWidget>

namespace {

const QString PorukaNijeBroj = QStringLiteral("Parametar mora biti realan broj!");

// The block inside subsystem b that shown parameter i names, or nullptr.
const skem::TBlokModela* BlokParametra(const TSKEMBlok* b, int i) {
    if (!b->Podsistem || i < 0 || size_t(i) >= b->Podsistem->Parametri.size()) return nullptr;
    const skem::TParametarPodsistema& par = b->Podsistem->Parametri[size_t(i)];
    if (par.Parametar < 1 || par.Parametar > 3) return nullptr;
    return skem::BlokNaPutanji(b->Podsistem->Sadrzaj, par.Blok);
}
constexpr int SifraGeneratoraFunkcija = skem::SifraVrste(skem::TVrstaElementa::GeneratorFunkcija);
constexpr int BrojOrdinata = 11;

bool JeBroj(const QString& tekst) {
    return TekstURealan(tekst) != skem::NijeBroj;
}

// A text the user is still typing towards a number: a sign, a lone point, or
// a mantissa waiting for its exponent ("1e", "2.5E-"). Such a text is not
// refused, so that a number can be typed one key at a time.
bool NedovrsenBroj(const QString& tekst) {
    static const QStringList pocetci = {
        QString(),           QStringLiteral("-"),  QStringLiteral("+"),
        QStringLiteral("."), QStringLiteral("-."), QStringLiteral("+.")};
    if (pocetci.contains(tekst)) return true;
    QString mantisa = tekst;
    if (mantisa.endsWith(QLatin1Char('-')) || mantisa.endsWith(QLatin1Char('+'))) mantisa.chop(1);
    if (!mantisa.endsWith(QLatin1Char('e'), Qt::CaseInsensitive)) return false;
    mantisa.chop(1);
    return JeBroj(mantisa);
}

// A bevelled strip down the left edge of a section.
QFrame* NapraviTraku(QWidget* roditelj) {
    auto* traka = new QFrame(roditelj);
    traka->setFrameStyle(QFrame::Panel | QFrame::Raised);
    traka->setLineWidth(1);
    traka->setFixedWidth(17);
    traka->setAutoFillBackground(true);
    return traka;
}

// A panel whose height a splitter sets, held to a largest height.
class TPanelSaGranicom : public QWidget {
public:
    TPanelSaGranicom(int visina, int granica, QWidget* roditelj)
        : QWidget(roditelj), najvise(granica) {
        setFixedHeight(visina);
    }

protected:
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        if (height() > najvise) setFixedHeight(najvise);
    }

private:
    int najvise;
};

// Draws the block list's grid lines under every entry.
class TLinijeListe : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& opcije,
               const QModelIndex& indeks) const override {
        QStyledItemDelegate::paint(p, opcije, indeks);
        p->save();
        p->setPen(QColor(192, 192, 192));
        p->drawLine(opcije.rect.bottomLeft(), opcije.rect.bottomRight());
        p->restore();
    }
};

QBoxLayout* BezMargina(QBoxLayout* l) {
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    return l;
}

} // namespace

// ---- the grid ----

// The widget below still sends an open editor's focus events to the delegate,
// after this part of the grid is gone.
TSKEMGrid::~TSKEMGrid() {
    if (auto* d = qobject_cast<TEditorCelije*>(itemDelegate())) d->OdvojiGrid();
}

TSKEMGrid::TSKEMGrid(QWidget* roditelj) : QTableWidget(1, 2, roditelj) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(VisinaReda);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setDefaultSectionSize(98);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setShowGrid(true);
    setMinimumHeight(50);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setTabKeyNavigation(true);
    setWordWrap(false);
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::white);
    setPalette(p);
    setItemDelegate(new TEditorCelije(this));
}

void TSKEMGrid::scrollTo(const QModelIndex& indeks, ScrollHint savet) {
    QTableWidget::scrollTo(indeks, savet);
    horizontalScrollBar()->setValue(0);
}

void TSKEMGrid::Ocisti() {
    setRowCount(0);
    setRowCount(1);
}

int TSKEMGrid::DodajRed(const QString& natpis, const QString& vrednost) {
    const int r = rowCount();
    insertRow(r);
    auto* labela = new QTableWidgetItem(natpis);
    // The label column is fixed: never selected, never edited.
    labela->setFlags(Qt::ItemIsEnabled);
    labela->setBackground(QApplication::palette().color(QPalette::Button));
    setItem(r, 0, labela);
    setItem(r, 1, new QTableWidgetItem(vrednost));
    return r;
}

QString TSKEMGrid::Tekst(int red, int kolona) const {
    const QTableWidgetItem* i = item(red, kolona);
    return i ? i->text() : QString();
}

void TSKEMGrid::PostaviTekst(int red, int kolona, const QString& tekst) {
    if (QTableWidgetItem* i = item(red, kolona))
        i->setText(tekst);
    else
        setItem(red, kolona, new QTableWidgetItem(tekst));
    if (editor && red == redEditora && kolona == 1 && editor->text() != tekst)
        editor->setText(tekst);
}

bool TSKEMGrid::MozeDaSeIzabere(int red, int kolona) const {
    if (kolona != 1 || red < 0 || red >= rowCount()) return false;
    const QString t = Tekst(red, kolona);
    return t.isEmpty() || JeBroj(t);
}

void TSKEMGrid::BezTekuceCelije() {
    clearSelection();
    setCurrentIndex(QModelIndex());
}

void TSKEMGrid::ZatvoriEditor() {
    if (editor) closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TSKEMGrid::closeEditor(QWidget* e, QAbstractItemDelegate::EndEditHint savet) {
    // The view lets go of the editor here, though it is deleted only later.
    if (e == editor) {
        editor = nullptr;
        redEditora = -1;
    }
    QTableWidget::closeEditor(e, savet);
}

void TSKEMGrid::resizeEvent(QResizeEvent* e) {
    QTableWidget::resizeEvent(e);
    const int n = columnCount();
    if (n <= 0) return;
    const int w = width();
    const int sirina = w % n == 0 ? (w - 2) / n : w / n - 1;
    horizontalHeader()->setDefaultSectionSize(std::max(1, sirina));
    for (int k = 0; k < n; ++k)
        setColumnWidth(k, std::max(1, sirina));
}

bool TSKEMGrid::edit(const QModelIndex& indeks, EditTrigger okidac, QEvent* dogadjaj) {
    if (indeks.isValid() && !MozeDaSeIzabere(indeks.row(), indeks.column())) return false;
    return QTableWidget::edit(indeks, okidac, dogadjaj);
}

QItemSelectionModel::SelectionFlags TSKEMGrid::selectionCommand(const QModelIndex& indeks,
                                                                const QEvent* dogadjaj) const {
    if (indeks.isValid() && !MozeDaSeIzabere(indeks.row(), indeks.column()))
        return QItemSelectionModel::NoUpdate;
    return QTableWidget::selectionCommand(indeks, dogadjaj);
}

void TSKEMGrid::EditorOtvoren(QLineEdit* e, int red) {
    editor = e;
    redEditora = red;
}

void TSKEMGrid::TekstEditora(int red, const QString& tekst) {
    // The cell follows the editor key by key, as the stored text the report is about.
    if (QTableWidgetItem* i = item(red, 1))
        i->setText(tekst);
    else
        setItem(red, 1, new QTableWidgetItem(tekst));
    if (!OnIzmenaTeksta) return;
    const bool ranije = javljam;
    javljam = true;
    OnIzmenaTeksta(this, red, tekst);
    javljam = ranije;
}

TEditorCelije::TEditorCelije(TSKEMGrid* vlasnik) : QStyledItemDelegate(vlasnik), grid(vlasnik) {}

QWidget* TEditorCelije::createEditor(QWidget* roditelj, const QStyleOptionViewItem&,
                                     const QModelIndex& indeks) const {
    auto* e = new QLineEdit(roditelj);
    e->setFrame(false);
    const int red = indeks.row();
    TSKEMGrid* g = grid;
    // textEdited: only the user's changes, not the grid's own resets.
    connect(e, &QLineEdit::textEdited, g, [g, red](const QString& t) { g->TekstEditora(red, t); });
    g->EditorOtvoren(e, red);
    return e;
}

void TEditorCelije::setModelData(QWidget* editor, QAbstractItemModel* model,
                                 const QModelIndex& indeks) const {
    auto* e = qobject_cast<QLineEdit*>(editor);
    if (!e) return QStyledItemDelegate::setModelData(editor, model, indeks);
    const QString tekst = KonacanTekst ? KonacanTekst(indeks.row(), e->text()) : e->text();
    model->setData(indeks, tekst, Qt::EditRole);
}

bool TEditorCelije::eventFilter(QObject* objekat, QEvent* dogadjaj) {
    // A refusal's message box takes the focus while the editor is still inside
    // its key handler: closing the editor then would destroy it under that
    // handler. The editor stays open and gets the focus back with the box gone.
    if (grid && grid->javljam && dogadjaj->type() == QEvent::FocusOut) return false;
    return QStyledItemDelegate::eventFilter(objekat, dogadjaj);
}

// ---- the inspector ----

TSKEMInspektor::TSKEMInspektor(QWidget* roditelj) : QWidget(roditelj) {
    QFont f(QStringLiteral("Verdana"), 8);
    f.setBold(true);
    setFont(f);
    NapraviRaspored();

    gridUlaza->OnIzmenaTeksta = [this](TSKEMGrid*, int red, const QString& t) {
        IzmenaTeksta(red, t);
    };
    static_cast<TEditorCelije*>(gridUlaza->itemDelegate())->KonacanTekst =
        [this](int red, const QString& t) { return KonacanTekst(red, t); };

    akcijaPodrazumevane = new QAction(QStringLiteral("Podrazumevane ordinate"), this);
    akcijaPodrazumevane->setToolTip(
        QStringLiteral("Ordinate generatora funkcija ravnomerno izmedju donje i gornje granice"));
    connect(akcijaPodrazumevane, &QAction::triggered, this, [this] { PodrazumevaneOrdinate(); });
    gridUlaza->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(gridUlaza, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        TSKEMBlok* b = PrikazaniBlok();
        if (!b) return;
        QMenu meni(this);
        const int red = gridUlaza->rowAt(p.y());
        if (OnMeniParametra && red >= 0 && red < redovi.size() &&
            redovi[red].Vrsta == TRed::TVrsta::Parametar)
            OnMeniParametra(meni, b, redovi[red].Broj);
        if (OnMeniParametraPodsistema && red >= 0 && red < redovi.size() &&
            redovi[red].Vrsta == TRed::TVrsta::ParametarPodsistema && b->Podsistem &&
            BlokParametra(b, redovi[red].Broj))
            OnMeniParametraPodsistema(meni, b, b->Podsistem->Parametri[size_t(redovi[red].Broj)]);
        if (b->Sifra == SifraGeneratoraFunkcija) {
            akcijaPodrazumevane->setEnabled(b->Ordinate.has_value());
            meni.addAction(akcijaPodrazumevane);
        }
        if (!meni.isEmpty()) meni.exec(gridUlaza->viewport()->mapToGlobal(p));
    });

    connect(lista->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { IzborUListi(); });

    // At creation: no block, an empty list.
    dugmeNaziv->PostaviTekst(QStringLiteral("SKEMInspector"));
    gridUlaza->setEnabled(false);
}

TSKEMInspektor::~TSKEMInspektor() {
    // The list empties itself while it is destroyed: that is no pick.
    disconnect(lista->selectionModel(), nullptr, this, nullptr);
}

void TSKEMInspektor::NapraviRaspored() {
    auto* glavni = BezMargina(new QVBoxLayout(this));

    auto* vrh = new QWidget(this);
    vrh->setFixedHeight(2);
    glavni->addWidget(vrh);

    dugmeBlokovi = new TSKEMDugme(this);
    dugmeBlokovi->setFixedHeight(20);
    dugmeBlokovi->PostaviTekst(QStringLiteral("Blokovi"));
    glavni->addWidget(dugmeBlokovi);

    panelBlokova = new TPanelSaGranicom(166, 246, this);
    auto* uListi = BezMargina(new QHBoxLayout(panelBlokova));
    uListi->addWidget(NapraviTraku(panelBlokova));
    lista = new QTreeWidget(panelBlokova);
    lista->setColumnCount(1);
    lista->setHeaderHidden(true);
    lista->header()->setStretchLastSection(true); // the column is as wide as the list
    lista->setRootIsDecorated(false);
    lista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lista->setSelectionMode(QAbstractItemView::SingleSelection);
    lista->setSelectionBehavior(QAbstractItemView::SelectRows);
    lista->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lista->setMinimumHeight(30);
    lista->setItemDelegate(new TLinijeListe(lista));
    uListi->addWidget(lista);
    glavni->addWidget(panelBlokova);
    dugmeBlokovi->AktivniPanel = panelBlokova;

    splitBlokova = new TSKEMSplit(TSKEMSplit::TPoravnanje::alGore, this);
    splitBlokova->PostaviAktivniPanel(panelBlokova);
    glavni->addWidget(splitBlokova);

    // Everything below the splitter in one piece, so that the splitter grows
    // the list panel at its expense.
    auto* donji = new QWidget(this);
    auto* uDonjem = BezMargina(new QVBoxLayout(donji));
    dugmeNaziv = new TSKEMDugme(donji);
    dugmeNaziv->setFixedHeight(20);
    dugmeNaziv->PostaviTekst(QStringLiteral("Naziv elementa"));
    uDonjem->addWidget(dugmeNaziv);

    detalji = new QWidget(donji);
    auto* uDetaljima = BezMargina(new QHBoxLayout(detalji));
    uDetaljima->addWidget(NapraviTraku(detalji));
    auto* belo = new QWidget(detalji);
    belo->setAutoFillBackground(true);
    QPalette bp = belo->palette();
    bp.setColor(QPalette::Window, Qt::white);
    belo->setPalette(bp);
    auto* uBelom = BezMargina(new QVBoxLayout(belo));
    uDetaljima->addWidget(belo, 1);
    uDonjem->addWidget(detalji, 1);
    uDonjem->addStretch(0);
    dugmeNaziv->AktivniPanel = detalji;

    dugmeUlazi = new TSKEMDugme(belo);
    dugmeUlazi->setFixedHeight(20);
    dugmeUlazi->PostaviTekst(QStringLiteral("Ulazi/Parametri"));
    uBelom->addWidget(dugmeUlazi);
    panelUlaza = new TPanelSaGranicom(126, 180, belo);
    gridUlaza = new TSKEMGrid(panelUlaza);
    BezMargina(new QVBoxLayout(panelUlaza))->addWidget(gridUlaza);
    uBelom->addWidget(panelUlaza);
    dugmeUlazi->AktivniPanel = panelUlaza;

    splitUlaza = new TSKEMSplit(TSKEMSplit::TPoravnanje::alGore, belo);
    splitUlaza->PostaviAktivniPanel(panelUlaza);
    uBelom->addWidget(splitUlaza);

    auto* izlazi = new QWidget(belo);
    auto* uIzlazima = BezMargina(new QVBoxLayout(izlazi));
    dugmeIzlazi = new TSKEMDugme(izlazi);
    dugmeIzlazi->setFixedHeight(20);
    dugmeIzlazi->PostaviTekst(QStringLiteral("Izlazi"));
    uIzlazima->addWidget(dugmeIzlazi);
    panelIzlaza = new QWidget(izlazi);
    gridIzlaza = new TSKEMGrid(panelIzlaza);
    gridIzlaza->setEnabled(false); // display only
    // Disabled, it still reads like grid 1.
    QPalette gp = gridIzlaza->palette();
    gp.setColor(QPalette::Disabled, QPalette::Text, Qt::black);
    gridIzlaza->setPalette(gp);
    BezMargina(new QVBoxLayout(panelIzlaza))->addWidget(gridIzlaza);
    uIzlazima->addWidget(panelIzlaza, 1);
    uIzlazima->addStretch(0);
    dugmeIzlazi->AktivniPanel = panelIzlaza;
    uBelom->addWidget(izlazi, 1);
    uBelom->addStretch(0);

    glavni->addWidget(donji, 1);
    glavni->addStretch(0);

    for (TSKEMDugme* d : {dugmeBlokovi, dugmeNaziv, dugmeUlazi, dugmeIzlazi})
        d->OnClick = [this](TSKEMDugme* dugme) { Prebaci(dugme); };
}

void TSKEMInspektor::Prebaci(TSKEMDugme* dugme) {
    if (QWidget* p = dugme->AktivniPanel) p->setHidden(!p->isHidden());
}

QString TSKEMInspektor::OznakaBloka(const TSKEMBlok* b) const {
    QString putanja;
    if (AktivnaPovrsina)
        for (int broj : PutanjaNivoa(*AktivnaPovrsina))
            putanja += QString::number(broj) + QLatin1Char('/');
    return putanja + QString::number(b->LokalniBroj()) + QStringLiteral(". ") + b->Naziv;
}

bool TSKEMInspektor::UPovrsini(const TSKEMBlok* b) const {
    return b && AktivnaPovrsina && AktivnaPovrsina->Blokovi().contains(const_cast<TSKEMBlok*>(b));
}

TSKEMBlok* TSKEMInspektor::PrikazaniBlok() const {
    return UPovrsini(prikazani) ? prikazani : nullptr;
}

TSKEMBlok* TSKEMInspektor::BlokStavke(QTreeWidgetItem* stavka) const {
    if (!stavka || !povrsinaListe) return nullptr;
    auto* b = reinterpret_cast<TSKEMBlok*>(stavka->data(0, Qt::UserRole).value<quintptr>());
    // An entry may outlive its block until the next rebuild.
    return povrsinaListe->Blokovi().contains(b) ? b : nullptr;
}

void TSKEMInspektor::ObnoviListu(TSKEMRadnaPovrsina* povrsina) {
    azuriram = true;
    lista->clear();
    povrsinaListe = nullptr;
    if (AktivnaPovrsina && povrsina && povrsina->Vidljiva()) {
        povrsinaListe = povrsina;
        QTreeWidgetItem* izabrana = nullptr;
        for (TSKEMBlok* b : povrsina->Blokovi()) {
            auto* stavka = new QTreeWidgetItem(lista, QStringList{OznakaBloka(b)});
            stavka->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(b)));
            if (b == povrsina->SelektovaniBlok) izabrana = stavka;
        }
        // The new list marks the selected block, without taking the focus.
        if (izabrana && !panelBlokova->isHidden()) lista->setCurrentItem(izabrana);
    }
    azuriram = false;

    // A shown block that left the workspace is not shown any longer.
    if (prikazani && !UPovrsini(prikazani)) {
        prikazani = nullptr;
        redovi.clear();
        gridUlaza->Ocisti();
        gridIzlaza->Ocisti();
        dugmeNaziv->PostaviTekst(QStringLiteral("SKEMInspector"));
        gridUlaza->setEnabled(false);
    }
}

void TSKEMInspektor::IzborUListi() {
    if (azuriram) return;
    const QList<QTreeWidgetItem*> izabrane = lista->selectedItems();
    if (izabrane.isEmpty()) return;
    if (TSKEMBlok* b = BlokStavke(izabrane.first())) b->SetAktivno(true);
}

void TSKEMInspektor::UskladiListu() {
    if (panelBlokova->isHidden()) return;
    azuriram = true;
    if (TSKEMBlok* s = AktivnaPovrsina->SelektovaniBlok) {
        for (int i = 0; i < lista->topLevelItemCount(); ++i) {
            QTreeWidgetItem* stavka = lista->topLevelItem(i);
            // The entry's own pointer first: checking every entry's block
            // against the workspace would cost the whole list for each.
            if (reinterpret_cast<TSKEMBlok*>(stavka->data(0, Qt::UserRole).value<quintptr>()) !=
                    s ||
                BlokStavke(stavka) != s)
                continue;
            lista->setFocus(Qt::OtherFocusReason);
            lista->setCurrentItem(stavka);
            stavka->setSelected(true);
            dugmeNaziv->PostaviTekst(stavka->text(0));
            break;
        }
    } else {
        lista->setCurrentItem(nullptr);
        lista->clearSelection();
        dugmeNaziv->PostaviTekst(QStringLiteral(" "));
    }
    azuriram = false;
}

void TSKEMInspektor::PrikaziBlok(TSKEMBlok* blok) {
    if (!AktivnaPovrsina || !AktivnaPovrsina->Vidljiva()) return;
    // A block no longer on the workspace is never touched.
    prikazani = UPovrsini(blok) ? blok : nullptr;
    UskladiListu();
    gridUlaza->ZatvoriEditor();
    redovi.clear();
    gridUlaza->Ocisti();
    gridIzlaza->Ocisti();
    if (!prikazani) {
        dugmeNaziv->PostaviTekst(QStringLiteral("SKEMInspector"));
        gridUlaza->setEnabled(false);
        return;
    }
    dugmeNaziv->PostaviTekst(OznakaBloka(prikazani));
    gridUlaza->setEnabled(true);
    PopuniUlazeIParametre(prikazani);
    PopuniIzlaze(prikazani);
    gridUlaza->BezTekuceCelije();
    gridIzlaza->BezTekuceCelije();
}

void TSKEMInspektor::PopuniUlazeIParametre(TSKEMBlok* b) {
    auto koristi = [](const QString& natpis) {
        return !natpis.isEmpty() && natpis != QStringLiteral("x");
    };
    gridUlaza->setRowCount(0);
    for (int k = 0; k < 3; ++k) {
        const QString& natpis = b->Natpisi[3 + k];
        if (!koristi(natpis)) continue;
        const TSKEMBlok* izvor = b->IzvorUlaza(k);
        gridUlaza->DodajRed(natpis, izvor ? OznakaBloka(izvor) : QStringLiteral("<nema ulaza>"));
        redovi.append({TRed::TVrsta::Ulaz, k});
    }
    // A subsystem port's caption str2 is its name, not a parameter's.
    const bool port = skem::JePortPodsistema(skem::VrstaIzSifre(b->Sifra));
    for (int k = 1; k <= 3; ++k) {
        const QString& natpis = b->Natpisi[k - 1];
        if (!koristi(natpis) || (port && k - 1 == skem::NatpisImenaPorta)) continue;
        gridUlaza->DodajRed(natpis, RealanUTekst(b->ParametarBloka(k)));
        redovi.append({TRed::TVrsta::Parametar, k});
    }
    // A subsystem's parameters live in the blocks inside; one naming no
    // block (a damaged file) gets no row.
    if (b->Podsistem)
        for (size_t i = 0; i < b->Podsistem->Parametri.size(); ++i)
            if (const skem::TBlokModela* u = BlokParametra(b, int(i))) {
                const skem::TParametarPodsistema& par = b->Podsistem->Parametri[i];
                gridUlaza->DodajRed(par.Natpis, RealanUTekst(u->Parametar(par.Parametar)));
                redovi.append({TRed::TVrsta::ParametarPodsistema, int(i)});
            }
    if (b->Sifra == SifraGeneratoraFunkcija) {
        // The generator's table, after the parameters so that they keep their rows.
        const std::array<double, BrojOrdinata> t = b->OrdinateBloka();
        for (int i = 0; i < BrojOrdinata; ++i) {
            gridUlaza->DodajRed(QStringLiteral("T%1").arg(i), RealanUTekst(t[i]));
            redovi.append({TRed::TVrsta::Ordinata, i});
        }
        OsveziOrdinate(b, -1);
    }
}

void TSKEMInspektor::PopuniIzlaze(TSKEMBlok* b) {
    gridIzlaza->setRowCount(0);
    if (b->Izlazi.isEmpty()) {
        gridIzlaza->DodajRed(QStringLiteral("Izlaz"), QStringLiteral("<nema izlaza>"));
        return;
    }
    int n = 0;
    for (const TVeza* c : b->Izlazi)
        gridIzlaza->DodajRed(QStringLiteral("Izlaz %1").arg(++n),
                             c->KrajBlok ? OznakaBloka(c->KrajBlok)
                                         : QStringLiteral("<nema ulaza>"));
}

// Writes the generator's ordinates into their rows (all but one being edited)
// and names each row's abscissa in its tool tip.
void TSKEMInspektor::OsveziOrdinate(TSKEMBlok* b, int osimReda) {
    const std::array<double, BrojOrdinata> t = b->OrdinateBloka();
    for (int r = 0; r < redovi.size(); ++r) {
        if (redovi[r].Vrsta != TRed::TVrsta::Ordinata) continue;
        const int i = redovi[r].Broj;
        const double x = b->Parametar2 + (b->Parametar1 - b->Parametar2) * i / 10.0;
        if (QTableWidgetItem* labela = gridUlaza->item(r, 0))
            labela->setToolTip(QStringLiteral("Izlaz generatora za ulaz ") + RealanUTekst(x));
        if (r != osimReda) gridUlaza->PostaviTekst(r, 1, RealanUTekst(t[i]));
    }
}

void TSKEMInspektor::IzmenaTeksta(int red, const QString& tekst) {
    if (NedovrsenBroj(tekst)) return;
    const double v = TekstURealan(tekst);
    if (v == skem::NijeBroj) {
        Dijalozi().Greska(PorukaNijeBroj);
        // The cell goes back to what the block holds, so screen and model agree.
        gridUlaza->PostaviTekst(red, 1, TekstVrednosti(red));
        return;
    }
    if (TSKEMBlok* b = PrikazaniBlok()) UpisiVrednost(b, red, v);
}

// The row's label says what it stands for: with the catalogue's rules (real
// labels first, "x" after) parameter k sits at row MaxUlaznihVeza + k - 1,
// and a block whose labels break them still gets the parameter its row names.
void TSKEMInspektor::UpisiVrednost(TSKEMBlok* b, int red, double v) {
    if (red < 0 || red >= redovi.size()) return;
    const TRed& r = redovi[red];
    switch (r.Vrsta) {
    case TRed::TVrsta::Ulaz:
        return;
    case TRed::TVrsta::Parametar:
        if (r.Broj == 1) b->Parametar1 = v;
        if (r.Broj == 2) b->Parametar2 = v;
        if (r.Broj == 3) b->Parametar3 = v;
        // Default ordinates follow the bounds.
        if (b->Sifra == SifraGeneratoraFunkcija) OsveziOrdinate(b, -1);
        break;
    case TRed::TVrsta::Ordinata:
        if (!b->Ordinate) b->Ordinate = b->OrdinateBloka();
        (*b->Ordinate)[r.Broj] = v;
        break;
    case TRed::TVrsta::ParametarPodsistema: {
        if (!BlokParametra(b, r.Broj)) return;
        // The content is shared with undo steps and copies: a new one is made.
        auto novi = std::make_shared<skem::TPodsistemModela>(*b->Podsistem);
        const skem::TParametarPodsistema& par = novi->Parametri[size_t(r.Broj)];
        skem::TBlokModela* u = skem::IzmenljivBlok(novi->Sadrzaj, par.Blok);
        if (!u) return;
        (par.Parametar == 1   ? u->Parametar1
         : par.Parametar == 2 ? u->Parametar2
                              : u->Parametar3) = v;
        b->Podsistem = std::move(novi);
        b->update();
        break;
    }
    }
    if (OnIzmena) OnIzmena(this);
}

// What a closed editor leaves in the cell: the typed number, or for an
// unfinished text the value the block really has.
QString TSKEMInspektor::KonacanTekst(int red, const QString& tekst) const {
    if (JeBroj(tekst)) return tekst;
    const QString vrednost = TekstVrednosti(red);
    return vrednost.isEmpty() ? tekst : vrednost;
}

// The value row `red` stands for, as the shown block holds it; empty for an
// input row, "0" with no block shown.
QString TSKEMInspektor::TekstVrednosti(int red) const {
    const TSKEMBlok* b = PrikazaniBlok();
    if (!b || red < 0 || red >= redovi.size()) return QStringLiteral("0");
    const TRed& r = redovi[red];
    if (r.Vrsta == TRed::TVrsta::Parametar) return RealanUTekst(b->ParametarBloka(r.Broj));
    if (r.Vrsta == TRed::TVrsta::Ordinata) return RealanUTekst(b->OrdinateBloka()[r.Broj]);
    if (r.Vrsta == TRed::TVrsta::ParametarPodsistema)
        if (const skem::TBlokModela* u = BlokParametra(b, r.Broj))
            return RealanUTekst(u->Parametar(b->Podsistem->Parametri[size_t(r.Broj)].Parametar));
    return {};
}

void TSKEMInspektor::PodrazumevaneOrdinate() {
    TSKEMBlok* b = PrikazaniBlok();
    if (!b || b->Sifra != SifraGeneratoraFunkcija || !b->Ordinate) return;
    gridUlaza->ZatvoriEditor();
    b->Ordinate.reset();
    OsveziOrdinate(b, -1);
    if (OnIzmena) OnIzmena(this);
}

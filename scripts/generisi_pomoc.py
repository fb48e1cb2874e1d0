#!/usr/bin/env python3
"""Generates the help pages of SKEM: resources/help/index.htm and one page per
element kind of the engine's kind table (engine/VrsteElemenata.h), by code:
0.htm, 1.htm, ...

The generated pages are kept in the repository; the build only copies them.
Text is Serbian in Latin letters without diacritics; symbols are written as
HTML entities so that the files stay plain ASCII.

    python3 scripts/generisi_pomoc.py
"""

import html
import os

from vrste_elemenata import broj_vrsta

KOREN = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
POMOC = os.path.join(KOREN, "resources", "help")

STIL = """body { font-family: Verdana, 'DejaVu Sans', sans-serif; font-size: 10pt; color: #1d3557; background-color: #ffffff; }
h1 { font-size: 16pt; color: #1d3557; margin-bottom: 4px; }
h2 { font-size: 12pt; color: #24497a; margin-top: 14px; margin-bottom: 4px; }
h3 { font-size: 10pt; color: #24497a; margin-top: 10px; margin-bottom: 2px; }
p { margin-top: 4px; margin-bottom: 6px; }
.nav { font-size: 9pt; color: #5d7896; }
.formula { font-family: 'DejaVu Sans Mono', 'Courier New', monospace; color: #8e2f12; }
.poruka { font-weight: bold; color: #800000; }
.napomena { background-color: #eef3f9; }
th { background-color: #dbe5f0; text-align: left; }
a { color: #2a5d9f; }"""

# Block kinds: code -> page contents. Names and labels are those of the palette.
# Each entry: naziv, grupa, kratko, racuna (list of paragraphs, HTML),
# ulazi [(ulaz, znacenje)], parametri [(parametar, oznaka, znacenje)],
# greske [paragraphs], primer [paragraphs].
BLOKOVI = {
    0: dict(
        naziv="Odabiranje i drzanje", grupa="MEMORIJA I UPRAVLJANJE",
        kratko="Prati ulazni signal dok to upravljacki ulaz dozvoljava i pamti poslednju vrednost.",
        racuna=[
            "Blok ima memoriju. U pocetnom prolazu svakog proracuna memorija dobija vrednost "
            "<b>Parametra 1</b>. Zatim se u svakom prolazu (i u pocetnom) primenjuje pravilo upravljackog "
            "ulaza:",
            "<ul><li>Ulaz 2 &lt; 0: izlaz je 0, a memorija se ne menja;</li>"
            "<li>Ulaz 2 = 0: izlaz je vrednost iz memorije (drzanje);</li>"
            "<li>Ulaz 2 &gt; 0: memorija i izlaz dobijaju vrednost Ulaza 1 (pracenje).</li></ul>",
            "Ako je Ulaz 2 negativan od samog pocetka, izlaz je 0 vec u trenutku t = 0, a memorija cuva "
            "Parametar 1 za kasnije drzanje.",
        ],
        ulazi=[("Ulaz 1", "signal koji se prati"), ("Ulaz 2", "upravljanje: znak odredjuje pracenje, drzanje ili nulu")],
        parametri=[("Parametar 1", "Pocetna vrednost", "vrednost memorije na pocetku proracuna")],
        primer=[
            "Blok <i>Sinus</i> sa blokom <i>Vreme</i> na ulazu vezite na Ulaz 1, a na Ulaz 2 dovedite blok "
            "<i>Konstanta</i> sa vrednoscu 1: izlaz prati sinus. Sa konstantom 0 na Ulazu 2 izlaz stalno "
            "ima vrednost Parametra 1.",
        ]),
    1: dict(
        naziv="Arkus tangens", grupa="MATEMATICKE FUNKCIJE",
        kratko="Arkus tangens linearne funkcije ulaza, pomnozen amplitudom.",
        racuna=[
            "Blok racuna argument <span class=\"formula\">y = p2 &times; u1 + p3</span>. Ako je y negativan, "
            "simulacija se prekida greskom; inace je izlaz "
            "<span class=\"formula\">p1 &times; arctan(y)</span> (ugao u radijanima).",
        ],
        ulazi=[("Ulaz 1", "argument u1")],
        parametri=[("Parametar 1", "Amplituda", "mnozilac rezultata p1"),
                   ("Parametar 2", "Koef. ulaza", "koeficijent ulaza p2"),
                   ("Parametar 3", "Pomeraj", "sabirak argumenta p3")],
        greske=["<span class=\"poruka\">Vrednost za ArcTan je negativna!</span> &ndash; argument "
                "p2 &times; u1 + p3 je manji od nule. Argument jednak nuli je dozvoljen i daje izlaz 0."],
        primer=["Sa p1 = 1, p2 = 1, p3 = 0 i blokom <i>Vreme</i> na ulazu izlaz je arctan(t): "
                "raste od 0 ka &pi;/2 &asymp; 1.5708."]),
    2: dict(
        naziv="Znak", grupa="NELINEARNI",
        kratko="Znak ulaza: -1, 0 ili 1.",
        racuna=["Izlaz je -1 kada je Ulaz 1 negativan, 1 kada je pozitivan i 0 kada je jednak nuli "
                "(i za -0)."],
        ulazi=[("Ulaz 1", "signal ciji se znak odredjuje")],
        primer=["Znak sinusnog signala je pravougaoni signal amplitude 1 sa istom periodom."]),
    3: dict(
        naziv="Kosinus", grupa="MATEMATICKE FUNKCIJE",
        kratko="Kosinus linearne funkcije ulaza.",
        racuna=["Izlaz je <span class=\"formula\">p1 &times; cos(p2 &times; u1 + p3)</span>; ugao je u "
                "radijanima."],
        ulazi=[("Ulaz 1", "argument u1, najcesce vreme")],
        parametri=[("Parametar 1", "Amplituda", "amplituda p1"),
                   ("Parametar 2", "Frekvencija", "kruzna ucestanost p2 (rad/s kada je ulaz vreme)"),
                   ("Parametar 3", "Faza", "pocetna faza p3 u radijanima")],
        primer=["Blok <i>Vreme</i> na Ulazu 1, p1 = 2, p2 = 3.14159, p3 = 0: kosinus amplitude 2 i "
                "periode 2 s."]),
    4: dict(
        naziv="Mrtva zona", grupa="NELINEARNI",
        kratko="Potiskuje male vrednosti ulaza.",
        racuna=["Ako je <span class=\"formula\">p1 &lt; u1 &lt; p2</span>, izlaz je 0; inace izlaz je "
                "jednak ulazu. Same granice pripadaju propusnom delu."],
        ulazi=[("Ulaz 1", "signal u1")],
        parametri=[("Parametar 1", "Donja granica", "donja granica zone p1"),
                   ("Parametar 2", "Gornja granica", "gornja granica zone p2")],
        primer=["Sa p1 = -1 i p2 = 1 ulazi -1 i 1 prolaze nepromenjeni, a ulaz 0.5 daje 0."]),
    5: dict(
        naziv="Delitelj", grupa="MATEMATICKE FUNKCIJE",
        kratko="Kolicnik dva ulaza.",
        racuna=["Izlaz je <span class=\"formula\">u1 / u2</span>. Redosled ulaza je bitan: Ulaz 1 je "
                "deljenik, Ulaz 2 delilac."],
        ulazi=[("Ulaz 1", "deljenik"), ("Ulaz 2", "delilac")],
        greske=["<span class=\"poruka\">Drugi ulaz u delitelj je 0!</span> &ndash; delilac je jednak nuli. "
                "Nepovezan ulaz ima vrednost 0, pa delitelj bez veze na Ulazu 2 uvek prekida simulaciju."],
        primer=["Konstanta 1 na Ulazu 1 i izlaz bloka <i>Pomeraj</i> (ulaz <i>Vreme</i>, pomeraj 1) na "
                "Ulazu 2 daju 1 / (t + 1)."]),
    6: dict(
        naziv="Eksponencijalna f-ja", grupa="MATEMATICKE FUNKCIJE",
        kratko="Eksponencijalna funkcija linearne funkcije ulaza.",
        racuna=["Izlaz je <span class=\"formula\">p1 &times; exp(p2 &times; u1 + p3)</span>."],
        ulazi=[("Ulaz 1", "argument u1")],
        parametri=[("Parametar 1", "Amplituda", "mnozilac p1"),
                   ("Parametar 2", "Koef. ulaza", "koeficijent ulaza p2"),
                   ("Parametar 3", "Pomeraj", "sabirak argumenta p3")],
        greske=["Blok nema sopstvenu poruku o gresci. Ako rezultat premasi opseg realnih brojeva (na "
                "primer exp(1000)), simulacija se prekida porukom <span class=\"poruka\">Doslo je do "
                "neocekivane greske tokom simulacije!</span> u kojoj pise <span class=\"poruka\">Greska: "
                "Floating point overflow</span>."],
        primer=["Sa p1 = 1, p2 = -0.5, p3 = 0 i blokom <i>Vreme</i> na ulazu izlaz je opadajuca "
                "eksponencijalna funkcija exp(-t/2)."]),
    7: dict(
        naziv="Generator funkcija", grupa="NELINEARNI",
        kratko="Deo po deo linearna funkcija zadata tabelom od 11 ordinata.",
        racuna=[
            "Interval [p2, p1] podeljen je na 10 jednakih delova; u 11 tacaka "
            "<span class=\"formula\">p2, p2 + (p1 - p2)/10, ..., p1</span> zadate su ordinate "
            "T0 ... T10. Za ulaz u1 blok racuna <span class=\"formula\">x = (u1 - p2) &times; 10 / (p1 - p2)</span>:",
            "<ul><li>x &le; 0 (ulaz ispod donje granice): izlaz je T0;</li>"
            "<li>x &ge; 10 (ulaz iznad gornje granice): izlaz je T10;</li>"
            "<li>inace, za i = ceo deo od x, izlaz je T<sub>i</sub> + (x - i) &times; (T<sub>i+1</sub> - "
            "T<sub>i</sub>), linearna interpolacija izmedju susednih ordinata.</li></ul>",
            "Novi generator ima ordinate jednake apscisama (T<sub>i</sub> = p2 + i &times; (p1 - p2)/10), "
            "pa unutar intervala propusta ulaz nepromenjen, a van njega daje granicne vrednosti p2 i p1. "
            "Dok nijednu ordinatu ne promenite, ove podrazumevane ordinate prate granice kada promenite "
            "Parametar 1 ili Parametar 2, i kada ih tokom simulacije menja klizac ili lista izmena "
            "(vidite <a href=\"index.htm#laboratorija\">Laboratorija</a>): od tog koraka generator radi "
            "kao da je simulacija pocela sa novim granicama. Sopstvene ordinate pri tome ostaju, a pomera se "
            "samo interval.",
            "<b>Unos ordinata.</b> Izaberite generator; u inspektoru, u odeljku &quot;Ulazi/Parametri&quot;, "
            "posle parametara &quot;Gornja granica&quot; i &quot;Donja granica&quot; nalazi se 11 redova "
            "T0 ... T10. Dvaput kliknite vrednost (ili izaberite celiju i pocnite da kucate) i upisite broj "
            "sa tackom; oblacic nad natpisom reda navodi za koji ulaz vazi ta ordinata (&quot;Izlaz "
            "generatora za ulaz ...&quot;). Tekst koji nije broj daje poruku <span class=\"poruka\">Parametar mora "
            "biti realan broj!</span>. Kada promenite bar jednu ordinatu, generator cuva svoju tabelu "
            "(i u dokumentu) i ona vise ne prati granice. Desni klik na tabelu inspektora nudi komandu "
            "&quot;Podrazumevane ordinate&quot;, koja vraca ordinate jednake apscisama (komanda je "
            "dostupna samo kada su ordinate menjane).",
        ],
        ulazi=[("Ulaz 1", "nezavisna promenljiva u1")],
        parametri=[("Parametar 1", "Gornja granica", "kraj intervala p1"),
                   ("Parametar 2", "Donja granica", "pocetak intervala p2")],
        greske=[
            "Pre pocetka simulacije proverava se da drugi parametar nije veci od prvog; ako jeste, "
            "poruka je <span class=\"poruka\">Kod generatora funkcija (n) prvi parametar mora biti veci "
            "od drugog !</span>, gde je n broj bloka.",
            "Ako su granice jednake, simulacija se prekida porukom <span class=\"poruka\">Kod generatora "
            "f-ja razlika prvog i drugog parametra mora biti pozitivna!</span>",
        ],
        primer=["Sa p1 = 10 i p2 = 0 ordinate odgovaraju tackama 0, 1, ..., 10; ulaz 2.5 daje "
                "srednju vrednost ordinata T2 i T3.",
                "Primer <b>generator_funkcija.skem</b> (vidite <a href=\"index.htm#primeri\">Primeri</a>) "
                "ima ordinate 0, 1, 4, 9, ..., 100 (kvadrati brojeva 0 ... 10) i blok <i>Vreme</i> na ulazu, "
                "pa daje deo po deo linearnu parabolu t<sup>2</sup>, a integrator racuna povrsinu ispod nje."]),
    8: dict(
        naziv="Pojacanje", grupa="LINEARNI",
        kratko="Mnozi ulaz konstantom.",
        racuna=["Izlaz je <span class=\"formula\">p1 &times; u1</span>."],
        ulazi=[("Ulaz 1", "signal u1")],
        parametri=[("Parametar 1", "Pojacanje", "koeficijent pojacanja p1")],
        primer=["Pojacanje -1 u povratnoj sprezi oko integratora daje jednacinu x' = -x, "
                "cije je resenje opadajuca eksponencijalna funkcija."]),
    9: dict(
        naziv="Kvadratni koren", grupa="MATEMATICKE FUNKCIJE",
        kratko="Kvadratni koren ulaza.",
        racuna=["Izlaz je <span class=\"formula\">&radic;u1</span>."],
        ulazi=[("Ulaz 1", "nenegativan signal u1")],
        greske=["<span class=\"poruka\">Ulaz u kvadratni koren je negativan!</span> &ndash; Ulaz 1 je manji "
                "od nule. Koren iz 0 je 0."],
        primer=["Blok <i>Vreme</i> na ulazu daje &radic;t."]),
    10: dict(
        naziv="Integrator", grupa="LINEARNI",
        kratko="Integrali zbir svojih ulaza; nosilac stanja modela.",
        racuna=[
            "Izvod stanja integratora je <span class=\"formula\">u1 + p2 &times; u2 + p3 &times; u3</span>; "
            "izlaz je stanje, a pocetna vrednost stanja je <b>Parametar 1</b>. Stanje se racuna "
            "klasicnom Runge-Kutta metodom cetvrtog reda sa zadatim intervalom integracije.",
            "Svaki model mora imati bar jedan integrator. Integratori prekidaju algebarske petlje: "
            "izlaz integratora je poznat pre racunanja ostalih blokova u koraku.",
        ],
        ulazi=[("Ulaz 1", "sabirak izvoda sa koeficijentom 1"), ("Ulaz 2", "sabirak sa koeficijentom p2"),
               ("Ulaz 3", "sabirak sa koeficijentom p3")],
        parametri=[("Parametar 1", "Pocetni uslov", "vrednost izlaza u trenutku t = 0"),
                   ("Parametar 2", "Koef. ulaza 2", "koeficijent p2 Ulaza 2"),
                   ("Parametar 3", "Koef. ulaza 3", "koeficijent p3 Ulaza 3")],
        greske=["Model bez integratora se ne simulira: <span class=\"poruka\">Model mora da sadrzi bar "
                "jedan integrator!</span>"],
        primer=["Harmonijski oscilator x'' = -x: izlaz integratora A vezite na Ulaz 1 integratora B "
                "(pocetni uslov 1), a izlaz integratora B na Ulaz 2 integratora A (pocetni uslov 0, "
                "Parametar 2 = -1). Izlaz integratora B je cos(t).",
                "Primeri <b>oscilator.skem</b>, <b>vanderpol.skem</b> i <b>lotka_volterra.skem</b> "
                "(vidite <a href=\"index.htm#primeri\">Primeri</a>) koriste integratore sa koeficijentima "
                "ulaza 2 i 3."]),
    11: dict(
        naziv="Generator slucajnih brojeva", grupa="IZVORI",
        kratko="Pseudoslucajni brojevi iz intervala [0, 1).",
        racuna=["Pri svakom racunanju blok daje novi pseudoslucajni broj iz intervala [0, 1). Generator "
                "se svaki put iznova inicijalizuje iz sistemskog casovnika, pa se rezultati razlikuju od "
                "jednog pokretanja simulacije do drugog. Blok se racuna u svakom od cetiri prolaza "
                "Runge-Kutta koraka.",
                "Kada model sadrzi ovaj blok, simulacija se izvodi posebno za svaki red tabele "
                "rezultata: svaki red dolazi iz drugog proracuna sa drugim slucajnim brojevima, pa se "
                "vrednosti ovog bloka i blokova koji ga koriste u tabeli medjusobno ne slazu."],
        primer=["Zbir sinusa i slucajnog broja pomnozenog malim pojacanjem je sinus sa sumom."]),
    12: dict(
        naziv="Konstanta", grupa="IZVORI",
        kratko="Stalna vrednost.",
        racuna=["Izlaz je uvek <b>Parametar 1</b>. Blok se ne racuna u koracima simulacije i nema svoj "
                "red u tabeli rezultata."],
        parametri=[("Parametar 1", "Vrednost", "vrednost izlaza")],
        primer=["Konstanta 1 na upravljackom ulazu bloka <i>Odabiranje i drzanje</i> ukljucuje pracenje."]),
    13: dict(
        naziv="Ogranicavac", grupa="NELINEARNI",
        kratko="Ogranicava ulaz na interval [p1, p2] (zasicenje).",
        racuna=["Ako je u1 &lt; p1, izlaz je p1; inace, ako je u1 &gt; p2, izlaz je p2; inace izlaz je "
                "jednak ulazu. Donja granica se proverava prva."],
        ulazi=[("Ulaz 1", "signal u1")],
        parametri=[("Parametar 1", "Donja granica", "najmanja vrednost izlaza p1"),
                   ("Parametar 2", "Gornja granica", "najveca vrednost izlaza p2")],
        primer=["Sa p1 = -1 i p2 = 1 ulaz 5 daje 1, a ulaz -5 daje -1."]),
    14: dict(
        naziv="Apsolutna vrednost", grupa="NELINEARNI",
        kratko="Apsolutna vrednost ulaza.",
        racuna=["Izlaz je <span class=\"formula\">|u1|</span>."],
        ulazi=[("Ulaz 1", "signal u1")],
        primer=["Apsolutna vrednost sinusa je punotalasno ispravljen sinus."]),
    15: dict(
        naziv="Invertor", grupa="LINEARNI",
        kratko="Menja znak ulaza.",
        racuna=["Izlaz je <span class=\"formula\">-u1</span>."],
        ulazi=[("Ulaz 1", "signal u1")],
        primer=["Invertor izmedju dva integratora zatvara petlju harmonijskog oscilatora."]),
    16: dict(
        naziv="Pozitivni deo", grupa="NELINEARNI",
        kratko="Propusta samo nenegativne vrednosti.",
        racuna=["Ako je u1 &ge; 0, izlaz je u1; inace je 0."],
        ulazi=[("Ulaz 1", "signal u1")],
        primer=["Pozitivni deo sinusa je poluperiodno ispravljen sinus."]),
    17: dict(
        naziv="Pomeraj", grupa="LINEARNI",
        kratko="Dodaje ulazu konstantu.",
        racuna=["Izlaz je <span class=\"formula\">u1 + p1</span>."],
        ulazi=[("Ulaz 1", "signal u1")],
        parametri=[("Parametar 1", "Pomeraj", "konstanta p1 koja se dodaje")],
        primer=["Blok <i>Vreme</i> kroz pomeraj -2 na ulazu bloka <i>Odskocna f-ja</i> daje skok u "
                "trenutku t = 2."]),
    18: dict(
        naziv="Negativni deo", grupa="NELINEARNI",
        kratko="Propusta samo nepozitivne vrednosti.",
        racuna=["Ako je u1 &le; 0, izlaz je u1; inace je 0."],
        ulazi=[("Ulaz 1", "signal u1")],
        primer=["Zbir pozitivnog i negativnog dela istog signala jednak je samom signalu."]),
    19: dict(
        naziv="Quit", grupa="MEMORIJA I UPRAVLJANJE",
        kratko="Zavrsava simulaciju kada ulaz predje prag.",
        racuna=[
            "Kada je <span class=\"formula\">u1 &gt; u2</span>, simulacija se na kraju tekuceg koraka "
            "zavrsava normalno, bez okvira sa porukom; statusna traka kaze &quot;Kraj simulacije od strane "
            "Quit elementa.&quot; i vreme do kog je simulacija stigla. U tabeli rezultata sve kolone posle "
            "zavrsetka imaju vrednost 0, prikazanu sivo (ta vremena nisu simulirana), a grafik se zavrsava "
            "u poslednjem simuliranom trenutku. "
            "Jednake vrednosti ne zavrsavaju simulaciju. Blok ne racuna izlaz: njegov red u tabeli "
            "rezultata ima vrednost 0. U <a href=\"index.htm#paketno\">paketnom radu</a> simulacija "
            "zavrsena ovim blokom je uspesna.",
            "Ako u istom koraku neki drugi blok prijavi gresku, greska ima prednost i prikazuje se.",
        ],
        ulazi=[("Ulaz 1", "posmatrani signal"), ("Ulaz 2", "prag")],
        primer=["Blok <i>Vreme</i> na Ulazu 1 i konstanta 5 na Ulazu 2 zavrsavaju simulaciju posle "
                "t = 5, bez obzira na zadatu duzinu simulacije.",
                "Primer <b>pad_tela.skem</b> (vidite <a href=\"index.htm#primeri\">Primeri</a>): "
                "konstanta 0 na Ulazu 1 i visina tela na Ulazu 2 zavrsavaju simulaciju kada visina postane "
                "negativna, oko t = 4.515 s."]),
    20: dict(
        naziv="Prekidac ulaza", grupa="MEMORIJA I UPRAVLJANJE",
        kratko="Bira jedan od dva signala prema znaku upravljackog ulaza.",
        racuna=["Ako je u1 &ge; 0, izlaz je Ulaz 2; inace je Ulaz 3. Za u1 = 0 bira se Ulaz 2."],
        ulazi=[("Ulaz 1", "upravljanje"), ("Ulaz 2", "signal za u1 &ge; 0"), ("Ulaz 3", "signal za u1 &lt; 0")],
        primer=["Sa sinusom na Ulazu 1, konstantom 1 na Ulazu 2 i konstantom -1 na Ulazu 3 izlaz je "
                "pravougaoni signal."]),
    21: dict(
        naziv="Sinus", grupa="MATEMATICKE FUNKCIJE",
        kratko="Sinus linearne funkcije ulaza.",
        racuna=["Izlaz je <span class=\"formula\">p1 &times; sin(p2 &times; u1 + p3)</span>; ugao je u "
                "radijanima."],
        ulazi=[("Ulaz 1", "argument u1, najcesce vreme")],
        parametri=[("Parametar 1", "Amplituda", "amplituda p1"),
                   ("Parametar 2", "Frekvencija", "kruzna ucestanost p2 (rad/s kada je ulaz vreme)"),
                   ("Parametar 3", "Faza", "pocetna faza p3 u radijanima")],
        primer=["Blok <i>Vreme</i> na Ulazu 1, p1 = 1, p2 = 6.28318, p3 = 0: sinus periode 1 s."]),
    22: dict(
        naziv="Odskocna f-ja", grupa="IZVORI",
        kratko="Jedinicni skok.",
        racuna=["Ako je u1 &ge; 0, izlaz je 1; inace je 0. Za u1 = 0 izlaz je 1."],
        ulazi=[("Ulaz 1", "signal ciji znak odredjuje skok, najcesce pomereno vreme")],
        primer=["Blok <i>Vreme</i> kroz <i>Pomeraj</i> sa vrednoscu -2 daje skok sa 0 na 1 u "
                "trenutku t = 2."]),
    23: dict(
        naziv="Memorija", grupa="MEMORIJA I UPRAVLJANJE",
        kratko="Kasni za ulazom jedan prolaz racunanja.",
        racuna=[
            "U pocetnom prolazu izlaz je <b>Parametar 1</b>; u svakom kasnijem prolazu izlaz je vrednost "
            "iz memorije. Zatim, u svakom prolazu, memorija dobija vrednost Ulaza 1. Izlaz zato kasni "
            "za ulazom jedan prolaz racunanja.",
            "Jedan korak integracije ima cetiri prolaza racunanja (Runge-Kutta cetvrtog reda: dva u "
            "sredini koraka i dva na njegovom kraju), pa memorija kasni jedan prolaz, a ne ceo korak. U "
            "tabeli rezultata izlaz memorije u trenutku t = 0 je Parametar 1, a u svakom kasnijem "
            "trenutku vrednost ulaza iz treceg prolaza istog koraka (za isti trenutak, ali sa "
            "medjuvrednostima stanja integratora). Kao i integrator, memorija prekida algebarske petlje.",
        ],
        ulazi=[("Ulaz 1", "signal koji se pamti")],
        parametri=[("Parametar 1", "Pocetna vrednost", "izlaz u pocetnom prolazu")],
        primer=["Memorija u povratnoj petlji bez integratora omogucava da se izracuna izraz koji zavisi "
                "od sopstvene prethodne vrednosti."]),
    24: dict(
        naziv="Pocetak petlje", grupa="MEMORIJA I UPRAVLJANJE",
        kratko="Pocetna procena algebarske petlje koju zatvara blok Wye.",
        racuna=[
            "Blok nema ulaze. Njegov izlaz je tekuca procena velicine y u algebarskoj petlji y = f(y). "
            "Na pocetku proracuna izlaz je <b>Parametar 1</b>; blok <a href=\"28.htm\">Wye</a> ga menja "
            "novim procenama. Poslednja procena ostaje izlaz bloka i sluzi kao pocetna procena u "
            "sledecem prolazu racunanja.",
            "U pocetnom prolazu blok pamti svoje mesto u redosledu racunanja, da bi Wye znao odakle da "
            "ponovi racunanje petlje.",
        ],
        parametri=[("Parametar 1", "Pocetna procena", "prva procena velicine y")],
        primer=["Vidite primer na strani bloka <a href=\"28.htm#primer\">Wye</a> i primer "
                "<b>algebarska_petlja.skem</b> (<a href=\"index.htm#primeri\">Primeri</a>)."]),
    25: dict(
        naziv="Vreme", grupa="IZVORI",
        kratko="Tekuce vreme simulacije.",
        racuna=["Izlaz bloka je tekuce vreme simulacije t: svaki ulaz na koji je blok vezan ima vrednost "
                "t. Blok se ne racuna u koracima i nema svoj red u tabeli rezultata (vremena su u "
                "zaglavlju tabele)."],
        primer=["Vreme na ulazu bloka <i>Sinus</i> daje sinusni signal."]),
    26: dict(
        naziv="Sumator", grupa="LINEARNI",
        kratko="Tezinski zbir tri ulaza.",
        racuna=["Izlaz je <span class=\"formula\">p1 &times; u1 + p2 &times; u2 + p3 &times; u3</span>. "
                "Nepovezan ulaz ima vrednost 0."],
        ulazi=[("Ulaz 1", "prvi sabirak"), ("Ulaz 2", "drugi sabirak"), ("Ulaz 3", "treci sabirak")],
        parametri=[("Parametar 1", "Koef. ulaza 1", "tezina p1"),
                   ("Parametar 2", "Koef. ulaza 2", "tezina p2"),
                   ("Parametar 3", "Koef. ulaza 3", "tezina p3")],
        primer=["Sa koeficijentima 1, -1, 0 sumator daje razliku prva dva ulaza, na primer gresku "
                "regulacije (zadata vrednost minus izlaz sistema)."]),
    27: dict(
        naziv="Mnozac", grupa="MATEMATICKE FUNKCIJE",
        kratko="Proizvod dva ulaza.",
        racuna=["Izlaz je <span class=\"formula\">u1 &times; u2</span>. Nepovezan ulaz ima vrednost 0, pa "
                "je tada i proizvod 0."],
        ulazi=[("Ulaz 1", "prvi cinilac"), ("Ulaz 2", "drugi cinilac")],
        primer=["Proizvod sinusa sa samim sobom daje sin<sup>2</sup>."]),
    28: dict(
        naziv="Wye", grupa="MEMORIJA I UPRAVLJANJE",
        kratko="Zatvara algebarsku petlju y = f(y) relaksacijom.",
        racuna=[
            "Blok <a href=\"24.htm\">Pocetak petlje</a> daje procenu y; njegov izlaz vodi se kroz blokove "
            "koji racunaju f(y) do Ulaza 2 bloka Wye, a sam izlaz bloka Pocetak petlje (junction vezom) i na "
            "Ulaz 1. Kada "
            "racunanje stigne do bloka Wye:",
            "<ol><li>Ako je u1 = 0 (i kada Ulaz 1 nije povezan), simulacija se prekida greskom.</li>"
            "<li>Ako Ulaz 1 ne dolazi od bloka Pocetak petlje, simulacija se prekida greskom.</li>"
            "<li>r = |1 - u2 / u1|. Ako je p1 &gt; r (p1 je relativna tolerancija), izlaz je u1: "
            "petlja je resena.</li>"
            "<li>Inace nova procena <span class=\"formula\">u1 &times; (1 - p2) + u2 &times; p2</span> "
            "(p2 je faktor relaksacije) postaje izlaz bloka Pocetak petlje, racunanje se ponavlja "
            "od tog bloka i Wye ponovo proverava toleranciju.</li></ol>",
            "Broj ponavljanja u jednom prolazu racunanja je ogranicen na 10000: petlja koja ne "
            "konvergira prekida simulaciju porukom o gresci.",
        ],
        ulazi=[("Ulaz 1", "procena y, izlaz bloka Pocetak petlje"), ("Ulaz 2", "izracunata vrednost f(y)")],
        parametri=[("Parametar 1", "Tolerancija", "dozvoljena relativna razlika, na primer 0.0001"),
                   ("Parametar 2", "Faktor relaksacije", "udeo nove vrednosti u proceni, izmedju 0 i 1")],
        greske=["<span class=\"poruka\">Prvi ulaz u Wye element je jednak nuli ili ne postoji!</span> "
                "&ndash; Ulaz 1 nije povezan ili je procena jednaka nuli.",
                "<span class=\"poruka\">Prvi ulaz u Wye element mora dolaziti od bloka pocetka petlje!</span> "
                "&ndash; Ulaz 1 je povezan sa blokom koji nije Pocetak petlje.",
                "<span class=\"poruka\">Wye element ne konvergira (vise od 10000 relaksacija u jednom "
                "prolazu)!</span> &ndash; petlja se ne slaze ni posle 10000 ponavljanja; probajte manji "
                "faktor relaksacije."],
        primer=["Jednacina y = 0.5 &times; y + 1 (resenje y = 2): Pocetak petlje (pocetna procena 1) vezite "
                "na Ulaz 1 bloka Wye, a junction vezom iz te veze na Ulaz 1 sumatora sa koeficijentima 0.5, 1 i 0, "
                "na Ulaz 2 sumatora dovedite konstantu 1, a izlaz sumatora vezite na Ulaz 2 bloka Wye. "
                "Posto svaki model mora imati integrator, dodajte i integrator (na primer sa izlazom bloka "
                "Wye na Ulazu 1). Sa tolerancijom 0.0001 i faktorom relaksacije 0.5 izlaz bloka Wye je "
                "priblizno 2.",
                "Primer <b>algebarska_petlja.skem</b> (vidite <a href=\"index.htm#primeri\">Primeri</a>) "
                "resava petlju y = 0.5 &times; y + sin(t) + 2, cije je resenje y = 2 &times; sin(t) + 4."]),
    29: dict(
        naziv="Podsistem", grupa="PODSISTEMI",
        kratko="Deo dijagrama sklopljen u jedan blok.",
        racuna=[
            "Podsistem sadrzi svoj dijagram. Blokovi <a href=\"30.htm\">Ulaz podsistema</a> i "
            "<a href=\"31.htm\">Izlaz podsistema</a> u njemu su njegovi ulazi i izlazi: podsistem ima "
            "onoliko ulaza i izlaza koliko ima takvih blokova, redom po njihovim rednim brojevima, i "
            "na bloku su oznaceni njihovim imenima. Veza iz podsistema polazi sa izlaza najblizeg "
            "mestu gde je zapoceta.",
            "Na pocetku simulacije hijerarhija se razlaze: veze preko ulaza i izlaza podsistema "
            "postaju direktne veze, pa model racuna isto kao da je nacrtan ravno. Podsistem bez "
            "izlaza se takodje racuna. U tabeli rezultata blokovi unutar podsistema imaju putanju "
            "kao broj, na primer <b>3/2. Integrator</b> (blok 2 u podsistemu 3).",
            "Podsistem moze da prikaze izabrane parametre unutrasnjih blokova pod svojim natpisima "
            "(na primer \"Masa\"); vrednost ostaje u unutrasnjem bloku.",
        ],
        greske=["Ulazi i izlazi podsistema moraju biti numerisani 1, 2, ... bez praznina; inace se "
                "simulacija ne pokrece i poruka navodi podsistem i broj koji nedostaje."],
        primer=["Primer <b>podsistem.skem</b> (vidite <a href=\"index.htm#primeri\">Primeri</a>) "
                "koristi isti sistem drugog reda dva puta."]),
    30: dict(
        naziv="Ulaz podsistema", grupa="PODSISTEMI",
        kratko="Ulaz podsistema, unutar podsistema.",
        racuna=["Izlaz bloka je vrednost koja u podsistem ulazi na ulaz sa rednim brojem p1. Ulaz "
                "podsistema koji nije povezan spolja ima vrednost 0."],
        parametri=[("Parametar 1", "Redni broj", "redni broj ulaza: 1, 2, ... (novi blok dobija sledeci "
                    "slobodan broj)")],
        primer=["U dijalogu parametara polje &quot;Naziv:&quot; daje ime ulaza; podsistem ga "
                "prikazuje pored svog ulaza. Vidite <a href=\"29.htm\">Podsistem</a>."]),
    31: dict(
        naziv="Izlaz podsistema", grupa="PODSISTEMI",
        kratko="Izlaz podsistema, unutar podsistema.",
        racuna=["Vrednost na ulazu bloka je vrednost izlaza podsistema sa rednim brojem p1."],
        ulazi=[("Ulaz 1", "vrednost izlaza")],
        parametri=[("Parametar 1", "Redni broj", "redni broj izlaza: 1, 2, ... (novi blok dobija sledeci "
                    "slobodan broj)")],
        primer=["U dijalogu parametara polje &quot;Naziv:&quot; daje ime izlaza; podsistem ga "
                "prikazuje pored svog izlaza. Vidite <a href=\"29.htm\">Podsistem</a>."]),
}

GRUPE = ["IZVORI", "LINEARNI", "NELINEARNI", "MATEMATICKE FUNKCIJE", "MEMORIJA I UPRAVLJANJE", "PODSISTEMI"]


def zaglavlje(naslov):
    return ("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">\n"
            "<html>\n<head>\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"
            f"<title>{naslov}</title>\n<style type=\"text/css\">\n{STIL}\n</style>\n</head>\n<body>\n")


def tabela(zaglavlja, redovi):
    s = ['<table border="1" cellspacing="0" cellpadding="4" width="100%">', "<tr>"]
    s += [f"<th>{z}</th>" for z in zaglavlja]
    s.append("</tr>")
    for red in redovi:
        s.append("<tr>" + "".join(f"<td>{c}</td>" for c in red) + "</tr>")
    s.append("</table>")
    return "\n".join(s)


def strana_bloka(sifra):
    b = BLOKOVI[sifra]
    pre = f'<a href="{sifra - 1}.htm">&lt; {BLOKOVI[sifra - 1]["naziv"]}</a> | ' if sifra > 0 else ""
    posle = f' | <a href="{sifra + 1}.htm">{BLOKOVI[sifra + 1]["naziv"]} &gt;</a>' if sifra + 1 in BLOKOVI else ""
    nav = f'<p class="nav">{pre}<a href="index.htm">Sadrzaj</a> | <a href="index.htm#blokovi">Svi blokovi</a>{posle}</p>'
    s = [zaglavlje(f"{b['naziv']} - SKEM 2004"), nav,
         f"<h1>{b['naziv']}</h1>",
         f"<p><b>{b['kratko']}</b><br>Sifra bloka: {sifra}. Grupa u paleti: {b['grupa']}.</p>",
         '<h2><a name="racuna"></a>Sta blok racuna</h2>']
    for p in b["racuna"]:
        s.append(p if p.startswith(("<ul", "<ol")) else f"<p>{p}</p>")
    s.append('<h2><a name="ulazi"></a>Ulazi</h2>')
    ulazi = b.get("ulazi", [])
    if ulazi:
        s.append(tabela(["Ulaz", "Znacenje"], ulazi))
        s.append("<p>U koloni Ulaz su natpisi ulaza kako ih prikazuje inspektor (u prozoru &quot;Odredite "
                 "ulaz&quot; ulazi se zovu samo &quot;Ulaz 1&quot;, &quot;Ulaz 2&quot;, &quot;Ulaz 3&quot;). "
                 "Nepovezan ulaz ima vrednost 0; ulaz na koji je vezan blok <a href=\"25.htm\">Vreme</a> "
                 "ima vrednost tekuceg vremena.</p>")
    else:
        s.append("<p>Blok nema ulaze; veza ka njemu se odbija porukom <span class=\"poruka\">Blok: &lt;"
                 f"{b['naziv']}&gt; ne moze da ima ulaznu vezu!</span></p>")
    s.append('<h2><a name="parametri"></a>Parametri</h2>')
    parametri = b.get("parametri", [])
    if parametri:
        s.append(tabela(["Parametar", "Natpis", "Znacenje"], parametri))
        s.append("<p>Parametre unosite u prozoru &quot;Unesite vrednosti parametara&quot; odmah posle "
                 "postavljanja bloka (polja nose navedene natpise), a kasnije ih menjate u "
                 "<a href=\"index.htm#inspektor\">inspektoru</a> ili dvoklikom na blok. Decimalni "
                 "separator je tacka.</p>")
    else:
        s.append("<p>Blok nema parametre; postavlja se bez prozora za unos parametara.</p>")
    s.append('<h2><a name="greske"></a>Greske</h2>')
    for p in b.get("greske", ["Blok ne prijavljuje sopstvene greske."]):
        s.append(f"<p>{p}</p>")
    s.append("<p>Greske koje mogu nastati u svakom modelu (na primer prekoracenje opsega realnih brojeva) "
             "opisane su u odeljku <a href=\"index.htm#greske\">Greske tokom simulacije</a>.</p>")
    s.append('<h2><a name="primer"></a>Primer</h2>')
    for p in b["primer"]:
        s.append(f"<p>{p}</p>")
    s.append("<hr>")
    s.append(nav)
    s.append("</body>\n</html>\n")
    return "\n".join(s)


INDEX = """<h1><a name="vrh"></a>SKEM 2004 &ndash; pomoc</h1>
<p><b>SKEM 2004</b> je program za modelovanje i simulaciju kontinualnih dinamickih sistema pomocu
blok dijagrama. Model sastavljate od blokova (integrator, sumator, pojacanje, generator funkcija,
ogranicavac, sinus i drugi, ukupno BROJ_VRSTA vrsta), povezujete ih vezama i pokrecete simulaciju sa stalnim
korakom integracije (klasicna Runge-Kutta metoda cetvrtog reda). Rezultati se prikazuju u tabeli i na
grafiku (ravnom ili prostornom); tabelu mozete izvesti u CSV fajl, a grafik sacuvati kao PNG ili SVG
sliku. Model se moze simulirati i bez prozora, iz komandne linije (<a href="#paketno">paketni rad</a>).
Gotovi modeli za isprobavanje su opisani u odeljku <a href="#primeri">Primeri</a>.</p>

<p class="nav"><a href="#editor">Editor blok dijagrama</a> | <a href="#selekcija">Izbor</a> |
<a href="#medjuspremnik">Iseci, kopiraj, nalepi</a> | <a href="#ponisti">Ponisti i Ponovi</a> |
<a href="#prikaz">Uvecanje</a> | <a href="#meniji">Meniji i alati</a> |
<a href="#simulacija">Simulacija</a> | <a href="#rezultati">Rezultati</a> |
<a href="#laboratorija">Laboratorija</a> | <a href="#dokumenti">Dokumenti</a> | <a href="#oporavak">Oporavak posle pada</a> |
<a href="#tasteri">Tasteri</a> | <a href="#paketno">Paketni rad</a> | <a href="#primeri">Primeri</a> |
<a href="#blokovi">Blokovi</a> | <a href="linearizacija.htm">Linearizacija</a> |
<a href="merenja.htm">Merenja na grafiku</a></p>

<h2><a name="editor"></a>Editor blok dijagrama</h2>
<p>Glavni prozor ima paletu blokova levo, radnu povrsinu u sredini i inspektor desno. Paletu i
inspektor mozete sakriti i ponovo prikazati dugmetom na sredini razdelnika pored njih.</p>

<h3><a name="paleta"></a>Postavljanje blokova</h3>
<p>U paleti, u polju &quot;Prikazi:&quot;, izaberite &quot;SVE&quot; (svi blokovi) ili &quot;PO
GRUPAMA&quot; (izvori, linearni, nelinearni, matematicke funkcije, memorija i upravljanje). Blok prevucite
misem iz palete na radnu povrsinu: pojavljuje se na mestu gde ste ga pustili, okrenut izlazom udesno,
izabran i numerisan sledecim brojem. Blokovi su numerisani redom kojim su postavljeni (1, 2, 3, ...), bez
praznina; broj i naziv bloka (na primer &quot;7. Sinus&quot;) vidite u inspektoru i u tabeli
rezultata.</p>

<h3><a name="parametri"></a>Unos parametara</h3>
<p>Ako blok ima parametre, otvara se prozor &quot;Unesite vrednosti parametara&quot; sa jednim, dva ili tri
polja, oznacenim natpisima parametara tog bloka (na primer &quot;Pocetni uslov:&quot; kod integratora);
polja koja blok ne koristi su onemogucena. Sva polja pocinju sa 0. Brojeve pisite sa tackom kao
decimalnim separatorom (1.5, 1e-3). Taster &quot;prihvati&quot; proverava polja redom; polje koje nije
broj daje poruku <span class="poruka">Molim vas da unesete broj!</span> i prozor ostaje otvoren. Taster
&quot;odustani&quot; uklanja upravo postavljeni blok. Klik na &quot;Napomena&quot; prikazuje podsetnik
<span class="poruka">Kod nekih blokova redosled i vrednosti parametara su bitni !!!</span> Blok bez
parametara postavlja se bez ovog prozora. Parametre postojecih blokova menjate u
<a href="#inspektor">inspektoru</a>.</p>

<h3><a name="veze"></a>Povezivanje blokova: &quot;Kreiraj vezu&quot;</h3>
<p>Izaberite komandu &quot;Kreiraj vezu&quot; (dugme na traci ili meni &quot;Uredi&quot;), kliknite blok od
kog veza polazi, a zatim blok u koji ulazi. Dok crtate, kraj veze prati mis; klik levim tasterom na
liniju postavlja prelom (drzac) na tom mestu. Ponovni klik na pocetni blok odustaje od veze, kao i
otpustanje desnog tastera na liniji.</p>
<p>Svaki blok ima jedan izlaz i iz njega moze da krene samo jedna veza; drugi pokusaj daje poruku
<span class="poruka">Iz ovog bloka vec postoji izlaz! Koristite junction vezu!</span> Kada veza stigne do
odredisnog bloka, u prozoru &quot;Odredite ulaz&quot; birate &quot;Ulaz 1&quot;, &quot;Ulaz 2&quot; ili
&quot;Ulaz 3&quot; (ponudjeni su samo slobodni ulazi koje blok koristi) i potvrdjujete tasterom
&quot;prihvati&quot;; &quot;odustani&quot; uklanja novu vezu. Kod nekih blokova redosled ulaza je bitan
(delitelj, Quit, prekidac ulaza, Wye, odabiranje i drzanje); na to podseca i &quot;Napomena&quot; u tom
prozoru. Blok bez ulaza odbija vezu porukom
<span class="poruka">Blok: &lt;naziv&gt; ne moze da ima ulaznu vezu!</span>, a blok cija su svi ulazi
zauzeti porukom <span class="poruka">Maksinalni broj ulaznih veza za blok &lt;naziv&gt; je n!</span></p>

<h3><a name="drzaci"></a>Prelomi veza: &quot;Kreiraj drzac&quot;</h3>
<p>Komanda &quot;Kreiraj drzac&quot; postavlja jedan drzac na mestu gde kliknete liniju veze. Drzac je
tacka preloma: prevucite ga misem da biste oblikovali vezu. Izabrani drzac brisete komandom
&quot;Obrisi&quot;; time se brisu i junction veze koje iz njega polaze.</p>

<h3><a name="junction"></a>Grananje signala: &quot;Kreiraj junction&quot;</h3>
<p>Da biste isti signal doveli do vise blokova, izaberite &quot;Kreiraj junction&quot;, pritisnite postojeci
drzac neke veze ili kliknite njenu liniju (tu nastaje novi drzac), pa kliknite odredisni blok. Junction
veza polazi iz drzaca i nosi signal bloka na pocetku veze. Brisanjem veze brisu se i sve junction veze
koje iz nje polaze. Primer <b>grananje.skem</b> vodi jedan izlaz na tri bloka.</p>

<h3><a name="selekcija"></a>Izbor, pomeranje, rotiranje i brisanje</h3>
<p>Klik na blok izabira taj blok, a klik na vezu ili drzac izabira samo tu vezu, odnosno drzac. Vise
blokova odjednom izabirate na tri nacina:</p>
<ul>
<li><b>Ctrl+klik</b> na blok dodaje ga izboru, a na vec izabran blok uklanja ga iz izbora;</li>
<li><b>okvir</b>: pritisnite levi taster misa na slobodnom delu radne povrsine i prevucite; izabrani su
svi blokovi koje okvir dodiruje. Sa pritisnutim tasterom Ctrl okvir dodaje blokove vec izabranima;</li>
<li><b>Ctrl+A</b> (dok je radna povrsina u fokusu) izabira sve blokove.</li>
</ul>
<p>Izbor vise stavki vazi samo za blokove; klik na slobodan deo radne povrsine ponistava izbor. Inspektor
prikazuje poslednji izabrani blok. Prevlacenjem bilo kog izabranog bloka pomerate sve izabrane; veze ih
prate. Klik bez pomeranja na jedan od vise izabranih blokova ostavlja izabran samo njega. Komande
&quot;Rotiraj udesno&quot; i &quot;Rotiraj ulevo&quot; okrecu izabrane blokove u smeru kazaljke na satu,
odnosno suprotno, pa izlaz moze biti levo, dole, desno ili gore. Komanda &quot;Obrisi&quot; (taster Del dok
je radna povrsina u fokusu) brise izabrane blokove, ili izabranu vezu ili drzac; brisanjem bloka brisu se i
sve veze koje u njega ulaze ili iz njega izlaze (i junction veze koje nose njegov signal), a ostali blokovi
se ponovo numerisu bez praznina. Dvoklik na blok otvara prozor &quot;Unesite vrednosti parametara&quot; sa
trenutnim vrednostima bloka: &quot;prihvati&quot; ih menja, a &quot;odustani&quot; ih ostavlja kakve su
bile.</p>

<h3><a name="podsistemi"></a>Podsistemi</h3>
<p>Deo dijagrama moze se sklopiti u jedan blok, podsistem, i koristiti kao jedan blok:</p>
<ul>
<li><b>Napravi podsistem</b> (meni &quot;Uredi&quot;, dugme Podsistem, Ctrl+G) premesta izabrane blokove u
novi podsistem na njihovom mestu. Svaka veza koja prelazi granicu izbora prolazi kroz ulaz ili izlaz
podsistema (blokovi Ulaz podsistema i Izlaz podsistema u njemu), a drzaci i junction veze ostaju gde je to
moguce. To je jedan korak za Ponisti.</li>
<li><b>Otvori podsistem</b> (ili dvoklik na podsistem) prikazuje njegov sadrzaj na istoj radnoj povrsini.
Traka iznad povrsine pokazuje putanju (&quot;Model &rsaquo; Podsistem 3 &rsaquo; ...&quot;); klik na deo
putanje vodi na taj nivo, a <b>Nazad</b> (Backspace) na nivo iznad. Paleta, inspektor, Ponisti, clipboard i
uvecanje rade na svakom nivou; istorija izmena je jedna za ceo dokument.</li>
<li><b>Razbij podsistem</b> vraca sadrzaj podsistema na nivo iznad; veze kroz ulaze i izlaze postaju
direktne.</li>
<li><b>Parametri podsistema...</b> menja naziv podsistema i bira parametre unutrasnjih blokova koje
podsistem prikazuje, svaki pod svojim natpisom (na primer &quot;Masa&quot;), sa vrednostima. Vrednosti
ostaju u unutrasnjim blokovima.</li>
<li><b>Sacuvaj u biblioteku</b> cuva izabrani podsistem, pod njegovim nazivom, u biblioteci korisnika.
Grupa palete &quot;Biblioteka&quot; prikazuje podsisteme iz biblioteke (i one koji dolaze sa programom: PID
regulator, clan drugog reda, aktuator sa zasicenjem); prevlacenje na povrsinu dodaje kopiju. Primer
<b>regulacija.skem</b> ih koristi.</li>
</ul>
<p>Simulacija dokumenta sa podsistemima racuna ravan model; kada blok u podsistemu javi gresku, program
otvara taj podsistem i izabira blok.</p>

<h3><a name="medjuspremnik"></a>Iseci, Kopiraj, Nalepi, Dupliraj</h3>
<p>Komande su u meniju &quot;Uredi&quot; i deluju na izabrane blokove:</p>
<ul>
<li><b>Kopiraj</b> (Ctrl+C) stavlja izabrane blokove, sa vezama i junction vezama medju njima, u
clipboard;</li>
<li><b>Iseci</b> (Shift+Del) ih stavlja u clipboard i brise sa radne povrsine;</li>
<li><b>Nalepi</b> (Ctrl+V) dodaje blokove iz clipboard-a. Ako je pokazivac misa nad radnom povrsinom,
blokovi se postavljaju kod njega, a inace malo udesno i nadole od mesta sa kog su kopirani;</li>
<li><b>Dupliraj</b> (Ctrl+D) odmah dodaje kopiju izabranih blokova, malo udesno i nadole od njih.</li>
</ul>
<p>Novi blokovi dobijaju brojeve posle postojecih, zadrzavaju parametre (i ordinate generatora
funkcija) i postaju izabrani, pa ih mozete odmah prevuci na drugo mesto. Veze ka blokovima koji nisu
kopirani se ne prenose. Clipboard sadrzi blokove kao tekst SKEM dokumenta, pa se mogu preneti i u drugi
prozor programa SKEM. Sadrzaj clipboard-a koji nije SKEM dokument daje poruku o gresci i model ostaje
nepromenjen.</p>

<h3><a name="ponisti"></a>Ponisti i Ponovi</h3>
<p>Svaka izmena modela (postavljanje, pomeranje, rotiranje i brisanje blokova, veze, drzaci, parametri,
ordinate, opis problema, nalepljivanje) moze se ponistiti komandom &quot;Ponisti&quot; (Ctrl+Z) i ponovo
izvesti komandom &quot;Ponovi&quot; (Ctrl+Y ili Ctrl+Shift+Z). Obe komande su u meniju &quot;Uredi&quot; i
na pocetku trake sa alatima; njihov oblacic kaze sta bi uradile (na primer &quot;Ponisti: pomeranje bloka
3&quot;), a onemogucene su kada nemaju sta da urade. Pamti se do 100 poslednjih izmena. Nova izmena posle
ponistavanja brise ono sto se moglo ponoviti. Komande &quot;Novi dokument&quot; i &quot;Otvori...&quot;
pocinju istoriju ispocetka. Kada ponistavanjem dokument postane isti kao snimljeni, zvezdica u naslovu
prozora nestaje.</p>

<h3><a name="prikaz"></a>Uvecanje i pomeranje prikaza</h3>
<p>Meni &quot;Prikaz&quot; menja uvecanje radne povrsine: &quot;Uvecaj&quot; (Ctrl++ ili Ctrl+=) i
&quot;Umanji&quot; (Ctrl+-) idu za jedan stepen (od 10 % do 800 %), &quot;Stvarna velicina&quot; (Ctrl+0)
vraca 100 %, a &quot;Prikazi sve&quot; bira uvecanje pri kom se vidi ceo dijagram (najvise 100 %). Tocak
misa sa pritisnutim tasterom Ctrl uvecava ili umanjuje oko tacke pod pokazivacem. Trenutno uvecanje pise
desno u statusnoj liniji. Prikaz pomerate klizacima, tockom misa ili prevlacenjem sa pritisnutim srednjim
tasterom misa. Uvecanje ne menja dokument.</p>

<h3><a name="inspektor"></a>Inspektor</h3>
<p>Inspektor ima cetiri odeljka; klik na zaglavlje odeljka ga sakriva ili ponovo prikazuje.</p>
<ul>
<li><b>Blokovi</b>: lista svih blokova modela (&quot;1. Integrator&quot;, ...). Klik na stavku izabira
samo taj blok na radnoj povrsini.</li>
<li><b>Naziv elementa</b>: broj i naziv izabranog bloka (bez izabranog bloka pise
&quot;SKEMInspector&quot;).</li>
<li><b>Ulazi/Parametri</b>: za svaki ulaz koji blok koristi, njegov natpis i blok koji ga napaja
(&quot;3. Sinus&quot;) ili &quot;&lt;nema ulaza&gt;&quot;; zatim parametri sa natpisima i vrednostima.
Redovi ulaza se ne menjaju ovde. Vrednost parametra menjate tako sto dvaput kliknete celiju (ili je
izaberete i pocnete da kucate) i upisete broj sa tackom; blok dobija novu vrednost vec dok kucate. Tekst
koji nije broj daje poruku <span class="poruka">Parametar mora biti realan broj!</span>, a celija ponovo
pokazuje vrednost koju blok ima: blok zadrzava poslednju prihvacenu vrednost. Zapocet broj
(&quot;-&quot;, &quot;.&quot;, &quot;1e&quot;) se ne odbija dok kucate; ako ga tako ostavite, celija
posle unosa pokazuje vrednost bloka. Kod <a href="7.htm">generatora funkcija</a> posle parametara slede redovi
T0 ... T10 sa ordinatama (vidite <a href="#ordinate">Ordinate generatora funkcija</a>).</li>
<li><b>Izlazi</b>: &quot;Izlaz 1&quot;, &quot;Izlaz 2&quot;, ... sa blokovima u koje vode veza i junction
veze izabranog bloka, ili &quot;Izlaz&quot; sa &quot;&lt;nema izlaza&gt;&quot;.</li>
</ul>
<p>Izmena u inspektoru oznacava dokument kao izmenjen i moze se <a href="#ponisti">ponistiti</a>.</p>

<h3><a name="ordinate"></a>Ordinate generatora funkcija</h3>
<p>Generator funkcija ima 11 ordinata T0 ... T10 za 11 ravnomerno rasporedjenih tacaka izmedju Donje
granice i Gornje granice. Nov generator ima ordinate jednake tim tackama, pa izmedju granica propusta
ulaz nepromenjen; takve podrazumevane ordinate prate granice kada ih promenite. Ordinate menjate u
inspektoru, u redovima T0 ... T10 (oblacic nad natpisom reda kaze za koji ulaz vazi ordinata). Kada
promenite bar jednu ordinatu, generator cuva svoju tabelu, i ona se snima u dokumentu. Desni klik na
tabelu inspektora nudi komandu &quot;Podrazumevane ordinate&quot;, koja vraca ordinate jednake tackama
(dostupna je samo kada su ordinate menjane).</p>

<h2><a name="meniji"></a>Meniji i traka sa alatima</h2>
<table border="1" cellspacing="0" cellpadding="4" width="100%">
<tr><th>Meni</th><th>Komande</th></tr>
<tr><td>Datoteka</td><td>Novi dokument, Otvori..., Sacuvaj, Sacuvaj kao..., Skorasnji, Izlaz (vidite
<a href="#dokumenti">Dokumenti</a>)</td></tr>
<tr><td>Uredi</td><td>Ponisti, Ponovi (vidite <a href="#ponisti">Ponisti i Ponovi</a>); Iseci, Kopiraj,
Nalepi, Dupliraj (vidite <a href="#medjuspremnik">Iseci, Kopiraj, Nalepi, Dupliraj</a>); Obrisi, Rotiraj
udesno, Rotiraj ulevo, Kreiraj vezu, Kreiraj junction, Kreiraj drzac, Simulacija; Napravi podsistem,
Otvori podsistem, Nazad, Razbij podsistem, Parametri podsistema..., Sacuvaj u biblioteku (vidite
<a href="#podsistemi">Podsistemi</a>); Opis problema</td></tr>
<tr><td>Prikaz</td><td>Uvecaj, Umanji, Stvarna velicina, Prikazi sve (vidite
<a href="#prikaz">Uvecanje i pomeranje prikaza</a>); Laboratorija (vidite
<a href="#laboratorija">Laboratorija</a>)</td></tr>
<tr><td>Analiza</td><td>Linearizacija... (vidite <a href="linearizacija.htm">Linearizacija</a>)</td></tr>
<tr><td>Pomoc</td><td>SKEM 2004 (ova strana)</td></tr>
</table>
<p>Traka sa alatima ima dugmad Ponisti, Ponovi, Obrisi, dva dugmeta Rotiraj (udesno i ulevo), Kreiraj
vezu, Kreiraj junction, Kreiraj drzac, Podsistem, Simulacija i Fullscreen. Kada zadrzite pokazivac nad dugmetom ili
komandom menija, statusna linija kaze sta komanda radi. Dugmad tri nacina crtanja (veza, junction, drzac) ostaju
pritisnuta dok traje taj nacin rada. Traka se sakriva na stranama sa rezultatima i vraca se povratkom na
model. Komande za uredjivanje i &quot;Simulacija&quot; deluju samo na strani modela.</p>
<p>Pomoc se otvara u posebnom prozoru &quot;SKEM 2004 - Pomoc&quot;. Dugme &quot;Sadrzaj&quot; prikazuje
ili sakriva listu svih strana levo od strane (F1 otvara pomoc sa tom listom), &quot;Nazad&quot; i
&quot;Napred&quot; idu kroz vec pregledane strane, a &quot;Pocetna&quot; vraca ovu stranu.</p>

<h2><a name="simulacija"></a>Simulacija</h2>
<p>Komanda &quot;Simulacija&quot; najpre proverava model: prazan model daje poruku
<span class="poruka">Model mora da sadrzi bar jedan blok!</span>, a model bez integratora
<span class="poruka">Model mora da sadrzi bar jedan integrator!</span> Proverava se i redosled
granica <a href="7.htm">generatora funkcija</a>. Zatim se otvara prozor &quot;Opcije za simulaciju&quot;
sa tri polja, izborom prevodjenja i izborom metoda integracije u grupi &quot;Trajanje simulacije&quot;:</p>
<table border="1" cellspacing="0" cellpadding="4" width="100%">
<tr><th>Polje</th><th>Znacenje</th></tr>
<tr><td>Duzina simulacije: D</td><td>vreme do kog se model simulira, od t = 0</td></tr>
<tr><td>Interval integracije: h</td><td>korak Runge-Kutta metode; uz metod sa promenljivim korakom najveci dozvoljeni korak</td></tr>
<tr><td>Interval stampanja rezultata: P</td><td>razmak izmedju vremenskih trenutaka u tabeli rezultata</td></tr>
<tr><td>Prevodjenje modela</td><td>&quot;automatski&quot;: duga simulacija se prevodi u masinski kod i traje
krace; &quot;uvek&quot;: svaka; &quot;nikad&quot;: nijedna. Rezultati su isti do poslednje cifre. Izbor se pamti
i posle ponovnog pokretanja programa. Ako prevodjenje nije moguce, simulacija se izvodi bez njega
(uz &quot;uvek&quot; to kaze statusna traka). Vazi samo za metod Runge-Kutta 4.</td></tr>
<tr><td>Metod integracije</td><td>&quot;Runge-Kutta 4 (fiksni korak)&quot; (podrazumevano),
&quot;Dormand-Prince 5(4) (promenljivi korak)&quot; ili &quot;BDF (kruti sistemi)&quot;; vidite
<a href="#metodi">Metodi integracije</a>. Izbor se cuva sa dokumentom.</td></tr>
<tr><td>Relativna tolerancija, Apsolutna tolerancija</td><td>samo za metode sa promenljivim korakom
(podrazumevano 1E-6 i 1E-9): resavac bira korak tako da procenjena greska svakog koraka ostane ispod
relativna &times; |y| + apsolutna. Cuvaju se sa dokumentom.</td></tr>
</table>
<p>Vrednosti moraju zadovoljiti <span class="formula">0 &lt; h &le; P &lt; D</span>. Poruke, redom kojim
se proveravaju (prikazuje se samo prva koja vazi):</p>
<ol>
<li><span class="poruka">Niste uneli sve potrebne vrednosti!</span> &ndash; neko polje je prazno;</li>
<li><span class="poruka">Duzina trajanja simulacije mora biti pozitivan realan broj!</span> &ndash; D nije
broj ili nije vece od 0;</li>
<li><span class="poruka">Interval integracije mora biti pozitivan realan broj!</span> &ndash; h nije broj
ili nije vece od 0;</li>
<li><span class="poruka">Duzina trajanja simulacije mora biti veca od intervala integracije!</span>
&ndash; D &lt; h;</li>
<li><span class="poruka">Interval stampanja mora biti pozitivan realan broj!</span> &ndash; P nije broj ili
nije vece od 0;</li>
<li><span class="poruka">Interval stampanja rezultata mora biti veci ili jednak intervalu integracije i
manji od duzine trajanja simulacije!</span> &ndash; P &lt; h ili P &ge; D;</li>
<li><span class="poruka">Interval integracije je premali da bi vreme simulacije stiglo do kraja!</span>
&ndash; h je toliko mali prema D da se polovina koraka gubi u zaokruzivanju i vreme vise ne bi
napredovalo;</li>
<li><span class="poruka">Relativna tolerancija mora biti pozitivan realan broj!</span> i
<span class="poruka">Apsolutna tolerancija mora biti pozitivan realan broj!</span> &ndash; samo uz
metod sa promenljivim korakom (prazno polje daje prvu poruku).</li>
</ol>
<p>Tako je P = h dozvoljeno, a P = D nije; D = h prolazi cetvrtu proveru, ali ga odbija sesta. Broj sa
zarezom (1,5) nije broj; pisite 1.5 (dozvoljen je i zapis 1e-3). Taster &quot;simulacija&quot; (ili Enter u
polju) pokrece proracun, a &quot;odustani&quot; zatvara prozor bez simulacije. Vrednosti polja ostaju
zapamcene do sledeceg pokretanja, dok program radi; ne cuvaju se u dokumentu (metod integracije i
tolerancije se cuvaju).</p>
<p>Dok proracun traje, prozor ostaje ziv: u statusnoj liniji traka napretka pokazuje dostignuto vreme
(&quot;t = ... od D&quot;), a taster &quot;Prekini&quot; (ili Esc) zaustavlja proracun porukom
<span class="poruka">Simulacija je prekinuta.</span> i vraca na model, koji ostaje nepromenjen. Meniji,
traka sa alatima, paleta, radna povrsina i inspektor su za to vreme onemoguceni. Zatvaranje prozora tokom
proracuna najpre pita <span class="poruka">Simulacija je u toku. Da li zelite da je prekinete?</span>
Odgovor &quot;Da&quot; prekida proracun i zatim zatvara prozor (uz uobicajeno pitanje o nesnimljenim
promenama); &quot;Ne&quot; i &quot;Odustani&quot; ostavljaju proracun da radi dalje.</p>

<h3><a name="metodi"></a>Metodi integracije</h3>
<p><b>Runge-Kutta 4 (fiksni korak)</b> je klasican metod cetvrtog reda sa stalnim korakom h: svaki korak
racuna ceo model cetiri puta. Rezultat je uvek isti do poslednje cifre.</p>
<p><b>Dormand-Prince 5(4) (promenljivi korak)</b> je eksplicitni metod petog reda koji posle svakog koraka
procenjuje gresku i sam bira sledeci korak prema tolerancijama; polje &quot;Interval integracije&quot; je
tada najveci dozvoljeni korak (natpis postaje &quot;Najveci korak integracije:&quot;). Dobar je za
glatke modele kod kojih se ne zna koliki korak treba.</p>
<p><b>BDF (kruti sistemi)</b> je implicitni metod promenljivog reda (1 do 5) za krute sisteme, u kojima
se neke velicine menjaju mnogo brze od drugih (hemijska kinetika, kola sa brzim i sporim delom, kruta
opruga): tamo gde metod sa fiksnim korakom trazi sitan korak i milione koraka ili se raspada, BDF ide
krupnim koracima. Primer robertson.skem stize do t = 400000 u delicu sekunde. Za modele sa vise od 200
integratora linearne jednacine resava iterativno (GMRES), bez pune matrice.</p>
<p>Oba metoda sa promenljivim korakom daju rezultate tacno u trenucima 0, P, 2P, ..., D, iz
interpolacije resavaca: vrednost svakog bloka u tom trenutku je proracun modela u interpoliranom
stanju. Blokovi pod tim metodima znace sledece:</p>
<ul>
<li>Blokovi sa pamcenjem &ndash; <a href="0.htm">odabiranje i drzanje</a>, <a href="23.htm">memorija</a>,
<a href="24.htm">pocetak petlje</a> i <a href="11.htm">generator slucajnih brojeva</a> &ndash; menjaju
zapamceno samo na kraju prihvacenog koraka. Memorija daje svoj ulaz iz prethodnog prihvacenog koraka
(kasnjenje zavisi od koraka koji resavac izabere), generator slucajnih brojeva daje novu vrednost po
prihvacenom koraku, a pocetak petlje polazi od resenja petlje u prethodnom koraku.</li>
<li>Svi ostali blokovi su funkcije svojih ulaza u trenutku za koji resavac racuna.</li>
<li>Blokovi ciji izlaz skace &ndash; <a href="2.htm">znak</a>, <a href="4.htm">mrtva zona</a>,
<a href="13.htm">ogranicavac</a>, <a href="22.htm">odskocna funkcija</a>, <a href="20.htm">prekidac
ulaza</a>, <a href="16.htm">pozitivni</a> i <a href="18.htm">negativni deo</a>, upravljacki ulaz bloka
<a href="0.htm">odabiranje i drzanje</a> i <a href="19.htm">Quit</a> &ndash; javljaju resavacu trenutak
prebacivanja (kada ulaz prode kroz nulu, odnosno kroz granicu). Korak se zavrsava tacno u tom trenutku,
put do njega se ponovo racuna bez preskakanja prebacivanja, i resavac odatle krece iznova. Quit
zaustavlja simulaciju u pronadjenom trenutku (na primer pad tela u primeru pad_tela_tacno.skem tacno u
t = 4.51523640985731), a statusna traka ga navodi sa svim ciframa.</li>
<li>Algebarske petlje (<a href="24.htm">Pocetak petlje</a> i <a href="28.htm">Wye</a>) rade isto kao
pod metodom Runge-Kutta, u svakom proracunu modela.</li>
<li>Greska bloka u bilo kom proracunu prekida simulaciju porukom tog bloka, kao pod metodom Runge-Kutta.</li>
</ul>
<p>Ako resavac ne moze dalje (previse koraka, korak je postao premali, Njutnove iteracije ne
konvergiraju, singularna matrica), simulacija se zavrsava porukom
<span class="poruka">Resavac nije uspeo da napreduje posle t = ...</span> sa dostignutim vremenom i
razlogom; rezultati do tog vremena se prikazuju, a kasnije vrednosti su 0.</p>

<h3><a name="greske"></a>Greske tokom simulacije</h3>
<p>Ako neki blok prijavi gresku (na primer <a href="5.htm#greske">delitelj</a> sa nulom na drugom ulazu),
simulacija se prekida na kraju tekuceg koraka i prikazuje se poruka tog bloka; tabela se ne prikazuje, a
blok koji je prijavio gresku postaje izabran i radna povrsina se pomera tako da se vidi.
Blok <a href="19.htm">Quit</a> zavrsava simulaciju bez okvira sa porukom: tabela se prikazuje, a statusna
traka kaze da je simulaciju zavrsio Quit i do kog vremena je stigla.</p>
<p>Ako neka vrednost premasi opseg realnih brojeva ili racun nema smisla (na primer rezultat
<a href="6.htm">eksponencijalne funkcije</a> ili proizvoda je prevelik), simulacija se prekida porukom
<span class="poruka">Doslo je do neocekivane greske tokom simulacije!</span>, u kojoj sledi red
&quot;Greska: &quot; sa razlogom (Floating point overflow, Floating point division by zero ili Invalid
floating point operation) i savet da probate sa manjom duzinom simulacije ili drugim parametrima blokova.
Istom porukom, sa razlogom <span class="poruka">Previse tacaka rezultata za prikaz u tabeli.</span>,
odbija se, pre proracuna, simulacija kod koje je n = D / P (zaokruzeno) vece od 10000000.</p>
<p>Zatvorena petlja blokova bez integratora, memorije ili para Pocetak petlje/Wye (algebarska petlja)
ne moze da se izracuna: blokovi te petlje i svi blokovi koji od nje zavise preskacu se bez poruke i imaju
vrednost 0 tokom cele simulacije (integrator medju njima zadrzava pocetni uslov). Ako se ne moze izracunati nijedan blok osim konstanti, poruka je
<span class="poruka">Greska obrade (modul: Obrada; line: 473)</span>. Algebarsku petlju resavate
blokovima <a href="24.htm">Pocetak petlje</a> i <a href="28.htm">Wye</a>.</p>

<h2><a name="rezultati"></a>Rezultati</h2>
<h3><a name="tabela"></a>Tabela</h3>
<p>Posle uspesne simulacije otvara se strana &quot;Prikaz Simulacije&quot; sa tasterima &quot;Nazad&quot;,
&quot;Izvezi CSV&quot; i &quot;Grafik&quot;. Zaglavlje tabele sadrzi vremenske trenutke 0, P, 2P, ...,
nP, gde je n = D / P zaokruzeno na najblizi ceo broj (polovina ka parnom). Svaki blok ima svoj red (osim
blokova <a href="12.htm">Konstanta</a> i <a href="25.htm">Vreme</a>), redom brojeva blokova, sa kucicom i
natpisom oblika &quot;7. Sinus&quot;. Brojevi su napisani sa tackom i do 15 znacajnih cifara. Ako je
simulaciju zavrsio blok <a href="19.htm">Quit</a>, sve kasnije vrednosti su 0. Kada model sadrzi
<a href="11.htm">generator slucajnih brojeva</a>, svaki red tabele dolazi iz posebnog proracuna.</p>
<p>Taster &quot;Izvezi CSV&quot; cuva celu tabelu u CSV fajl (predlozeno ime Rezultati.csv; bez
nastavka dodaje se .csv): prvi red je &quot;t&quot; i natpisi redova tabele (&quot;7. Sinus&quot;), a
zatim po jedan red za svaki vremenski trenutak 0, P, ..., nP, sa vrednostima razdvojenim zarezom i
tackom kao decimalnim separatorom. Taster &quot;Nazad&quot; vodi na model. Nova simulacija se pokrece sa
strane modela.</p>
<h3><a name="grafik"></a>Grafik</h3>
<p>Oznacite kucicu pored naziva jednog ili vise blokova i kliknite taster &quot;Grafik&quot; (ili dvaput
kliknite tabelu, ili pritisnite Enter u tabeli). Svaki oznaceni red postaje jedna kriva sa nazivom u
legendi; kriva ima vrednosti iz tabele u tackama od t = 0 do t = (n - 1)P (poslednji trenutak tabele se
ne crta). Ose se podesavaju automatski i nose natpise. Kod dugih simulacija grafik za svaki stubac
piksela crta prvu, najmanju, najvecu i poslednju tacku tabele koje u njega padaju, pa izgleda isto kao
sa svim tackama; uvelicani deo ponovo uzima tacke svog opsega, sve do svake tacke tabele. Horizontalna
osa nosi natpis &quot;t&quot; (ili natpis reda izabranog za horizontalnu osu), a vertikalna natpise krivih,
ili &quot;Izlazi&quot; kada ih je vise od tri. Kada pokazivac misa stoji nad ravnim grafikom, najbliza
tacka najblize krive se oznaci, a pored pokazivaca pise naziv te krive, vreme &quot;t = ...&quot; i
&quot;vrednost = ...&quot;; u faznom dijagramu i vrednost reda na horizontalnoj osi. Bez oznacenog reda
poruka je
<span class="poruka">Niste oznacili zeljene izlaze!</span></p>
<p>Na strani grafika su tasteri:</p>
<ul>
<li><b>Nazad</b> &ndash; vraca na tabelu;</li>
<li><b>Horizontalna osa:</b> &ndash; padajuca lista sa vremenom &quot;t&quot; i, kada su oznacena bar dva
reda, natpisima oznacenih redova. Izabrani red ide na horizontalnu osu, a ostale krive se crtaju u
zavisnosti od njega (fazni dijagram, na primer granicni ciklus primera vanderpol.skem ili orbite primera
lotka_volterra.skem). Izbor ostaje i za sledeci grafik dok je taj red oznacen;</li>
<li><b>Merenja</b> (dugme sa slikom fascikle) &ndash; &quot;Uvezi merenja...&quot; crta izmerene
vrednosti iz CSV fajla kao tacke preko krivih, a &quot;Ukloni merenja&quot; ih uklanja (vidite
<a href="merenja.htm">Merenja na grafiku</a>);</li>
<li><b>Ponisti zumiranje</b> &ndash; vraca ceo grafik. Deo grafika uvelicavate tako sto misem
prevucete pravougaonik preko njega; desni klik na grafik takodje ponistava uvelicanje;</li>
<li><b>Sacuvaj PNG</b> i <b>Sacuvaj SVG</b> &ndash; cuvaju grafik, onakav kakav se vidi (ravan ili
prostorni), kao PNG ili SVG sliku (predlozeno ime Grafik.png, odnosno Grafik.svg; bez nastavka dodaje se
odgovarajuci);</li>
<li><b>3D View</b> &ndash; prikazuje iste krive prostorno, kao trake jednu iza druge; natpis tastera tada
postaje &quot;2D View&quot; i njime se grafik vraca u ravan. U prostornom prikazu nema zumiranja, pa je
&quot;Ponisti zumiranje&quot; tada onemoguceno.</li>
</ul>
<p>Ako fajl ne moze da se sacuva, poruka navodi ime fajla i razlog.</p>

<h2><a name="laboratorija"></a>Laboratorija: pracenje i klizaci</h2>
<p>Simulacija se moze pratiti dok traje i menjati usput. Strana <b>Laboratorija</b> (meni Prikaz)
prikazuje grafik koji raste tokom simulacije i, pored njega, klizace za izabrane parametre blokova.</p>
<h3>Pracenje</h3>
<p>Komanda &quot;Prati tokom simulacije&quot; u meniju bloka (desni klik na blok) dodaje blok u
pracene ili ga uklanja. Ako nijedan blok nije izabran, prate se redovi oznaceni u tabeli prethodne
simulacije. Kada simulacija traje duze od trenutka, strana Laboratorija se prikazuje sama i krive
pracenih blokova rastu kako simulacija napreduje; po zavrsetku se prikazuje tabela rezultata, sa
pracenim redovima vec oznacenim. Izbor se cuva u dokumentu.</p>
<h3>Brzina i pauza</h3>
<p>Pored trake napretka su izbor &quot;Brzina&quot; i taster &quot;Pauza&quot;/&quot;Nastavi&quot;
(pored &quot;Prekini&quot;). &quot;najbrze&quot; racuna bez cekanja (podrazumevano); &quot;1&times; realno
vreme&quot; vodi simulaciju tako da sekunda simuliranog vremena traje sekundu, a faktori od 0.01&times;
do 100&times; sporije ili brze od toga. Brzina se moze menjati i tokom simulacije.</p>
<h3>Klizaci</h3>
<p>Komanda &quot;Dodaj klizac&quot; u meniju parametra u inspektoru (desni klik na red parametra) dodaje
klizac sa granicama min i max oko sadasnje vrednosti (na parametru podsistema klizac menja parametar
bloka u podsistemu); granice se menjaju u poljima ispod klizaca, a
taster &quot;x&quot; uklanja klizac. Klizaci se cuvaju u dokumentu. Tokom simulacije pomeranje klizaca
menja parametar od sledeceg koraka integracije; svaka izmena se belezi kao (vreme, parametar,
vrednost) u listi &quot;Izmene tokom simulacije&quot;, u obliku CSV:</p>
<p class="formula">t,parametar,vrednost<br>5,1.p1,-9</p>
<p>Parametar se navodi kao u paketnom radu (N.pK: parametar K bloka sa lokalnim brojem N; blok u
podsistemu putanjom, 3/2.p1, a parametar podsistema natpisom, 3.Masa). Taster
&quot;Sacuvaj izmene&quot; snima listu, a paketni rad je ponavlja opcijom &quot;--izmene&quot; i daje
iste rezultate do poslednjeg bita. Izmena u trenutku t deluje od prvog koraka koji pocinje u t ili
posle njega; kod metoda sa promenljivim korakom resavac se zaustavlja tacno u t i tu nastavlja sa
novom vrednoscu. Posle simulacije parametri dokumenta ostaju kakvi su bili pre nje, osim ako je oznaceno
&quot;Zadrzi vrednosti klizaca&quot;: tada dobijaju poslednje vrednosti klizaca (izmena se moze
ponistiti).</p>
<p>Pocetni uslovi (na primer Parametar 1 integratora) citaju se samo na pocetku simulacije, pa
njihova kasnija izmena ne menja tok; memorija blokova Memorija i Odabiranje i drzanje nije parametar.
<a href="7.htm">Generator funkcija</a> bez sopstvenih ordinata dobija tabelu novih granica, a sa
sopstvenim ordinatama zadrzava tabelu i pomera samo interval. Kod modela sa generatorom slucajnih
brojeva prati se prvi od proracuna, a ostali ponavljaju njegove izmene.</p>

<h2><a name="dokumenti"></a>Dokumenti</h2>
<p>Model se cuva kao dokument sa nastavkom <b>.skem</b> (XML datoteka) zajedno sa opisom problema i
izmenjenim ordinatama generatora funkcija. Komande su u meniju &quot;Datoteka&quot;:</p>
<ul>
<li><b>Novi dokument</b> (Ctrl+N) prazni radnu povrsinu i brise opis problema; naslov prozora je
&quot;SKEM - Dok1&quot;.</li>
<li><b>Otvori...</b> (Ctrl+O) ucitava snimljeni dokument; naslov prozora postaje &quot;SKEM -&quot; i ime
dokumenta.</li>
<li><b>Sacuvaj</b> (Ctrl+S) snima dokument; dokument bez imena trazi ime kao &quot;Sacuvaj kao&quot;.</li>
<li><b>Sacuvaj kao...</b> snima dokument pod novim imenom (predlozeno je Dokument1; nastavak .skem se
dodaje ako ga nema).</li>
<li><b>Skorasnji</b> nudi do osam dokumenata poslednjih otvorenih komandom &quot;Otvori...&quot; (ili iz
ove liste) ili snimljenih komandom &quot;Sacuvaj kao...&quot;, najnoviji prvi; izbor otvara dokument kao
&quot;Otvori...&quot;. Dokument koji vise ne postoji uklanja se iz liste uz poruku
<span class="poruka">Fajl &quot;putanja&quot; vise ne postoji; uklonjen je iz liste skorasnjih.</span></li>
<li><b>Izlaz</b> (Ctrl+X) zatvara program.</li>
</ul>
<p>Dok dokument ima nesnimljene izmene, naslov prozora se zavrsava zvezdicom (&quot;SKEM -
oscilator*&quot;). Pre novog dokumenta, otvaranja i izlaza program tada pita
<span class="poruka">Da li zelite da sacuvate promene?</span> sa tasterima &quot;Da&quot; (dokument se
najpre snima; ako se ne snimi, na primer jer ste odustali od izbora imena, ostaje otvoren),
&quot;Ne&quot; (izmene se odbacuju) i &quot;Odustani&quot; (nista se ne menja). Ako dokument ne moze da se
procita ili snimi, prikazuje se poruka o gresci. Dokument naveden u komandnoj liniji
(<span class="formula">skem FAJL.skem</span>) otvara se pri pokretanju programa.</p>
<h3><a name="oporavak"></a>Oporavak posle pada</h3>
<p>Dok dokument ima nesnimljene izmene, program ga svakog minuta (i posle svake 20. izmene) snima u
posebnu datoteku za oporavak, u fascikli <b>~/.local/share/SKEM 2004/oporavak</b> (ili
<b>$XDG_DATA_HOME/SKEM 2004/oporavak</b>); sam dokument pri tome ostaje netaknut. Komande
&quot;Sacuvaj&quot;, &quot;Sacuvaj kao...&quot;, &quot;Novi dokument&quot;, &quot;Otvori...&quot; i
uobicajen izlaz iz programa brisu tu datoteku. Ako automatsko snimanje ne uspe, statusna linija pise
&quot;Automatsko cuvanje nije uspelo: &quot; i razlog, a snimanje se ponovo pokusava posle minuta.</p>
<p>Ako se program prethodni put nije zavrsio uobicajeno (pad, nestanak struje, prekinut proces), pri
sledecem pokretanju pita <span class="poruka">Pronadjena je nesacuvana verzija dokumenta <i>ime</i> od
<i>datum i vreme</i>. Da li zelite da je vratite?</span></p>
<ul>
<li><b>Da</b> otvara tu verziju kao izmenjen dokument, pod njegovim ranijim imenom, pa &quot;Sacuvaj&quot;
snima tamo gde je dokument bio; &quot;Ponisti&quot; vraca prazan dokument;</li>
<li><b>Ne</b> brise tu verziju i nudi sledecu, ako je ima;</li>
<li><b>Odustani</b> je cuva, zajedno sa ostalima, za sledece pokretanje.</li>
</ul>
<p>Kada ima vise takvih verzija, nudi se najnovija prva; posle vracene verzije ostale cekaju sledece
pokretanje. Vise istovremeno pokrenutih programa SKEM nikada ne uzima jedan drugom datoteke za
oporavak. Vracena verzija donosi i <a href="merenja.htm#dokument">merenja</a> uvezena na grafik.</p>

<h3><a name="opis"></a>Opis problema</h3>
<p>Komanda &quot;Opis problema&quot; (meni &quot;Uredi&quot;) otvara prozor &quot;Opisite problem koji
resavate&quot; u koji upisujete kratak opis modela. Taster &quot;prihvati&quot; cuva opis u dokumentu (sa svim
redovima, onako kako je upisan), a &quot;odustani&quot; ga ostavlja nepromenjenim.</p>

<h2><a name="tasteri"></a>Tasteri</h2>
<table border="1" cellspacing="0" cellpadding="4" width="100%">
<tr><th>Taster</th><th>Dejstvo</th></tr>
<tr><td>F1</td><td>pomoc za izabrani blok, ili ova strana kada blok nije izabran</td></tr>
<tr><td>Del</td><td>Obrisi: brise izabrane blokove, vezu ili drzac (kada je radna povrsina u
fokusu)</td></tr>
<tr><td>Ctrl+N, Ctrl+O, Ctrl+S, Ctrl+X</td><td>Novi dokument, Otvori..., Sacuvaj, Izlaz</td></tr>
<tr><td>Ctrl+Z</td><td>Ponisti</td></tr>
<tr><td>Ctrl+Y, Ctrl+Shift+Z</td><td>Ponovi</td></tr>
<tr><td>Shift+Del, Ctrl+C, Ctrl+V, Ctrl+D</td><td>Iseci, Kopiraj, Nalepi, Dupliraj</td></tr>
<tr><td>Ctrl+G</td><td>Napravi podsistem od izabranih blokova</td></tr>
<tr><td>Backspace</td><td>Nazad: nivo iznad otvorenog podsistema (kada je radna povrsina u fokusu)</td></tr>
<tr><td>Ctrl+A</td><td>izabira sve blokove (kada je radna povrsina u fokusu)</td></tr>
<tr><td>Ctrl+klik</td><td>dodaje blok izboru ili ga iz izbora uklanja</td></tr>
<tr><td>Ctrl++ (Ctrl+=), Ctrl+-, Ctrl+0</td><td>Uvecaj, Umanji, Stvarna velicina</td></tr>
<tr><td>Ctrl i tocak misa</td><td>uvecava ili umanjuje prikaz oko pokazivaca</td></tr>
<tr><td>srednji taster misa</td><td>prevlacenjem pomera prikaz radne povrsine</td></tr>
<tr><td>dvoklik na blok</td><td>prozor za izmenu parametara bloka</td></tr>
<tr><td>Esc</td><td>dok simulacija traje: kao taster &quot;Prekini&quot;</td></tr>
<tr><td>Enter</td><td>u tabeli rezultata: grafik oznacenih redova; u prozoru opcija: kao taster
&quot;simulacija&quot;</td></tr>
<tr><td>desni taster misa</td><td>na liniji veze koja se crta: odustajanje od veze; na ravnom grafiku:
ponistava zumiranje</td></tr>
</table>
<p>Komanda &quot;Fullscreen&quot; (dugme na traci) prosiruje prozor preko celog ekrana; ponovni izbor vraca
raniju velicinu.</p>

<h2><a name="paketno"></a>Paketni rad (bez prozora)</h2>
<p>Snimljeni model mozete simulirati iz komandne linije, bez ijednog prozora:</p>
<p class="formula">skem --run FAJL.skem --duration D --step H --print P [--output IZLAZ.csv]</p>
<p>&quot;--run&quot; mora biti prvi argument. D, H i P su duzina simulacije, interval integracije i interval
stampanja rezultata; proveravaju se kao u prozoru opcija, istim porukama. Rezultati se pisu u CSV obliku
kao kod tastera &quot;Izvezi CSV&quot;: u fajl naveden posle &quot;--output&quot;, a bez te opcije na
standardni izlaz. Poruke (greske modela, dokumenta i simulacije) idu na standardni izlaz za greske.
Izlazni kod je 0 za uspeh (i kada simulaciju zavrsi blok Quit), 1 kada dokument ne moze da se procita,
model je odbijen ili je simulacija prekinuta greskom, i 2 za neispravne argumente ili opcije. Primer:</p>
<p class="formula">skem --run oscilator.skem --duration 10 --step 0.01 --print 0.1 --output oscilator.csv</p>
<p>&quot;--izmene IZMENE.csv&quot; ponavlja izmene parametara snimljene u
<a href="#laboratorija">laboratoriji</a>; neispravan red fajla se prijavljuje sa svojim brojem
(izlazni kod 2).</p>
<p>&quot;skem --version&quot; ispisuje verziju programa, a &quot;skem --help&quot; kratko uputstvo za
upotrebu; podrobno uputstvo za komandnu liniju daje &quot;man skem&quot;.</p>

<h2><a name="primeri"></a>Primeri</h2>
<p>Uz program, u fascikli <b>examples</b> (kod instaliranog programa <b>share/skem/examples</b>, na
primer /usr/share/skem/examples), nalaze se gotovi modeli. Otvorite ih komandom
&quot;Otvori...&quot;; opis svakog modela je u komandi &quot;Opis problema&quot;. Za sve odgovaraju, na
primer, opcije D = 10, h = 0.01, P = 0.1.</p>
<table border="1" cellspacing="0" cellpadding="4" width="100%">
<tr><th>Dokument</th><th>Sadrzaj</th></tr>
<tr><td>oscilator.skem</td><td>priguseni harmonijski oscilator: sumator i dva
<a href="10.htm">integratora</a></td></tr>
<tr><td>vanderpol.skem</td><td>Van der Polov oscilator sa <a href="27.htm">mnozacima</a>; resenje prelazi
na granicni ciklus</td></tr>
<tr><td>lotka_volterra.skem</td><td>model plen-predator; integratori koriste koeficijente ulaza 2 i 3</td></tr>
<tr><td>pad_tela.skem</td><td>slobodan pad sa visine 100 m; blok <a href="19.htm">Quit</a> zavrsava
simulaciju kada telo padne na zemlju (t &asymp; 4.515 s)</td></tr>
<tr><td>algebarska_petlja.skem</td><td>algebarska petlja y = 0.5 &times; y + sin(t) + 2 resena blokovima
<a href="24.htm">Pocetak petlje</a> i <a href="28.htm">Wye</a></td></tr>
<tr><td>generator_funkcija.skem</td><td><a href="7.htm">generator funkcija</a> sa izmenjenim ordinatama
(parabola t<sup>2</sup>) i integrator povrsine ispod nje</td></tr>
<tr><td>grananje.skem</td><td>jedan izlaz (sinus) vodi se <a href="#junction">junction vezama</a> na tri
bloka</td></tr>
<tr><td>pad_tela_tacno.skem</td><td>isti pad metodom Dormand-Prince 5(4): Quit zaustavlja simulaciju
tacno u trenutku udara, t = sqrt(200 / 9.81)</td></tr>
<tr><td>robertson.skem</td><td>Robertsonova hemijska kinetika, kruti sistem, metodom
<a href="#metodi">BDF</a>; za ceo tok pokusajte D = 400000, h = 40, P = 40</td></tr>
<tr><td>podsistem.skem</td><td>ista sekcija drugog reda dva puta, kao dva
<a href="29.htm">podsistema</a>; slobodna i pobudjena sekcija daju zbir 1</td></tr>
<tr><td>regulacija.skem</td><td>sistem drugog reda u zatvorenoj petlji sa PID regulatorom i aktuatorom
sa zasicenjem, sva tri iz biblioteke podsistema; izlaz se ustaljuje na referenci 1</td></tr>
<tr><td>klatno.skem</td><td>priguseno klatno za <a href="#laboratorija">laboratoriju</a>: prate se ugao
i ugaona brzina, klizaci menjaju -g/L i prigusenje, a preko krive ugla crtaju se
<a href="merenja.htm">merenja</a> iz klatno_merenja.csv; probajte Brzina &quot;1&times; realno
vreme&quot;</td></tr>
</table>

<h2><a name="blokovi"></a>Blokovi</h2>
"""


def index():
    s = [zaglavlje("SKEM 2004 - Pomoc"), INDEX.replace("BROJ_VRSTA", str(len(BLOKOVI)))]
    for grupa in GRUPE:
        s.append(f"<h3>{grupa}</h3>")
        redovi = [(f'<a href="{c}.htm">{b["naziv"]}</a>', str(c), b["kratko"])
                  for c, b in sorted(BLOKOVI.items()) if b["grupa"] == grupa]
        s.append(tabela(["Blok", "Sifra", "Opis"], redovi))
    s.append("<h3>Po siframa</h3>\n<p>")
    s.append(" | ".join(f'<a href="{c}.htm">{c}</a>' for c in sorted(BLOKOVI)))
    s.append("</p>\n<hr>\n<p class=\"nav\"><a href=\"#vrh\">Na vrh</a></p>\n</body>\n</html>\n")
    return "\n".join(s)


LINEARIZACIJA = """<h1><a name="vrh"></a>Linearizacija</h1>
<p class="nav"><a href="index.htm">Sadrzaj</a> | <a href="merenja.htm">Merenja na grafiku</a></p>
<p>Komanda <b>Analiza &gt; Linearizacija...</b> zamenjuje model, u okolini jedne radne tacke, linearnim
modelom</p>
<p class="formula">x' = A x + B u,&nbsp;&nbsp; y = C x + D u</p>
<p>u kome su x, u i y odstupanja od radne tacke. Stanja x su izlazi svih
<a href="10.htm">integratora</a>, redom brojeva blokova. Iz linearnog modela program racuna polove,
Bodeov dijagram i odziv na skok.</p>

<h2><a name="izbor"></a>Izbor ulaza, izlaza i radne tacke</h2>
<table border="1" cellspacing="0" cellpadding="4" width="100%">
<tr><th>Polje</th><th>Znacenje</th></tr>
<tr><td>Ulaz u</td><td>blok ciji izlaz postaje ulaz u: <a href="12.htm">Konstanta</a>,
<a href="22.htm">Odskocna funkcija</a>, <a href="21.htm">Sinus</a>, <a href="7.htm">Generator
funkcija</a> ili <a href="11.htm">Generator slucajnih brojeva</a>. Za linearizaciju se izlaz tog bloka
drzi na vrednosti koju ima u radnoj tacki (u0), pa se menja za male iznose.</td></tr>
<tr><td>Izlaz y</td><td>bilo koji blok koji ima red u tabeli rezultata</td></tr>
<tr><td>U trenutku t =</td><td>bez kvacice radna tacka je pocetak: t = 0 i pocetni uslovi integratora
iz dokumenta. Sa kvacicom radna tacka je stanje poslednje simulacije u trenutku t (najblizem odstampanom
trenutku); moguce je samo dok model ima iste blokove kao u toj simulaciji.</td></tr>
<tr><td>Skok ulaza</td><td>promena ulaza za simulirani odziv na skok (podrazumevano 1)</td></tr>
</table>
<p>Taster &quot;linearizuj&quot; racuna linearni model i otvara stranu &quot;Linearizacija&quot;, a
&quot;odustani&quot; zatvara prozor.</p>

<h2><a name="racun"></a>Kako se racuna</h2>
<p>Izvodi stanja i izlaz y racunaju se istim prolazom kroz blokove kao u simulaciji, za stanja i ulaz
pomerene malo navise i malo nanize (centralna razlika). Korak je
<span class="formula">&#8731;&epsilon; &middot; max(1, |x|) &asymp; 6&middot;10<sup>-6</sup> &middot;
max(1, |x|)</span>, sto uravnotezuje gresku formule i gresku zaokruzivanja, pa su elementi matrica tacni
na oko deset cifara. Algebarska petlja (<a href="24.htm">Pocetak petlje</a> i <a href="28.htm">Wye</a>)
resava se pritom strozije nego u simulaciji, pocevsi od resenja u radnoj tacki. Polovi su sopstvene
vrednosti matrice A (biblioteka Eigen).</p>

<h2><a name="strana"></a>Strana Linearizacija</h2>
<ul>
<li><b>Model i polovi</b> &ndash; radna tacka (t, u0, y0), koji integrator je koje stanje, matrice A, B,
C i D i tabela polova sa prirodnom ucestanoscu wn = |p| i relativnim prigusenjem
zeta = -Re p / |p|.</li>
<li><b>Bodeov dijagram</b> &ndash; <span class="formula">H(jw) = C (jwI - A)<sup>-1</sup> B + D</span>:
modul u decibelima (20 log<sub>10</sub> |H|) i faza u stepenima, nad logaritamskom osom ucestanosti w
[rad/s]. Opseg obuhvata celu dekadu ispod najmanjeg i iznad najveceg modula pola; faza se crta bez
skokova od 360 stepeni.</li>
<li><b>Odziv na skok</b> &ndash; promena izlaza linearnog modela na jedinicni skok ulaza, i pored nje
simulirani odziv: razlika izlaza modela sa ulazom u0 + skok i sa ulazom u0, podeljena skokom. Kod
linearnog modela se krive poklapaju; kod nelinearnog razlika pokazuje koliko je linearni model dobar za
taj skok. Trajanje je oko sest vremenskih konstanti najsporijeg pola.</li>
</ul>
<p>Taster &quot;Nazad&quot; vraca na model, a &quot;Sacuvaj PNG&quot; cuva prikazanu karticu kao
sliku.</p>

<h2><a name="poruke"></a>Poruke</h2>
<ul>
<li><span class="poruka">Izlaz ne zavisi od izabranog ulaza.</span> &ndash; nijedan put veza ne vodi od
ulaza do izlaza, ili put prolazi kroz pojacanje nula.</li>
<li><span class="poruka">Model mora da sadrzi bar jedan integrator!</span> &ndash; model bez integratora
nema stanja.</li>
<li><span class="poruka">Model ne moze da se izracuna u radnoj tacki.</span> &ndash; u radnoj tacki neki
blok prijavljuje gresku (ispod sledi njegova poruka, na primer
<span class="poruka">Ulaz u kvadratni koren je negativan!</span>).</li>
<li><span class="poruka">Ulaz mora biti konstanta, odskocna funkcija ili generator.</span></li>
</ul>
<p>Primer: u modelu <b>oscilator.skem</b> (x'' + 0.4 x' + 4 x = 0) dovedite blok Konstanta na treci
ulaz sumatora sa koeficijentom 1 i izaberite drugi integrator za izlaz: polovi su
-0.2 &plusmn; j&middot;1.98997 (jer je s<sup>2</sup> + 0.4 s + 4 = 0), a modul Bodeovog dijagrama ima
rezonantni vrh kod w &asymp; 2.</p>
<hr>
<p class="nav"><a href="#vrh">Na vrh</a> | <a href="index.htm">Sadrzaj</a></p>
</body>
</html>
"""

MERENJA = """<h1><a name="vrh"></a>Merenja na grafiku</h1>
<p class="nav"><a href="index.htm">Sadrzaj</a> | <a href="index.htm#grafik">Grafik</a> |
<a href="linearizacija.htm">Linearizacija</a></p>
<p>Izmerene vrednosti mozete postaviti preko krivih simulacije i tako uporediti model sa eksperimentom.
Na strani grafika dugme <b>Merenja</b> (slika fascikle) nudi <b>Uvezi merenja...</b>: izaberite CSV fajl
i njegove vrednosti se crtaju kao kvadratici, svaka kolona u svojoj boji i sa svojim nazivom u legendi
(&quot;merenje: &quot; i naziv kolone). Ose se prosire tako da se vide sva merenja. Merenja se crtaju na
grafiku nad vremenom, ne i u faznom dijagramu ni u prostornom prikazu.</p>

<h2><a name="format"></a>Izgled fajla</h2>
<ul>
<li>prva kolona je vreme, a svaka sledeca jedno merenje;</li>
<li>decimalni separator je tacka (dozvoljen je i zapis 1e-3);</li>
<li>polja su razdvojena zarezom ili tackom-zarezom; odlucuje prvi red koji nije prazan;</li>
<li>prvi red moze biti zaglavlje (red u kome nijedno polje nije broj) i tada daje nazive kolona; bez
zaglavlja kolone se zovu po fajlu (&quot;m.csv, kolona 2&quot;);</li>
<li>prazno polje merenja znaci da u tom trenutku nema merenja; prazni redovi se preskacu.</li>
</ul>
<p class="formula">t;ugao<br>0;1<br>0.5;0.62<br>1;0.37</p>

<h2><a name="greske"></a>Greske</h2>
<p>Fajl sa greskom se ne crta, a poruka navodi red i fajl, na primer
<span class="poruka">Greska u redu 7 fajla 'x.csv': 'abc' nije broj</span>. Ostali razlozi: &quot;red ima
3 polja, a prvi red 2&quot;, &quot;nedostaje vreme&quot;, &quot;potrebne su bar dve kolone (vreme i
merenje)&quot;; fajl bez ijednog reda sa brojevima daje poruku &quot;Fajl 'x.csv' ne sadrzi
merenja.&quot;</p>

<h2><a name="dokument"></a>Merenja u dokumentu</h2>
<p>Dokument pamti ime uvezenog fajla (ne i njegov sadrzaj): fajl u folderu dokumenta ili ispod njega
pamti se relativno, pa se folder moze premestiti u celini. Uvoz ili uklanjanje merenja oznacava dokument
kao izmenjen. Pri otvaranju dokumenta merenja se citaju kada se prvi put prikaze grafik; ako fajl vise ne
postoji ili ima gresku, poruka se prikaze jednom, a ime ostaje u dokumentu dok merenja ne uklonite.
Ponovni uvoz istog fajla cita ga iznova. <b>Ukloni merenja</b> uklanja sva merenja sa grafika i iz
dokumenta.</p>
<p>Verzija za <a href="index.htm#oporavak">oporavak posle pada</a> pamti merenja sa punom putanjom, pa
vraceni dokument ima ista merenja; kada ga snimite, fajl pored dokumenta se opet pamti relativno. Fajl koji
je u medjuvremenu nestao prijavljuje se kao pri otvaranju dokumenta. Iseci, kopiraj i nalepi prenose
samo blokove, ne i merenja; &quot;Ponisti&quot; ne vraca uvoz ni uklanjanje merenja.</p>
<hr>
<p class="nav"><a href="#vrh">Na vrh</a> | <a href="index.htm">Sadrzaj</a></p>
</body>
</html>
"""


def upisi(ime, sadrzaj):
    sadrzaj.encode("ascii")  # the pages are plain ASCII; symbols are entities
    with open(os.path.join(POMOC, ime), "w", encoding="utf-8", newline="\n") as f:
        f.write(sadrzaj)


def uskladi_sa_katalogom():
    """Names, groups and labels as the palette shows them (resources/Manifest.xml)."""
    import xml.etree.ElementTree as ET
    grupe = list(ET.parse(os.path.join(KOREN, "resources", "Manifest.xml")).getroot().find("grupe"))
    for i, grupa in enumerate(grupe):
        ime = grupa.find("naziv").text.strip()
        for stavka in grupa.find("stavke"):
            v = {e.tag: (e.text or "").strip() for e in stavka}
            sifra = int(v["sifra"])
            b = BLOKOVI[sifra]
            if i == 0:
                b["naziv"] = v["naziv"]
                parametri = b.get("parametri", [])
                ulazi = b.get("ulazi", [])
                # The pages list exactly the parameters and inputs the block uses.
                assert len(parametri) == int(v["brparam"]), sifra
                assert len(ulazi) == int(v["maxuveza"]), sifra
                b["parametri"] = [(par, html.escape(v["str%d" % (k + 1)], quote=False), znacenje)
                                  for k, (par, _, znacenje) in enumerate(parametri)]
                # Inputs under the labels the inspector shows for them.
                b["ulazi"] = [(html.escape(v["str%d" % (k + 4)], quote=False), znacenje)
                              for k, (_, znacenje) in enumerate(ulazi)]
            elif ime in GRUPE:
                b["grupa"] = ime


def main():
    # A page for every kind of the engine's table, and for no other code.
    assert sorted(BLOKOVI) == list(range(broj_vrsta())), "BLOKOVI and the kind table differ"
    uskladi_sa_katalogom()
    os.makedirs(POMOC, exist_ok=True)
    upisi("index.htm", index())
    upisi("linearizacija.htm", zaglavlje("Linearizacija") + LINEARIZACIJA)
    upisi("merenja.htm", zaglavlje("Merenja na grafiku") + MERENJA)
    for sifra in BLOKOVI:
        upisi(f"{sifra}.htm", strana_bloka(sifra))
    print(f"{len(BLOKOVI) + 3} strana u {POMOC}")


if __name__ == "__main__":
    main()

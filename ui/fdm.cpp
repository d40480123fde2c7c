// The match sheet.
#include "fdm.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <algorithm>

#include "game/joueur.h"
#include "rules/textes.h"

namespace {

constexpr int Largeurs[] = {32, 113, 33, 17, 113, 33, 17};
// A column's width is what its text has; Qt draws the grid line inside the column, so each
// column is one pixel wider, and the header panels, drawn for the lines included, line up.
constexpr int LigneDeGrille = 1;

// The cells' texts one after the other, up to the first empty position.
QString TextesCases(const position* debut, int nombre) {
    QString texte;
    for (int i = 0; i < nombre && !debut[i].Vide(); ++i) {
        char cellule[4];
        debut[i].TexteCase(cellule);
        texte += QLatin1String(cellule);
    }
    return texte;
}

QLabel* Panneau(const QString& titre, const QRect& place, QWidget* parent) {
    QLabel* panneau = Etiquette(titre, place, parent);
    panneau->setAlignment(Qt::AlignCenter);
    panneau->setFrameStyle(QFrame::Box | QFrame::Plain);
    return panneau;
}

} // namespace

TFormFeuilleDeMatch::TFormFeuilleDeMatch(const jeu& j, QWidget* parent)
    // It only shows: its close box and Échap close it alike.
    : DialogueOvane(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint, true) {
    setWindowTitle(QStringLiteral("Feuille de match"));
    setFixedSize(393, 388);
    PanelBleus = Panneau(QString::fromUtf8(NomsEquipes[Bleus]), QRect(38, 6, 167, 20), this);
    PanelRouges = Panneau(QString::fromUtf8(NomsEquipes[Rouges]), QRect(204, 6, 167, 20), this);

    auto* grille = new QTableWidget(this);
    StringGridFeuilleDeMatch = grille;
    grille->setGeometry(4, 24, 385, 361);
    grille->setColumnCount(6);
    grille->horizontalHeader()->setMinimumSectionSize(1);
    grille->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    for (int c = 1; c < 7; ++c) grille->setColumnWidth(c - 1, Largeurs[c] + LigneDeGrille);
    grille->verticalHeader()->setFixedWidth(Largeurs[0] + LigneDeGrille);
    grille->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grille->verticalHeader()->setDefaultSectionSize(16);
    grille->verticalHeader()->setMinimumSectionSize(16);
    grille->horizontalHeader()->setFixedHeight(16);
    grille->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grille->setSelectionBehavior(QAbstractItemView::SelectRows);
    grille->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grille->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grille->setWordWrap(false);
    // The columns are narrow: a move's two cells fill its 33 pixels, so no padding and no "…".
    grille->setTextElideMode(Qt::ElideNone);
    grille->setStyleSheet(QStringLiteral("QTableWidget::item { padding: 0px 1px; }"));
    FormCreate(j);
}

int TFormFeuilleDeMatch::NbLignes() const {
    return StringGridFeuilleDeMatch->rowCount() + 1;
}

QString TFormFeuilleDeMatch::Cellule(int colonne, int ligne) const {
    const QTableWidget* g = StringGridFeuilleDeMatch;
    const QTableWidgetItem* item = nullptr;
    if (ligne == 0 && colonne > 0)
        item = g->horizontalHeaderItem(colonne - 1);
    else if (colonne == 0 && ligne > 0)
        item = g->verticalHeaderItem(ligne - 1);
    else if (ligne > 0)
        item = g->item(ligne - 1, colonne - 1);
    return item ? item->text() : QString();
}

void TFormFeuilleDeMatch::Ecrire(int colonne, int ligne, const QString& texte) {
    QTableWidget* g = StringGridFeuilleDeMatch;
    auto* item = new QTableWidgetItem(texte);
    if (ligne == 0)
        g->setHorizontalHeaderItem(colonne - 1, item);
    else if (colonne == 0)
        g->setVerticalHeaderItem(ligne - 1, item);
    else
        g->setItem(ligne - 1, colonne - 1, item);
}

void TFormFeuilleDeMatch::FormCreate(const jeu& j) {
    // The sheet has as many rows as the game has turns, and never writes past them, whatever
    // the record holds.
    const int tours = std::clamp(j.NbTours, 1, MaxTours);
    StringGridFeuilleDeMatch->setRowCount(tours);
    for (int n = 1; n <= tours; ++n) Ecrire(0, n, QString::asprintf("  %02d", n));
    for (int t = 0; t < 2; ++t) {
        Ecrire(3 * t + 1, 0, QString::fromUtf8(NomsActions[acPlacement]));
        Ecrire(3 * t + 2, 0, QStringLiteral("Dépl."));
        Ecrire(3 * t + 3, 0, QString::fromUtf8(NomsActions[acTir]));
    }
    const int pions = std::clamp(j.NbPions, 0, MaxPions);
    for (int n = 1; n <= std::min(j.TourCourant, tours); ++n) {
        for (int t = 0; t < 2; ++t) {
            const tour& r = j.Coups[(n - 1) * 2 + t];
            Ecrire(3 * t + 1, n, TextesCases(r.Placement.data(), pions));
            Ecrire(3 * t + 2, n, TextesCases(r.Deplacement.data(), 2));
            Ecrire(3 * t + 3, n, TextesCases(&r.Tir, 1));
        }
    }
}

// The game parameters dialog.
#include "prmjeu.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "rules/commandes.h"

namespace {

// The choice shown for a value: the last one not above it, or the first. A record that holds
// none of the three (changed by a program, not through this dialog) still shows one.
template <class T> int Index(const std::array<T, 3>& choix, T valeur) {
    int index = 0;
    while (index < 2 && choix[static_cast<std::size_t>(index) + 1] <= valeur) ++index;
    return index;
}

template <class T> T Valeur(const std::array<T, 3>& choix, int index) {
    return choix[static_cast<std::size_t>(std::clamp(index, 0, 2))];
}

// Choices side by side, each as wide as its text, with the room left shared equally between them
// (and half as much at the group's edges), so that no text runs into the next choice.
void CoteACote(const QGroupBox& cadre, const QList<QAbstractButton*>& boutons) {
    // Inside the group's 1-pixel frame line and a pixel of air.
    constexpr int Bord = 2;
    int libre = cadre.width() - 2 * Bord;
    for (const QAbstractButton* bouton : boutons) libre -= bouton->sizeHint().width();
    const int ecart = std::max(0, libre) / static_cast<int>(boutons.size());
    int x = Bord + ecart / 2;
    for (QAbstractButton* bouton : boutons) {
        bouton->setGeometry(x, 17, bouton->sizeHint().width(), 18);
        x += bouton->sizeHint().width() + ecart;
    }
}

QButtonGroup* Groupe(QWidget* parent, const QString& titre, const QRect& place,
                     const QStringList& choix, bool empiles) {
    auto* cadre = new QGroupBox(titre, parent);
    cadre->setGeometry(place);
    auto* groupe = new QButtonGroup(cadre);
    for (int i = 0; i < choix.size(); ++i) {
        auto* bouton = new QRadioButton(choix[i], cadre);
        if (empiles) bouton->setGeometry(8, 18 + 20 * i, place.width() - 16, 18);
        groupe->addButton(bouton, i);
    }
    if (!empiles) CoteACote(*cadre, groupe->buttons());
    groupe->button(1)->setChecked(true);
    return groupe;
}

} // namespace

TFormParametres::TFormParametres(const Partie& partie, QWidget* parent)
    : DialogueOvane(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint, true),
      partie_(partie) {
    setWindowTitle(QStringLiteral("Paramètres de jeu"));
    setFixedSize(432, 135);
    // Three choices side by side in 225 pixels: the radio's gap to its text is kept short, so
    // that the gap between choices is the wider.
    setStyleSheet(QStringLiteral("QRadioButton { spacing: 2px; }"));
    RadioGroupNbPions =
        Groupe(this, QStringLiteral(" Nombre de pions-joueurs par équipe "), QRect(8, 8, 225, 41),
               {QStringLiteral("&5 pions"), QStringLiteral("&6 pions"), QStringLiteral("&7 pions")},
               false);
    RadioGroupNbTours =
        Groupe(this, QStringLiteral(" Nombre de tours par joueur "), QRect(8, 54, 225, 41),
               {QStringLiteral("2x&10 tours"), QStringLiteral("2x&20 tours"),
                QStringLiteral("2x&30 tours")},
               false);
    RadioGroupMaxTemps =
        Groupe(this, QStringLiteral(" Temps pour chaque tour de joueur "), QRect(240, 8, 185, 87),
               {QStringLiteral("30 &secondes"), QStringLiteral("1 &minute"),
                QStringLiteral("1 minute 3&0")},
               true);
    ButtonOk = new QPushButton(QStringLiteral("OK"), this);
    ButtonOk->setGeometry(112, 104, 75, 25);
    ButtonOk->setDefault(true);
    ButtonAnnuler = new QPushButton(QStringLiteral("Annuler"), this);
    ButtonAnnuler->setGeometry(240, 104, 75, 25);
    connect(ButtonOk, &QPushButton::clicked, this, [this] {
        ButtonOkClick();
        accept();
    });
    connect(ButtonAnnuler, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormParametres::showEvent(QShowEvent* event) {
    FormShow();
    DialogueOvane::showEvent(event);
}

void TFormParametres::FormShow() {
    const jeu& j = partie_.Jeu;
    RadioGroupNbPions->button(Index(ChoixNbPions, j.NbPions))->setChecked(true);
    RadioGroupNbTours->button(Index(ChoixNbTours, j.NbTours))->setChecked(true);
    RadioGroupMaxTemps->button(Index(ChoixMaxTemps, j.MaxTemps))->setChecked(true);
}

void TFormParametres::ButtonOkClick() {
    AppliquerParametres(partie_, Valeur(ChoixNbPions, RadioGroupNbPions->checkedId()),
                        Valeur(ChoixNbTours, RadioGroupNbTours->checkedId()),
                        Valeur(ChoixMaxTemps, RadioGroupMaxTemps->checkedId()));
}

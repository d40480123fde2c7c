// The players dialog.
#include "joueurs.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Each team's access letters differ, so that Alt and a letter reaches one choice only.
struct Libelles {
    const char* humain;
    const char* ordinateur;
};
constexpr std::array<Libelles, 2> LibellesEquipes = {Libelles{"&Humain", "&Ordinateur"},
                                                     Libelles{"H&umain", "O&rdinateur"}};

} // namespace

TFormJoueurs::TFormJoueurs(const ChoixJoueurs& choix, QWidget* parent)
    : DialogueOvane(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint, true) {
    setWindowTitle(QStringLiteral("Joueurs"));
    setFixedSize(300, 137);
    for (int t = 0; t < 2; ++t) {
        auto* cadre = new QGroupBox(QString::fromUtf8(NomsEquipes[t]), this);
        cadre->setGeometry(8 + 146 * t, 8, 138, 87);
        const auto i = static_cast<std::size_t>(t);
        RadioHumain[i] = new QRadioButton(QString::fromUtf8(LibellesEquipes[i].humain), cadre);
        RadioHumain[i]->setGeometry(8, 17, 122, 18);
        RadioOrdinateur[i] =
            new QRadioButton(QString::fromUtf8(LibellesEquipes[i].ordinateur), cadre);
        RadioOrdinateur[i]->setGeometry(8, 37, 122, 18);
        ComboNiveau[i] = new QComboBox(cadre);
        ComboNiveau[i]->setGeometry(24, 58, 106, 22);
        for (int n = 1; n <= NbNiveaux; ++n)
            ComboNiveau[i]->addItem(QString::fromUtf8(NomsNiveaux[static_cast<std::size_t>(n)]));
        ComboNiveau[i]->setAccessibleName(QStringLiteral("Niveau des %1").arg(NomsEquipes[t]));
        ComboNiveau[i]->setCurrentIndex(static_cast<int>(choix.Niveaux[i]) - 1);
        (choix.Ordinateur[i] ? RadioOrdinateur[i] : RadioHumain[i])->setChecked(true);
        ComboNiveau[i]->setEnabled(choix.Ordinateur[i]);
        connect(RadioOrdinateur[i], &QRadioButton::toggled, ComboNiveau[i], &QWidget::setEnabled);
    }
    ButtonOk = new QPushButton(QStringLiteral("OK"), this);
    ButtonOk->setGeometry(70, 104, 75, 25);
    ButtonOk->setDefault(true);
    ButtonAnnuler = new QPushButton(QStringLiteral("Annuler"), this);
    ButtonAnnuler->setGeometry(155, 104, 75, 25);
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonAnnuler, &QPushButton::clicked, this, &QDialog::reject);
}

ChoixJoueurs TFormJoueurs::Choix() const {
    ChoixJoueurs choix;
    for (std::size_t t = 0; t < 2; ++t) {
        choix.Ordinateur[t] = RadioOrdinateur[t]->isChecked();
        choix.Niveaux[t] = static_cast<Niveau>(ComboNiveau[t]->currentIndex() + 1);
    }
    return choix;
}

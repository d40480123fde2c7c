// The network dialog.
#include "reseau_dialogue.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace {

QComboBox* Liste(QWidget* parent, const QRect& place, std::initializer_list<const char*> textes,
                 const QString& nom) {
    auto* liste = new QComboBox(parent);
    liste->setGeometry(place);
    for (const char* texte : textes) liste->addItem(QString::fromUtf8(texte));
    liste->setAccessibleName(nom);
    return liste;
}

constexpr int Pions[] = {5, 6, 7};
constexpr int Tours[] = {20, 40, 60};
constexpr std::uint32_t Temps[] = {30000, 60000, 90000};

template <typename T, std::size_t N> int IndexDe(const T (&valeurs)[N], T valeur) {
    for (std::size_t i = 0; i < N; ++i)
        if (valeurs[i] == valeur) return static_cast<int>(i);
    return 1;
}

} // namespace

TFormReseau::TFormReseau(const CommandeJeu& parametres, QWidget* parent)
    : DialogueOvane(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint, true) {
    setWindowTitle(QStringLiteral("Jouer en réseau"));
    setFixedSize(360, 318);

    RadioCreer = new QRadioButton(QStringLiteral("&Créer une partie"), this);
    RadioCreer->setGeometry(8, 8, 200, 18);
    auto* creer = new QGroupBox(this);
    creer->setGeometry(8, 28, 344, 142);
    RadioLocal = new QRadioButton(QStringLiteral("sur ce&t ordinateur, port"), creer);
    RadioLocal->setGeometry(8, 8, 180, 18);
    EditPort = new QSpinBox(creer);
    EditPort->setGeometry(190, 6, 80, 22);
    EditPort->setRange(1, 65535);
    EditPort->setValue(PortParDefaut);
    EditPort->setAccessibleName(QStringLiteral("Port"));
    RadioServeur = new QRadioButton(QStringLiteral("sur un &serveur :"), creer);
    RadioServeur->setGeometry(8, 34, 130, 18);
    EditServeur = new QLineEdit(creer);
    EditServeur->setGeometry(140, 32, 196, 22);
    EditServeur->setAccessibleName(QStringLiteral("Adresse du serveur"));
    EditServeur->setPlaceholderText(QStringLiteral("nom:port ou ovanes://nom:port"));
    Etiquette(QStringLiteral("Équipe :"), QRect(8, 64, 70, 20), creer);
    ComboEquipe =
        Liste(creer, QRect(80, 62, 100, 22), {"Bleus", "Rouges"}, QStringLiteral("Équipe"));
    Etiquette(QStringLiteral("Pions :"), QRect(8, 94, 50, 20), creer);
    ComboPions = Liste(creer, QRect(58, 92, 48, 22), {"5", "6", "7"}, QStringLiteral("Pions"));
    Etiquette(QStringLiteral("Tours :"), QRect(114, 94, 50, 20), creer);
    ComboTours = Liste(creer, QRect(162, 92, 52, 22), {"20", "40", "60"}, QStringLiteral("Tours"));
    Etiquette(QStringLiteral("Temps :"), QRect(222, 94, 50, 20), creer);
    ComboTemps = Liste(creer, QRect(272, 92, 64, 22), {"30 s", "1 min", "1 min 30"},
                       QStringLiteral("Temps"));
    ComboPions->setCurrentIndex(IndexDe(Pions, parametres.pions));
    ComboTours->setCurrentIndex(IndexDe(Tours, parametres.tours));
    ComboTemps->setCurrentIndex(IndexDe(Temps, parametres.temps));

    RadioRejoindre = new QRadioButton(QStringLiteral("&Rejoindre une partie"), this);
    RadioRejoindre->setGeometry(8, 180, 200, 18);
    auto* rejoindre = new QGroupBox(this);
    rejoindre->setGeometry(8, 200, 344, 44);
    Etiquette(QStringLiteral("Adresse :"), QRect(8, 12, 62, 20), rejoindre);
    EditAdresse = new QLineEdit(rejoindre);
    EditAdresse->setGeometry(70, 10, 140, 22);
    EditAdresse->setAccessibleName(QStringLiteral("Adresse"));
    Etiquette(QStringLiteral("Code :"), QRect(220, 12, 44, 20), rejoindre);
    EditCode = new QLineEdit(rejoindre);
    EditCode->setGeometry(264, 10, 72, 22);
    EditCode->setMaxLength(static_cast<int>(LongueurCode));
    EditCode->setAccessibleName(QStringLiteral("Code"));

    LabelErreur = Etiquette(QString(), QRect(8, 250, 344, 20), this);
    LabelErreur->setStyleSheet(QStringLiteral("color: #a00000"));
    ButtonOk = new QPushButton(QStringLiteral("OK"), this);
    ButtonOk->setGeometry(100, 282, 75, 25);
    ButtonOk->setDefault(true);
    ButtonAnnuler = new QPushButton(QStringLiteral("Annuler"), this);
    ButtonAnnuler->setGeometry(185, 282, 75, 25);

    RadioCreer->setChecked(true);
    RadioLocal->setChecked(true);
    for (QRadioButton* radio : {RadioCreer, RadioRejoindre, RadioLocal, RadioServeur})
        connect(radio, &QRadioButton::toggled, this, &TFormReseau::Actualiser);
    connect(ButtonOk, &QPushButton::clicked, this, &TFormReseau::Valider);
    connect(ButtonAnnuler, &QPushButton::clicked, this, &QDialog::reject);
    Actualiser();
}

void TFormReseau::ProposerRetour(const ChoixReseau& avant) {
    RadioRejoindre->setChecked(true);
    EditAdresse->setText(TexteAdresse(avant.Adresse));
    EditCode->setText(avant.Code);
}

void TFormReseau::Actualiser() {
    const bool creer = RadioCreer->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{RadioLocal, RadioServeur, ComboEquipe,
                                                      ComboPions, ComboTours, ComboTemps})
        w->setEnabled(creer);
    EditPort->setEnabled(creer && RadioLocal->isChecked());
    EditServeur->setEnabled(creer && RadioServeur->isChecked());
    EditAdresse->setEnabled(!creer);
    EditCode->setEnabled(!creer);
    LabelErreur->clear();
}

std::optional<ChoixReseau> TFormReseau::Choix() const {
    ChoixReseau choix;
    choix.Creer = RadioCreer->isChecked();
    choix.Local = choix.Creer && RadioLocal->isChecked();
    choix.Port = static_cast<quint16>(EditPort->value());
    choix.Equipe = ComboEquipe->currentIndex() == 1 ? Rouges : Bleus;
    choix.Parametres =
        CommandeParametres(Pions[ComboPions->currentIndex()], Tours[ComboTours->currentIndex()],
                           Temps[ComboTemps->currentIndex()]);
    if (choix.Local) return choix;
    const auto adresse = LireAdresse(choix.Creer ? EditServeur->text() : EditAdresse->text());
    if (!adresse) return std::nullopt;
    choix.Adresse = *adresse;
    if (choix.Creer) return choix;
    const auto code = LireCode(EditCode->text().trimmed().toStdString());
    if (!code) return std::nullopt;
    choix.Code = QString::fromStdString(*code);
    return choix;
}

void TFormReseau::Valider() {
    if (Choix()) return accept();
    const QString adresse = RadioCreer->isChecked() ? EditServeur->text() : EditAdresse->text();
    if (LireAdresse(adresse))
        LabelErreur->setText(QStringLiteral("Code incorrect : six lettres ou chiffres."));
    else if (adresse.contains(QLatin1Char('#')))
        LabelErreur->setText(
            QStringLiteral("Empreinte incorrecte : #sha256= puis 64 chiffres hexadécimaux."));
    else
        LabelErreur->setText(
            QStringLiteral("Adresse incorrecte : %1.").arg(QString::fromUtf8(FormesAdresse)));
}

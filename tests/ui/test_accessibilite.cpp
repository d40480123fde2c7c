// What a screen reader reads of the board window, through Qt's accessibility interfaces: the
// panels, the message line, the gauge and the board by name and value, and what it announces.
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <gtest/gtest.h>

#include "doubles.h"
#include "ui/accessibilite.h"
#include "ui/jauge.h"

namespace {

QAccessibleInterface* Interface(QObject* objet) {
    return QAccessible::queryAccessibleInterface(objet);
}

QString Nom(QAccessibleInterface* interface) {
    return interface ? interface->text(QAccessible::Name) : QStringLiteral("(none)");
}

struct Accessibilite : ::testing::Test, FenetreDeTest {};

TEST_F(Accessibilite, LesPanneauxLaJaugeEtLePlateauOntNomEtValeur) {
    f().show();
    QAccessibleInterface* barre = Interface(f().StatusBarPlateau);
    ASSERT_NE(barre, nullptr);
    EXPECT_EQ(barre->role(), QAccessible::StatusBar);
    ASSERT_EQ(barre->childCount(), 6);
    const QStringList noms = {"Score : Bleus 0-0 Rouges", "Tour : 1/40",    "Action : Placement",
                              "Séquence : Pion n°1",      "Joueur : Bleus", "Temps : 0:00"};
    for (int i = 0; i < 6; ++i) {
        QAccessibleInterface* panneau = barre->child(i);
        EXPECT_EQ(Nom(panneau), noms[i]);
        EXPECT_EQ(panneau->text(QAccessible::Value), Panneau(i));
        EXPECT_EQ(panneau->role(), QAccessible::StaticText);
        EXPECT_EQ(barre->indexOfChild(panneau), i);
        EXPECT_EQ(panneau->parent(), barre);
    }

    QAccessibleInterface* jauge = Interface(f().CGaugeOccupation);
    ASSERT_NE(jauge, nullptr);
    EXPECT_EQ(jauge->role(), QAccessible::ProgressBar);
    EXPECT_EQ(Nom(jauge), "Occupation");
    EXPECT_EQ(jauge->text(QAccessible::Description), "Occupation");
    ASSERT_NE(jauge->valueInterface(), nullptr);
    EXPECT_EQ(jauge->valueInterface()->currentValue().toInt(), 50);
    EXPECT_EQ(jauge->valueInterface()->maximumValue().toInt(), 100);
    EXPECT_EQ(jauge->valueInterface()->minimumValue().toInt(), 0);

    QAccessibleInterface* plateau = Interface(f().DrawGridPlateau);
    EXPECT_EQ(Nom(plateau), "Plateau");
    EXPECT_EQ(plateau->role(), QAccessible::Table);

    // They follow the game: the first shot of the quickest goal.
    PlacerPourUnBut([this](int c, int l, int) { DoubleClic(c, l); });
    f().RubriquePasserActionClick();
    DoubleClic(4, 2);
    EXPECT_EQ(Nom(barre->child(2)), "Action : Déplacement");
    EXPECT_EQ(Nom(barre->child(4)), "Joueur : Rouges");
    EXPECT_EQ(jauge->valueInterface()->currentValue().toInt(), f().CGaugeOccupation->Progression());
    EXPECT_EQ(jauge->valueInterface()->maximumValue().toInt(), 10);
    EXPECT_EQ(jauge->text(QAccessible::Description), "Occupation : Bleus 80.0% - 20.0% Rouges");
    EXPECT_EQ(Nom(plateau), "Plateau");

    QAccessibleInterface* message = Interface(f().StatusBarMsg);
    ASSERT_EQ(message->childCount(), 1);
    EXPECT_EQ(Nom(message->child(0)), "Message");
    f().StatusBarMsg->DefinirTexte(0, QStringLiteral("Match nul"));
    EXPECT_EQ(Nom(message->child(0)), "Message : Match nul");
}

bool Contient(const std::vector<QString>& annonces, const char* texte) {
    return std::find(annonces.begin(), annonces.end(), QString::fromUtf8(texte)) != annonces.end();
}

TEST_F(Accessibilite, UnChangementDEquipeEtUnButSontAnnonces) {
    f().show();
    std::vector<QString> annonces;
    f().Annoncer = [&](const QString& texte) { annonces.push_back(texte); };
    DoubleClic(0, 2);
    EXPECT_EQ(annonces, std::vector<QString>{"Aux Rouges de jouer"});
    f().RubriqueNouvelleClick();

    // The quickest goal: Bleus shoot from (4, 2), then from (4, 5) after Rouges pass.
    PlacerPourUnBut([this](int c, int l, int) { DoubleClic(c, l); });
    f().RubriquePasserActionClick();
    DoubleClic(4, 2);
    f().RubriquePasserTourClick();
    f().RubriquePasserActionClick();
    annonces.clear();
    DoubleClic(4, 5);
    EXPECT_TRUE(Contient(annonces, "But des Bleus !!! Bleus 1-0 Rouges"));
    // A new game sets the score back, which is no goal.
    annonces.clear();
    f().RubriqueNouvelleClick();
    for (const QString& annonce : annonces)
        EXPECT_FALSE(annonce.startsWith("But")) << annonce.toStdString();
}

// What the desktop's bridge reads of an announcement: a notification that shows.
TEST_F(Accessibilite, UneAnnonceEstUneNotification) {
    f().show();
    Annoncer(&f(), QStringLiteral("Aux Rouges de jouer"));
    QWidget* annonce = f().findChild<QWidget*>(QStringLiteral("annonce"));
    ASSERT_NE(annonce, nullptr);
    QAccessibleInterface* interface = Interface(annonce);
    EXPECT_EQ(interface->role(), QAccessible::Notification);
    EXPECT_EQ(Nom(interface), "Aux Rouges de jouer");
    EXPECT_FALSE(interface->state().invisible);
    EXPECT_EQ(interface->parent(), Interface(&f()));
}

} // namespace

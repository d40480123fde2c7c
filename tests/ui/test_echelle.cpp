// The board at every size: whole steps of its pixel art, crisp, chosen from the menu or by
// resizing the window, and kept for the next start.
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

#include "doubles.h"
#include "ui/preferences.h"

namespace {

// The pixel art's sixteen colours: a pixel of any other was blended.
const QSet<QRgb> Palette = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                            0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                            0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// The lengths of the runs of each colour along a line of the image, in order.
std::vector<std::pair<QRgb, int>> Suites(const QImage& image, QPoint debut, QPoint pas, int n) {
    std::vector<std::pair<QRgb, int>> suites;
    for (int i = 0; i < n; ++i) {
        const QRgb pixel = image.pixel(debut + pas * i);
        if (suites.empty() || suites.back().first != pixel)
            suites.emplace_back(pixel, 1);
        else
            ++suites.back().second;
    }
    return suites;
}

// The cells and the lines met along a line across empty grey cells: all cells one width, all
// lines another.
void VerifierRegularite(const std::vector<std::pair<QRgb, int>>& suites, int cellule, int trait,
                        const char* sens) {
    int cellules = 0, traits = 0;
    for (std::size_t i = 1; i + 1 < suites.size(); ++i) {
        if (suites[i].first == qRgb(128, 128, 128)) {
            EXPECT_EQ(suites[i].second, cellule) << sens << " cell " << i;
            ++cellules;
        } else if (suites[i].first == qRgb(192, 192, 192)) {
            EXPECT_EQ(suites[i].second, trait) << sens << " line " << i;
            ++traits;
        }
    }
    EXPECT_GE(cellules, 3) << sens;
    EXPECT_GE(traits, 3) << sens;
}

// The width of what is drawn in a picture of the art, transparent pixels left out.
int LargeurDessin(const QImage& image) {
    int gauche = image.width(), droite = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0) {
                gauche = std::min(gauche, x);
                droite = std::max(droite, x);
            }
    return droite - gauche + 1;
}

struct Taille {
    const char* nom;
    int echelle;
};

struct Echelle : ::testing::TestWithParam<Taille>, FenetreDeTest {};

// Run again under QT_SCALE_FACTOR 1.25, 1.5 and 2, where the screen's pixels are not the window's.
TEST_P(Echelle, LePlateauEstNetEtRegulier) {
    const int e = GetParam().echelle;
    f().show();
    PlacerDouze();
    DoubleClic(3, 2);
    f().DefinirEchelle(e);
    ASSERT_EQ(f().Echelle(), e);
    const qreal ratio = f().devicePixelRatioF();
    const qreal s = e * ratio;

    // The client area grows by the factor: at ratio 1, exactly the original's times e.
    const QSize client = f().DrawGridPlateau->parentWidget()->size();
    if (ratio == 1) {
        EXPECT_EQ(client, QSize(379, 492) * e);
    } else {
        EXPECT_LE(std::abs(client.width() - 379 * e), 4 * e);
        EXPECT_LE(std::abs(client.height() - 492 * e), 6 * e);
    }

    const QImage image = f().DrawGridPlateau->grab().toImage();
    const MesuresGrille m = f().DrawGridPlateau->Mesures();
    // Every cell one size, every line one width, across and down, in the screen's pixels.
    const int cellule = qRound(40 * s);
    EXPECT_LE(std::abs(m.Trait - s), 0.5);
    // From just outside the first grey cell to just outside the last, along row 1 and down
    // column 7, where no pawn stands.
    const QRect camp = m.Case(0, 1);
    const int fin = m.Case(NbColonnes - 1, 1).right();
    VerifierRegularite(Suites(image, QPoint(camp.left() - 1, camp.center().y()), QPoint(1, 0),
                              fin - camp.left() + 3),
                       cellule, m.Trait, "across");
    const QRect haut = m.Case(7, 1);
    VerifierRegularite(Suites(image, QPoint(haut.center().x(), haut.top() - m.Trait - 1),
                              QPoint(0, 1), m.Case(7, 5).top() - haut.top() + m.Trait + 2),
                       cellule, m.Trait, "down");

    // Nothing blended: a zone, a goal, the neutral line, the puck-pawn, a pawn and the D mark.
    int horsPalette = 0;
    const std::pair<int, int> cases[] = {{0, 0}, {3, 10}, {0, 5}, {4, 5}, {1, 2}, {3, 2}};
    for (const auto& [c, l] : cases) {
        const QRect r = m.Case(c, l);
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                horsPalette += !Palette.contains(image.pixel(x, y) & 0xFFFFFF);
    }
    EXPECT_EQ(horsPalette, 0);

    // The puck-pawn, the D mark and the cursor grow with the cells.
    const QImage palet = QImage(QStringLiteral(":/images/palet.xpm"));
    const QImage centre = image.copy(m.Case(4, 5));
    const auto neutre = [](QRgb p) { return p == qRgb(0, 0, 255) || p == qRgb(255, 0, 0); };
    int gauche = centre.width(), droite = -1;
    for (int x = 0; x < centre.width(); ++x)
        if (!neutre(centre.pixel(x, centre.height() / 2))) {
            gauche = std::min(gauche, x);
            droite = std::max(droite, x);
        }
    EXPECT_LE(std::abs((droite - gauche + 1) - LargeurDessin(palet) * s), 1.0);
    const int cursor = f().DrawGridPlateau->cursor().bitmap().width();
    EXPECT_EQ(cursor, qRound(32 * s));
}

INSTANTIATE_TEST_SUITE_P(Facteurs, Echelle,
                         ::testing::Values(Taille{"fois1", 1}, Taille{"fois2", 2},
                                           Taille{"fois3", 3}),
                         [](const auto& info) { return std::string(info.param.nom); });

// The menu and the window: each step resizes the window, and a resized window takes the largest
// step that fits.
struct Agrandissement : ::testing::Test, FenetreDeTest {
    QTemporaryDir dossier;
    QString Chemin() const { return dossier.filePath(QStringLiteral("ovane/ovane.conf")); }

    Agrandissement() : FenetreDeTest(false) {}
    void Ouvrir() {
        fenetre = std::make_unique<TFormPlateau>(
            *j, joueurs,
            ServicesPlateau{boites, dialogues, registre, aide, [](QWidget*) {},
                            QStringLiteral("/opt/ovane/bin/ovane"), Chemin()});
        f().PlaceEcran = [] { return QSize(4000, 4000); };
        f().FormShow({});
        f().show();
        f().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f()));
    }
    QByteArray Fichier() const {
        QFile fichier(Chemin());
        return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray();
    }
};

TEST_F(Agrandissement, ParLeMenuParLaFenetreEtAuDemarrageSuivant) {
    Ouvrir();
    const QSize depart = f().size();
    QTest::keyClick(&f(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(f().Echelle(), 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return f().size() == f().sizeHint(); }, 2000));
    EXPECT_GT(f().width(), depart.width());
    QTest::keyClick(&f(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(f().Echelle(), 3);
    QTest::keyClick(&f(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(f().Echelle(), 2);
    EXPECT_EQ(Fichier(), "echelle=2\n");
    // The screen bounds the steps.
    f().PlaceEcran = [this] { return f().frameGeometry().size() + QSize(10, 10); };
    QTest::keyClick(&f(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(f().Echelle(), 2);
    QTest::keyClick(&f(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(f().Echelle(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return f().size() == depart; }, 2000));

    // A window made a little larger than three boards' room holds three; a little smaller, two.
    const QSize autour = f().size() - f().DrawGridPlateau->parentWidget()->size();
    const QSize trois = f().DrawGridPlateau->sizeHint() * 3 + autour + QSize(60, 120);
    f().resize(trois);
    EXPECT_TRUE(QTest::qWaitFor([&] { return f().Echelle() == 3; }, 2000));
    EXPECT_EQ(Fichier(), "echelle=3\n");
    f().resize(trois - QSize(100, 100));
    EXPECT_TRUE(QTest::qWaitFor([&] { return f().Echelle() == 2; }, 2000));
    // The board in the middle of the room it has.
    const QWidget* client = f().DrawGridPlateau->parentWidget();
    const QWidget* fond = f().centralWidget();
    EXPECT_LE(std::abs((fond->width() - client->width()) / 2 - client->x()), 1);

    // The next start takes the size kept.
    fenetre.reset();
    Ouvrir();
    EXPECT_EQ(f().Echelle(), 2);
}

struct Lecture {
    const char* nom;
    QByteArray contenu;
    int echelle;
    bool message;
};

struct LecturePreferences : ::testing::TestWithParam<Lecture> {};

// Every value read is checked: a damaged file gives the defaults and says why, never more.
TEST_P(LecturePreferences, UnFichierAbimeEstIgnoreAvecUnMessage) {
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("ovane.conf"));
    QFile fichier(chemin);
    ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
    fichier.write(GetParam().contenu);
    fichier.close();
    ::testing::internal::CaptureStderr();
    const int echelle = LirePreferences(chemin).Echelle;
    const std::string message = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(echelle, GetParam().echelle);
    if (GetParam().message)
        EXPECT_NE(message.find(chemin.toStdString()), std::string::npos) << message;
    else
        EXPECT_EQ(message, "");
}

INSTANTIATE_TEST_SUITE_P(
    Fichiers, LecturePreferences,
    ::testing::Values(
        Lecture{"echelle_3", "echelle=3\n", 3, false},
        Lecture{"sans_fin_de_ligne", "echelle=2", 2, false}, Lecture{"vide", "", 1, false},
        Lecture{"commentaire", "# taille du plateau\nechelle=2\n", 2, false},
        Lecture{"trop_grande", "echelle=9\n", 1, true}, Lecture{"nulle", "echelle=0\n", 1, true},
        Lecture{"negative", "echelle=-2\n", 1, true}, Lecture{"espaces", "echelle = 2\n", 1, true},
        Lecture{"pas_un_nombre", "echelle=deux\n", 1, true},
        Lecture{"enorme", "echelle=99999999999999999999\n", 1, true},
        Lecture{"deux_fois", "echelle=2\nechelle=3\n", 1, true},
        Lecture{"cle_inconnue", "taille=2\n", 1, true},
        Lecture{"binaire", QByteArray("\x00\xff\x13=\x02", 5), 1, true},
        Lecture{"trop_long", QByteArray(5000, '#'), 1, true}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(PreferencesFichier, AbsentOuDossierOuEcritPuisRelu) {
    QTemporaryDir dossier;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(LirePreferences(dossier.filePath(QStringLiteral("rien.conf"))).Echelle, 1);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(LirePreferences(dossier.path()).Echelle, 1);
    EXPECT_NE(::testing::internal::GetCapturedStderr(), "");
    // Written into a folder made for it, with nothing left beside the file.
    const QString chemin = dossier.filePath(QStringLiteral("config/ovane/ovane.conf"));
    ASSERT_TRUE(EcrirePreferences(chemin, {3}));
    EXPECT_EQ(LirePreferences(chemin).Echelle, 3);
    EXPECT_EQ(QDir(dossier.filePath(QStringLiteral("config/ovane")))
                  .entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
              QStringList{QStringLiteral("ovane.conf")});
    // A folder that cannot be made: told, and nothing else.
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(EcrirePreferences(QStringLiteral("/dev/null/ovane/ovane.conf"), {2}));
    EXPECT_NE(::testing::internal::GetCapturedStderr(), "");
}

} // namespace

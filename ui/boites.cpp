// The real message boxes and file dialogs.
#include "boites.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPushButton>
#include <QSpacerItem>
#include <QStyle>
#include <QTimer>
#include <QTreeView>
#include <algorithm>

#include "centrage.h"

namespace {

QMessageBox::Icon IconeQt(Icone icone) {
    switch (icone) {
    case Icone::Arret:
        return QMessageBox::Critical;
    case Icone::Exclamation:
        return QMessageBox::Warning;
    case Icone::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// A box opened before its window is placed (at start-up) would sit at the screen's corner, where
// that window still is: it centres itself on the screen instead.
class BoiteMessage : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        if (!parentWidget() || !parentWidget()->isVisible()) CentrerSurEcran(*this);
    }
};

// A narrow box would have its caption cut by the title bar: the box is kept as wide as the
// caption, written in the title bar's bold face, plus the title bar's icon and buttons. The
// layout's width is what a message box honours; its own minimum width it overrides.
void LargeurPourLeTitre(QMessageBox& boite) {
    auto* grille = qobject_cast<QGridLayout*>(boite.layout());
    if (!grille) return;
    grille->addItem(new QSpacerItem(LargeurMinimaleBoite(boite.windowTitle()), 0,
                                    QSizePolicy::Minimum, QSizePolicy::Fixed),
                    grille->rowCount(), 0, 1, grille->columnCount());
}

const QString Filtre = QStringLiteral("Parties d'Ovane (*.ovn);;Tous fichiers (*)");

// Qt sizes the file list's columns for English headings and dates; the French ones are longer.
void ColonnesEntieres(QFileDialog& dialogue) {
    auto* vue = dialogue.findChild<QTreeView*>();
    if (!vue) return;
    QHeaderView* entete = vue->header();
    for (int i = 0; i < entete->count(); ++i)
        entete->resizeSection(i, std::max(entete->sectionSize(i), entete->sectionSizeHint(i)));
    const QString dateLaPlusLongue = QLocale::system().toString(
        QDateTime(QDate(2000, 12, 28), QTime(23, 58, 58)), QLocale::ShortFormat);
    // The kind of a saved game, as the desktop's file types name it ("Partie d'Ovane").
    const QString typePartie =
        QMimeDatabase()
            .mimeTypeForFile(QStringLiteral("x.ovn"), QMimeDatabase::MatchExtension)
            .comment();
    const int marges =
        4 * vue->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, vue) + 8;
    const auto auMoins = [&](int colonne, const QString& texte) {
        if (colonne < entete->count())
            entete->resizeSection(colonne,
                                  std::max(entete->sectionSize(colonne),
                                           vue->fontMetrics().horizontalAdvance(texte) + marges));
    };
    auMoins(2, typePartie);
    auMoins(3, dateLaPlusLongue);
}

std::optional<QString> Executer(QFileDialog& dialogue) {
    ColonnesEntieres(dialogue);
    dialogue.setNameFilter(Filtre);
    dialogue.setDefaultSuffix(QStringLiteral("ovn"));
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
        return std::nullopt;
    return dialogue.selectedFiles().constFirst();
}

} // namespace

int LargeurMinimaleBoite(const QString& titre) {
    QFont police = QApplication::font();
    police.setBold(true);
    // Window managers draw titles a little larger than dialog text.
    police.setPixelSize(police.pixelSize() > 0 ? police.pixelSize() * 5 / 4 : 14);
    return QFontMetrics(police).horizontalAdvance(titre) + DecorationsBarreDeTitre;
}

void BoitesQt::Afficher(QWidget* parent, const QString& texte, const QString& titre, Icone icone) {
    BoiteMessage boite(IconeQt(icone), titre, texte, QMessageBox::Ok, parent);
    LargeurPourLeTitre(boite);
    boite.exec();
}

void BoitesQt::AfficherUnMoment(QWidget* parent, const QString& texte, const QString& titre,
                                Icone icone, int millisecondes) {
    BoiteMessage boite(IconeQt(icone), titre, texte, QMessageBox::Ok, parent);
    LargeurPourLeTitre(boite);
    QTimer::singleShot(millisecondes, &boite, &QMessageBox::accept);
    boite.exec();
}

Abandon BoitesQt::DemanderEnregistrement(QWidget* parent, const QString& texte,
                                         const QString& titre) {
    BoiteMessage boite(QMessageBox::Warning, titre, texte,
                       QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    // The buttons say what they do, in the game's language whatever the toolkit's translations.
    boite.button(QMessageBox::Save)->setText(QStringLiteral("&Enregistrer"));
    boite.button(QMessageBox::Discard)->setText(QStringLiteral("&Ne pas enregistrer"));
    boite.button(QMessageBox::Cancel)->setText(QStringLiteral("Annuler"));
    boite.setDefaultButton(QMessageBox::Save);
    LargeurPourLeTitre(boite);
    switch (boite.exec()) {
    case QMessageBox::Save:
        return Abandon::Enregistrer;
    case QMessageBox::Discard:
        return Abandon::NePasEnregistrer;
    default:
        return Abandon::Annuler;
    }
}

bool BoitesQt::Demander(QWidget* parent, const QString& texte, const QString& titre) {
    BoiteMessage boite(QMessageBox::Question, titre, texte, QMessageBox::Yes | QMessageBox::No,
                       parent);
    boite.setDefaultButton(QMessageBox::No);
    LargeurPourLeTitre(boite);
    return boite.exec() == QMessageBox::Yes;
}

std::optional<QString> DialoguesQt::Ouvrir(QWidget* parent) {
    QFileDialog dialogue(parent, QStringLiteral("Ouvrir une partie"));
    dialogue.setAcceptMode(QFileDialog::AcceptOpen);
    dialogue.setFileMode(QFileDialog::ExistingFile);
    return Executer(dialogue);
}

std::optional<QString> DialoguesQt::Enregistrer(QWidget* parent, const QString& nom) {
    QFileDialog dialogue(parent, QStringLiteral("Enregistrer la partie en cours"));
    dialogue.setAcceptMode(QFileDialog::AcceptSave);
    // An existing file is replaced only once the player has said so, in the dialog's question.
    if (!nom.isEmpty()) dialogue.selectFile(nom);
    return Executer(dialogue);
}

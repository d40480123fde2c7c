// The help viewer.
#include "aide_qt.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

QString TrouverFichierAide(const QString& fichier, const QStringList& dossiers) {
    for (const QString& dossier : dossiers) {
        const QFileInfo info(QDir(dossier), fichier);
        if (info.isFile() && info.isReadable()) return info.absoluteFilePath();
    }
    return {};
}

VisionneuseAideQt::VisionneuseAideQt(QStringList dossiers) : dossiers_(std::move(dossiers)) {}

QStringList VisionneuseAideQt::DossiersParDefaut(const QString& dossierProgramme) {
    // Installed, the help file is in the games' data folder beside the games' program folder.
    QStringList dossiers{dossierProgramme};
    dossiers << QDir(dossierProgramme).absoluteFilePath(QStringLiteral("../share/games/ovane"));
    for (const QString& donnees :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        dossiers << QDir(donnees).absoluteFilePath(QStringLiteral("games/ovane"));
    return dossiers;
}

void VisionneuseAideQt::AfficherRubrique(QWidget* fenetre, const QString& fichier, int contexte) {
    const QString chemin = TrouverFichierAide(fichier, dossiers_);
    if (chemin.isEmpty()) {
        QMessageBox::critical(
            fenetre, QStringLiteral("Aide"),
            QStringLiteral("Impossible de trouver le fichier d'aide « %1 ».").arg(fichier));
        return;
    }
    if (!fenetreAide_) {
        fenetreAide_ = new QDialog(fenetre, Qt::Window);
        fenetreAide_->setAttribute(Qt::WA_DeleteOnClose);
        // Closing the board ends the program, even with the help still open.
        fenetreAide_->setAttribute(Qt::WA_QuitOnClose, false);
        fenetreAide_->setWindowTitle(QStringLiteral("Aide d'Ovane"));
        fenetreAide_->resize(640, 560);
        auto* page = new QTextBrowser(fenetreAide_);
        page->setObjectName(QStringLiteral("page"));
        page->setOpenExternalLinks(true);
        (new QVBoxLayout(fenetreAide_))->addWidget(page);
    }
    auto* page = fenetreAide_->findChild<QTextBrowser*>(QStringLiteral("page"));
    // The help file is HTML; its topic of context n is the anchor "contexte-n", 0 the start.
    QUrl url = QUrl::fromLocalFile(chemin);
    if (contexte != 0) url.setFragment(QStringLiteral("contexte-%1").arg(contexte));
    page->setSource(url, QTextDocument::HtmlResource);
    fenetreAide_->show();
    fenetreAide_->raise();
    fenetreAide_->activateWindow();
}

// The help viewer.
#include "aide_qt.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QRegularExpression>
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

QString TouchesEnClair(const QString& html) {
    static const QRegularExpression touche(QStringLiteral("<kbd>([^<]*)</kbd>"));
    QString resultat;
    qsizetype fin = 0;
    for (const QRegularExpressionMatch& m : touche.globalMatch(html)) {
        resultat += QStringView(html).mid(fin, m.capturedStart() - fin);
        const QKeySequence sequence(m.captured(1), QKeySequence::PortableText);
        resultat += QStringLiteral("<kbd>%1</kbd>")
                        .arg(sequence.toString(QKeySequence::NativeText).toHtmlEscaped());
        fin = m.capturedEnd();
    }
    resultat += QStringView(html).mid(fin);
    return resultat;
}

namespace {

// The help file names keys as Qt's portable key sequences; the page shows them as the menus do,
// in the language Qt speaks, so that the two never disagree.
class PageAide : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

protected:
    QVariant loadResource(int type, const QUrl& nom) override {
        QVariant ressource = QTextBrowser::loadResource(type, nom);
        if (type != QTextDocument::HtmlResource) return ressource;
        const QString html = ressource.typeId() == QMetaType::QByteArray
                                 ? QString::fromUtf8(ressource.toByteArray())
                                 : ressource.toString();
        return TouchesEnClair(html);
    }
};

} // namespace

VisionneuseAideQt::VisionneuseAideQt(QStringList dossiers, Signaler signaler)
    : dossiers_(std::move(dossiers)), signaler_(std::move(signaler)) {}

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
        signaler_(fenetre,
                  QStringLiteral("Impossible de trouver le fichier d'aide « %1 ».").arg(fichier),
                  QStringLiteral("Aide"));
        return;
    }
    if (!fenetreAide_) {
        fenetreAide_ = new QDialog(fenetre, Qt::Window);
        fenetreAide_->setAttribute(Qt::WA_DeleteOnClose);
        // Closing the board ends the program, even with the help still open.
        fenetreAide_->setAttribute(Qt::WA_QuitOnClose, false);
        fenetreAide_->setWindowTitle(QStringLiteral("Aide d'Ovane"));
        fenetreAide_->resize(640, 560);
        auto* page = new PageAide(fenetreAide_);
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

// The help viewer on Linux: finds the help file next to the program or in the installed data
// folders, and shows it in a help window of its own.
#pragma once

#include <QPointer>
#include <QStringList>
#include <functional>

#include "aide.h"

class QDialog;

// The first folder of the list that holds the file, as a full path; empty when none does.
QString TrouverFichierAide(const QString& fichier, const QStringList& dossiers);

// The help's HTML with each <kbd>portable key sequence</kbd> written as the menus show it.
QString TouchesEnClair(const QString& html);

class VisionneuseAideQt : public VisionneuseAide {
public:
    // The program's own boxes: a missing help file is reported through them, as every other
    // message is.
    using Signaler =
        std::function<void(QWidget* fenetre, const QString& texte, const QString& titre)>;

    // dossiers: where to look, in order.
    VisionneuseAideQt(QStringList dossiers, Signaler signaler);

    void AfficherRubrique(QWidget* fenetre, const QString& fichier, int contexte) override;

    static QStringList DossiersParDefaut(const QString& dossierProgramme);

private:
    QStringList dossiers_;
    Signaler signaler_;
    QPointer<QDialog> fenetreAide_;
};

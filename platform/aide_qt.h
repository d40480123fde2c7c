// The help viewer on Linux: finds the help file next to the program or in the installed data
// folders, and shows it in a help window of its own.
#pragma once

#include <QPointer>
#include <QStringList>

#include "aide.h"

class QDialog;

// The first folder of the list that holds the file, as a full path; empty when none does.
QString TrouverFichierAide(const QString& fichier, const QStringList& dossiers);

class VisionneuseAideQt : public VisionneuseAide {
public:
    // dossiers: where to look, in order.
    explicit VisionneuseAideQt(QStringList dossiers);

    void AfficherRubrique(QWidget* fenetre, const QString& fichier, int contexte) override;

    static QStringList DossiersParDefaut(const QString& dossierProgramme);

private:
    QStringList dossiers_;
    QPointer<QDialog> fenetreAide_;
};

// The help viewer: shows a topic, by context number, of a help file named without a folder.
#pragma once

#include <QString>

class QWidget;

class VisionneuseAide {
public:
    virtual ~VisionneuseAide() = default;
    // Finds the file itself and reports a missing file or topic itself.
    virtual void AfficherRubrique(QWidget* fenetre, const QString& fichier, int contexte) = 0;
};

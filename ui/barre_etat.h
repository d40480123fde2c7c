// A status line of fixed panels, drawn as sunken boxes; the last one reaches the right edge. The
// whole line, its text included, grows with the board's factor. Each panel is read by assistive
// technologies as a label named by its role and its text.
#pragma once

#include <QStringList>
#include <QVector>
#include <QWidget>

class BarreEtat : public QWidget {
    Q_OBJECT
public:
    struct Panneau {
        // At factor 1.
        int largeur;
        Qt::Alignment alignement;
        QString texte;
        // What the panel shows, for assistive technologies: "Score", "Temps"…
        QString nom = {};
    };
    // The line's height at factor 1.
    static constexpr int Hauteur = 19;

    explicit BarreEtat(QVector<Panneau> panneaux, QWidget* parent = nullptr);

    void DefinirTexte(int panneau, const QString& texte);
    QString Texte(int panneau) const;
    QString Nom(int panneau) const;
    int NbPanneaux() const { return static_cast<int>(panneaux_.size()); }
    int Echelle() const { return echelle_; }
    void DefinirEchelle(int echelle);
    // The panel's box inside the line.
    QRect Rectangle(int panneau) const;
    // Where the panel's text is written, inside its box.
    QRect RectangleTexte(int panneau) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVector<Panneau> panneaux_;
    int echelle_ = 1;
};

// A status line of fixed panels, drawn as sunken boxes; the last one reaches the right edge.
#pragma once

#include <QStringList>
#include <QVector>
#include <QWidget>

class BarreEtat : public QWidget {
    Q_OBJECT
public:
    struct Panneau {
        int largeur;
        Qt::Alignment alignement;
        QString texte;
    };

    explicit BarreEtat(QVector<Panneau> panneaux, QWidget* parent = nullptr);

    void DefinirTexte(int panneau, const QString& texte);
    QString Texte(int panneau) const;
    int NbPanneaux() const { return static_cast<int>(panneaux_.size()); }
    // The panel's box inside the line.
    QRect Rectangle(int panneau) const;
    // Where the panel's text is written, inside its box.
    QRect RectangleTexte(int panneau) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVector<Panneau> panneaux_;
};

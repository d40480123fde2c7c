// Status lines.
#include "barre_etat.h"

#include <QPainter>

#include "polices.h"

BarreEtat::BarreEtat(QVector<Panneau> panneaux, QWidget* parent)
    : QWidget(parent), panneaux_(std::move(panneaux)) {
    setFont(Polices::Etat());
}

void BarreEtat::DefinirTexte(int panneau, const QString& texte) {
    if (panneau < 0 || panneau >= NbPanneaux() || panneaux_[panneau].texte == texte) return;
    panneaux_[panneau].texte = texte;
    update(Rectangle(panneau));
}

QString BarreEtat::Texte(int panneau) const {
    return panneau >= 0 && panneau < NbPanneaux() ? panneaux_[panneau].texte : QString();
}

QRect BarreEtat::Rectangle(int panneau) const {
    int x = 0;
    for (int i = 0; i < panneau; ++i) x += panneaux_[i].largeur;
    const int largeur = panneau == NbPanneaux() - 1 ? width() - x : panneaux_[panneau].largeur;
    return QRect(x, 2, largeur - 2, height() - 2);
}

QRect BarreEtat::RectangleTexte(int panneau) const {
    return Rectangle(panneau).adjusted(3, 1, -3, -2);
}

void BarreEtat::paintEvent(QPaintEvent*) {
    QPainter peintre(this);
    peintre.fillRect(rect(), palette().window());
    const auto creux = [&](const QRect& r) {
        peintre.setPen(QColor(128, 128, 128));
        peintre.drawLine(r.topLeft(), r.topRight());
        peintre.drawLine(r.topLeft(), r.bottomLeft());
        peintre.setPen(Qt::white);
        peintre.drawLine(r.bottomLeft(), r.bottomRight());
        peintre.drawLine(r.topRight(), r.bottomRight());
    };
    if (panneaux_.isEmpty()) {
        creux(rect().adjusted(0, 2, -1, -1));
        return;
    }
    for (int i = 0; i < NbPanneaux(); ++i) {
        const QRect r = Rectangle(i).adjusted(0, 0, -1, -1);
        creux(r);
        peintre.setPen(Qt::black);
        peintre.drawText(RectangleTexte(i),
                         static_cast<int>(panneaux_[i].alignement | Qt::AlignVCenter),
                         panneaux_[i].texte);
    }
}

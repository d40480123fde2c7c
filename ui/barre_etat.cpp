// Status lines.
#include "barre_etat.h"

#include <QAccessibleWidget>
#include <QPainter>

#include "accessibilite.h"
#include "polices.h"

namespace {

// A panel: named by what it shows and by its text, which is also its value.
class PanneauAccessible : public ElementAccessible {
public:
    PanneauAccessible(BarreEtat* barre, int index) : ElementAccessible(barre, index) {}

    QString text(QAccessible::Text type) const override {
        if (!Barre()) return {};
        switch (type) {
        case QAccessible::Name:
            return Barre()->Nom(Index()) + (Barre()->Texte(Index()).isEmpty()
                                                ? QString()
                                                : QStringLiteral(" : ") + Barre()->Texte(Index()));
        case QAccessible::Value:
            return Barre()->Texte(Index());
        case QAccessible::Description:
            return Barre()->Nom(Index());
        default:
            return {};
        }
    }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override {
        QAccessible::State etat;
        etat.readOnly = true;
        etat.invisible = !Barre() || !Barre()->isVisible();
        return etat;
    }

protected:
    QRect Rectangle() const override { return Barre()->Rectangle(Index()); }

private:
    BarreEtat* Barre() const { return static_cast<BarreEtat*>(Widget()); }
};

class BarreAccessible : public QAccessibleWidget {
public:
    explicit BarreAccessible(BarreEtat* barre)
        : QAccessibleWidget(barre, QAccessible::StatusBar),
          panneaux_(barre->NbPanneaux(),
                    [barre](int index) { return new PanneauAccessible(barre, index); }) {}

    int childCount() const override { return panneaux_.Nombre(); }
    QAccessibleInterface* child(int index) const override { return panneaux_.Element(index); }
    int indexOfChild(const QAccessibleInterface* enfant) const override {
        return panneaux_.Index(enfant);
    }

private:
    ElementsAccessibles panneaux_;
};

QAccessibleInterface* FabriqueAccessible(const QString& classe, QObject* objet) {
    if (classe == QLatin1String("BarreEtat") && objet && objet->isWidgetType())
        return new BarreAccessible(static_cast<BarreEtat*>(objet));
    return nullptr;
}

} // namespace

BarreEtat::BarreEtat(QVector<Panneau> panneaux, QWidget* parent)
    : QWidget(parent), panneaux_(std::move(panneaux)) {
    static const bool fabrique = (QAccessible::installFactory(FabriqueAccessible), true);
    Q_UNUSED(fabrique);
    setFont(Polices::Etat(echelle_));
}

void BarreEtat::DefinirTexte(int panneau, const QString& texte) {
    if (panneau < 0 || panneau >= NbPanneaux() || panneaux_[panneau].texte == texte) return;
    panneaux_[panneau].texte = texte;
    update(Rectangle(panneau));
    QAccessibleEvent nom(this, QAccessible::NameChanged);
    nom.setChild(panneau);
    QAccessible::updateAccessibility(&nom);
}

QString BarreEtat::Texte(int panneau) const {
    return panneau >= 0 && panneau < NbPanneaux() ? panneaux_[panneau].texte : QString();
}

QString BarreEtat::Nom(int panneau) const {
    return panneau >= 0 && panneau < NbPanneaux() ? panneaux_[panneau].nom : QString();
}

void BarreEtat::DefinirEchelle(int echelle) {
    if (echelle < 1 || echelle == echelle_) return;
    echelle_ = echelle;
    setFont(Polices::Etat(echelle_));
    update();
}

QRect BarreEtat::Rectangle(int panneau) const {
    int x = 0;
    for (int i = 0; i < panneau; ++i) x += panneaux_[i].largeur * echelle_;
    const int largeur =
        panneau == NbPanneaux() - 1 ? width() - x : panneaux_[panneau].largeur * echelle_;
    return QRect(x, 2 * echelle_, largeur - 2 * echelle_, height() - 2 * echelle_);
}

QRect BarreEtat::RectangleTexte(int panneau) const {
    const int e = echelle_;
    return Rectangle(panneau).adjusted(3 * e, e, -3 * e, -2 * e);
}

void BarreEtat::paintEvent(QPaintEvent*) {
    QPainter peintre(this);
    peintre.fillRect(rect(), palette().window());
    // A sunken box: its edges one pixel of the factor wide.
    const int e = echelle_;
    const auto creux = [&](const QRect& r) {
        const QColor ombre(128, 128, 128);
        peintre.fillRect(r.left(), r.top(), r.width(), e, ombre);
        peintre.fillRect(r.left(), r.top(), e, r.height(), ombre);
        peintre.fillRect(r.left(), r.bottom() + 1 - e, r.width(), e, Qt::white);
        peintre.fillRect(r.right() + 1 - e, r.top(), e, r.height(), Qt::white);
    };
    if (panneaux_.isEmpty()) {
        creux(rect().adjusted(0, 2 * e, -e, -e));
        return;
    }
    for (int i = 0; i < NbPanneaux(); ++i) {
        creux(Rectangle(i).adjusted(0, 0, -e, -e));
        peintre.setPen(Qt::black);
        peintre.drawText(RectangleTexte(i),
                         static_cast<int>(panneaux_[i].alignement | Qt::AlignVCenter),
                         panneaux_[i].texte);
    }
}

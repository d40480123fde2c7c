// The occupation gauge.
#include "jauge.h"

#include <QAccessibleWidget>
#include <QPainter>
#include <algorithm>

#include "rules/textes.h"

namespace {

class JaugeAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit JaugeAccessible(JaugeOccupation* jauge)
        : QAccessibleWidget(jauge, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text type) const override {
        switch (type) {
        case QAccessible::Name:
            return QString::fromUtf8(Textes::Occupation);
        case QAccessible::Value:
            return QStringLiteral("%1 %").arg(Jauge()->Pourcentage());
        default:
            // The description is the tooltip.
            return QAccessibleWidget::text(type);
        }
    }

    QVariant currentValue() const override { return Jauge()->Progression(); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return Jauge()->Maximum(); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    JaugeOccupation* Jauge() const { return static_cast<JaugeOccupation*>(widget()); }
};

QAccessibleInterface* FabriqueAccessible(const QString& classe, QObject* objet) {
    if (classe == QLatin1String("JaugeOccupation") && objet && objet->isWidgetType())
        return new JaugeAccessible(static_cast<JaugeOccupation*>(objet));
    return nullptr;
}

} // namespace

JaugeOccupation::JaugeOccupation(QWidget* parent) : QWidget(parent) {
    static const bool fabrique = (QAccessible::installFactory(FabriqueAccessible), true);
    Q_UNUSED(fabrique);
}

void JaugeOccupation::Definir(int maximum, int progression, const QString& bulle) {
    const bool nouvelleBulle = bulle != toolTip();
    setToolTip(bulle);
    maximum_ = maximum;
    progression_ = progression;
    repaint();
    if (nouvelleBulle) {
        QAccessibleEvent description(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&description);
    }
    QAccessibleValueChangeEvent valeur(this, progression_);
    QAccessible::updateAccessibility(&valeur);
}

int JaugeOccupation::Pourcentage() const {
    if (maximum_ <= 0) return 0;
    const long long p = 100LL * progression_ / maximum_;
    return static_cast<int>(std::clamp(p, 0LL, 100LL));
}

void JaugeOccupation::paintEvent(QPaintEvent*) {
    QPainter peintre(this);
    const int rouge = height() * Pourcentage() / 100;
    peintre.fillRect(0, 0, width(), height() - rouge, QColor(0, 0, 255));
    peintre.fillRect(0, height() - rouge, width(), rouge, QColor(255, 0, 0));
}

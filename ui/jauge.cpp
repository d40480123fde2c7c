// The occupation gauge.
#include "jauge.h"

#include <QPainter>
#include <algorithm>

JaugeOccupation::JaugeOccupation(QWidget* parent) : QWidget(parent) {}

void JaugeOccupation::Definir(int maximum, int progression) {
    maximum_ = maximum;
    progression_ = progression;
    repaint();
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

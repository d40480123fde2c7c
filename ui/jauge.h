// The vertical occupation gauge: Rouges' share in red from the bottom, Bleus' in blue above. Read
// by assistive technologies as a progress bar named "Occupation", its tooltip as description.
#pragma once

#include <QWidget>

class JaugeOccupation : public QWidget {
    Q_OBJECT
public:
    explicit JaugeOccupation(QWidget* parent = nullptr);

    // The range 0..maximum, the progress and the tooltip; repainted at once.
    void Definir(int maximum, int progression, const QString& bulle);
    int Maximum() const { return maximum_; }
    int Progression() const { return progression_; }
    // The whole percentage of the progress, rounded down; 0 for an empty range.
    int Pourcentage() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int maximum_ = 100;
    int progression_ = 50;
};

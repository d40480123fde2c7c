// The match sheet: the history of the game, turn by turn, read once when it opens.
#pragma once

#include "dialogue.h"

#include "game/jeu.h"

class QLabel;
class QTableWidget;

class TFormFeuilleDeMatch : public DialogueOvane {
    Q_OBJECT
public:
    explicit TFormFeuilleDeMatch(const jeu& j, QWidget* parent = nullptr);

    QLabel* PanelBleus = nullptr;
    QLabel* PanelRouges = nullptr;
    // Row 0 is the fixed heading row and column 0 the fixed column of turn numbers.
    QTableWidget* StringGridFeuilleDeMatch = nullptr;

    // The text of the sheet's cell (column, row), heading row and turn column included.
    QString Cellule(int colonne, int ligne) const;
    int NbLignes() const;

private:
    void FormCreate(const jeu& j);
    void Ecrire(int colonne, int ligne, const QString& texte);
};

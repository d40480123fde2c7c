// The real message boxes and file dialogs.
#include "boites.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon IconeQt(Icone icone) {
    switch (icone) {
    case Icone::Arret:
        return QMessageBox::Critical;
    case Icone::Exclamation:
        return QMessageBox::Warning;
    case Icone::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

const QString Filtre = QStringLiteral("Parties d'Ovane (*.ovn);;Tous fichiers (*)");

std::optional<QString> Executer(QFileDialog& dialogue) {
    dialogue.setNameFilter(Filtre);
    dialogue.setDefaultSuffix(QStringLiteral("ovn"));
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
        return std::nullopt;
    return dialogue.selectedFiles().constFirst();
}

} // namespace

void BoitesQt::Afficher(QWidget* parent, const QString& texte, const QString& titre, Icone icone) {
    QMessageBox boite(IconeQt(icone), titre, texte, QMessageBox::Ok, parent);
    boite.exec();
}

std::optional<QString> DialoguesQt::Ouvrir(QWidget* parent) {
    QFileDialog dialogue(parent, QStringLiteral("Ouvrir une partie"));
    dialogue.setAcceptMode(QFileDialog::AcceptOpen);
    dialogue.setFileMode(QFileDialog::ExistingFile);
    return Executer(dialogue);
}

std::optional<QString> DialoguesQt::Enregistrer(QWidget* parent, const QString& nom) {
    QFileDialog dialogue(parent, QStringLiteral("Enregistrer la partie en cours"));
    dialogue.setAcceptMode(QFileDialog::AcceptSave);
    // An existing file is replaced without a question, as players of this game expect.
    dialogue.setOption(QFileDialog::DontConfirmOverwrite);
    if (!nom.isEmpty()) dialogue.selectFile(nom);
    return Executer(dialogue);
}

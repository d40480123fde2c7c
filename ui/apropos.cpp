// The About box.
#include "apropos.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "platform/version.h"
#include "rules/textes.h"

TFormAPropos::TFormAPropos(const QString& programme, QWidget* parent)
    // No close box and no cancel button: Enter presses Fermer, Escape does nothing.
    : DialogueOvane(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint, false) {
    setWindowTitle(QStringLiteral("À propos..."));
    setFixedSize(210, 113);
    IconeOvane = Etiquette({}, QRect(6, 9, 32, 32), this);
    IconeOvane->setPixmap(QPixmap(QStringLiteral(":/icons/ovane.xpm")));
    StaticTextOvane = Etiquette(QString::fromUtf8(Textes::Ovane), QRect(48, 7, 76, 40), this);
    QFont serif(QStringLiteral("Liberation Serif"));
    serif.setStyleHint(QFont::Serif);
    // Characters 32 pixels high from the top of the accents to the bottom of the descenders.
    serif.setPixelSize(29);
    StaticTextOvane->setFont(serif);
    StaticTextVersion = Etiquette(QStringLiteral("version "), QRect(126, 23, 83, 17), this);
    StaticTextAuteur = Etiquette(QStringLiteral("Le projet Ovane"), QRect(0, 48, 209, 17), this);
    StaticTextAuteur->setAlignment(Qt::AlignCenter);
    ButtonFermer = new QPushButton(QStringLiteral("&Fermer"), this);
    ButtonFermer->setGeometry(72, 80, 65, 25);
    ButtonFermer->setDefault(true);
    ButtonFermer->setFocus();
    connect(ButtonFermer, &QPushButton::clicked, this, &QDialog::accept);
    Timer = new QTimer(this);
    Timer->setSingleShot(true);
    connect(Timer, &QTimer::timeout, this, &QDialog::accept);
    Timer->start(3000);
    FormShow(programme);
}

void TFormAPropos::FormShow(const QString& programme) {
    const auto version = VersionDuProgramme(programme);
    if (version) StaticTextVersion->setText(StaticTextVersion->text() + *version);
}

void AfficherAPropos(QWidget* parent, const QString& programme) {
    TFormAPropos boite(programme, parent);
    boite.exec();
}

// Parts of widgets and announcements, for assistive technologies.
#include "accessibilite.h"

#include <QAccessibleWidget>
#include <algorithm>

namespace {

constexpr const char* NomAnnonce = "annonce";

// The announcement's widget is read as a notification, which screen readers speak as it shows.
QAccessibleInterface* FabriqueAnnonce(const QString& classe, QObject* objet) {
    if (classe == QLatin1String("QWidget") && objet && objet->isWidgetType() &&
        objet->objectName() == QLatin1String(NomAnnonce))
        return new QAccessibleWidget(static_cast<QWidget*>(objet), QAccessible::Notification);
    return nullptr;
}

} // namespace

QWindow* ElementAccessible::window() const {
    return widget_ ? widget_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* ElementAccessible::parent() const {
    return QAccessible::queryAccessibleInterface(widget_.data());
}

QRect ElementAccessible::rect() const {
    if (!widget_) return {};
    const QRect r = Rectangle();
    return QRect(widget_->mapToGlobal(r.topLeft()), r.size());
}

ElementsAccessibles::ElementsAccessibles(int nombre,
                                         std::function<QAccessibleInterface*(int)> creer)
    : creer_(std::move(creer)), ids_(static_cast<std::size_t>(nombre), 0) {}

ElementsAccessibles::~ElementsAccessibles() {
    for (const QAccessible::Id id : ids_)
        if (id) QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* ElementsAccessibles::Element(int index) const {
    if (index < 0 || index >= Nombre()) return nullptr;
    QAccessible::Id& id = ids_[static_cast<std::size_t>(index)];
    if (!id) id = QAccessible::registerAccessibleInterface(creer_(index));
    return QAccessible::accessibleInterface(id);
}

int ElementsAccessibles::Index(const QAccessibleInterface* element) const {
    const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface*>(element));
    const auto trouve = std::find(ids_.begin(), ids_.end(), id);
    return trouve == ids_.end() ? -1 : static_cast<int>(trouve - ids_.begin());
}

void Annoncer(QWidget* fenetre, const QString& texte) {
    static const bool fabrique = (QAccessible::installFactory(FabriqueAnnonce), true);
    Q_UNUSED(fabrique);
    auto* annonce =
        fenetre->findChild<QWidget*>(QLatin1String(NomAnnonce), Qt::FindDirectChildrenOnly);
    if (!annonce) {
        // A pixel under the other widgets, never in the way of the mouse.
        annonce = new QWidget(fenetre);
        annonce->setObjectName(QLatin1String(NomAnnonce));
        annonce->setAttribute(Qt::WA_TransparentForMouseEvents);
        annonce->setGeometry(0, 0, 1, 1);
        annonce->lower();
    }
    // Hidden, then shown again with its new text: the reader hears it as it shows.
    annonce->hide();
    annonce->setAccessibleName(texte);
    annonce->setVisible(fenetre->isVisible());
}

// What assistive technologies read of the parts a widget draws itself (the cells of the board,
// the panels of a status line), and the announcements a screen reader speaks on its own.
#pragma once

#include <QAccessibleInterface>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

// One part drawn inside a widget: no object of its own, its widget's interface as parent.
class ElementAccessible : public QAccessibleInterface {
public:
    ElementAccessible(QWidget* widget, int index) : widget_(widget), index_(index) {}

    bool isValid() const override { return !widget_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;

protected:
    // The part's place in its widget's coordinates.
    virtual QRect Rectangle() const = 0;
    QWidget* Widget() const { return widget_.data(); }
    int Index() const { return index_; }

private:
    QPointer<QWidget> widget_;
    int index_;
};

// The parts of one widget, made and registered when first asked for, released with it.
class ElementsAccessibles {
public:
    ElementsAccessibles(int nombre, std::function<QAccessibleInterface*(int index)> creer);
    ~ElementsAccessibles();
    ElementsAccessibles(const ElementsAccessibles&) = delete;
    ElementsAccessibles& operator=(const ElementsAccessibles&) = delete;

    int Nombre() const { return static_cast<int>(ids_.size()); }
    QAccessibleInterface* Element(int index) const;
    int Index(const QAccessibleInterface* element) const;

private:
    std::function<QAccessibleInterface*(int)> creer_;
    mutable std::vector<QAccessible::Id> ids_;
};

// Says the text to whoever listens, a screen reader at once, without moving the focus: a
// notification shown for a moment in the window's accessible tree.
void Annoncer(QWidget* fenetre, const QString& texte);

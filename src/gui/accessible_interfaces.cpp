// SPDX-License-Identifier: Apache-2.0
#include "gui/accessible_interfaces.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QVariant>
#include <QWidget>
#include <mutex>

namespace kc {
namespace {

constexpr const char* kKindProperty = "kcAccessibleKind";
constexpr const char* kHiddenProperty = "kcAccessibleHidden";
constexpr const char* kValueProperty = "kcAccessibleValue";

QString ValueOf(const QObject* object) {
    return object->property(kValueProperty).toString();
}

// A label showing a value. Its name is that of its caption (the label whose
// buddy it is); its value, and the words its text interface gives, are the
// value without what only the layout needs.
class ReadOnlyValueAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit ReadOnlyValueAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text type) const override {
        return type == QAccessible::Value ? ValueOf(object()) : QAccessibleWidget::text(type);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }

    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override {
        return ValueOf(object()).mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(ValueOf(object()).size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return {};
    }
};

// A checkable button read as a radio button although the program, not the
// button, keeps the options exclusive.
class PortOptionAccessible : public QAccessibleWidget {
  public:
    explicit PortOptionAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::RadioButton) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = button()->isChecked();
        return state;
    }
    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (widget()->isEnabled())
            names.prepend(toggleAction());
        return names;
    }
    void doAction(const QString& action) override {
        // A click, as a person's, so that the window's handler decides.
        if (action == toggleAction() && widget()->isEnabled())
            button()->click();
        else
            QAccessibleWidget::doAction(action);
    }

  private:
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
};

// A tool bar whose children marked hidden are left out of its children.
class ToolBarAccessible : public QAccessibleWidget {
  public:
    explicit ToolBarAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::ToolBar) {}

    int childCount() const override { return int(children().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> kids = children();
        return index >= 0 && index < kids.size() ? QAccessible::queryAccessibleInterface(kids[index])
                                                 : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child)
            return -1;
        return int(children().indexOf(qobject_cast<QWidget*>(child->object())));
    }

  private:
    QList<QWidget*> children() const {
        QList<QWidget*> kids;
        for (QObject* object : widget()->children()) {
            auto* kid = qobject_cast<QWidget*>(object);
            if (kid && !kid->isWindow() && !kid->property(kHiddenProperty).toBool())
                kids.append(kid);
        }
        return kids;
    }
};

QAccessibleInterface* MakeInterface(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    const QVariant kind = widget ? widget->property(kKindProperty) : QVariant();
    if (!kind.isValid())
        return nullptr;
    switch (AccessibleKind(kind.toInt())) {
    case AccessibleKind::ReadOnlyValue:
        return new ReadOnlyValueAccessible(widget);
    case AccessibleKind::PortOption:
        return new PortOptionAccessible(widget);
    case AccessibleKind::ToolBar:
        return new ToolBarAccessible(widget);
    }
    return nullptr;
}

} // namespace

void SetAccessibleKind(QWidget& widget, AccessibleKind kind) {
    // Installed after the application's own factory, so it is asked first.
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(&MakeInterface); });
    widget.setProperty(kKindProperty, int(kind));
    // With a screen reader running, building the widget may already have
    // asked for Qt's reading of it, which would stay in the cache.
    if (QAccessibleInterface* cached = QAccessible::queryAccessibleInterface(&widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cached));
}

void HideFromAccessibility(QWidget& widget) {
    widget.setProperty(kHiddenProperty, true);
}

void SetAccessibleValueText(QWidget& widget, const QString& value) {
    const QVariant old = widget.property(kValueProperty);
    if (old.isValid() && old.toString() == value)
        return;
    widget.setProperty(kValueProperty, value);
    QAccessibleValueChangeEvent changed(&widget, value);
    QAccessible::updateAccessibility(&changed);
    QAccessibleTextUpdateEvent words(&widget, 0, old.toString(), value);
    QAccessible::updateAccessibility(&words);
}

} // namespace kc

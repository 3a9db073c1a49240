#include "TableButton.h"

#include "data/degiskenler.h"
#include "platform/ui/Colors.h"

#include <QDynamicPropertyChangeEvent>
#include <QEvent>
#include <QKeyEvent>

TableButton::TableButton(QWidget* parent) : QPushButton(parent)
{
    // Tab and the arrow keys walk the tables, Space or Enter selects one; a
    // touch does not move the focus.
    setFocusPolicy(Qt::TabFocus);
    setAutoDefault(false);
}

void TableButton::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void TableButton::setFaceColorValue(qint64 value)
{
    face_ = ui::colorFromValue(value);
    applyLook();
}

void TableButton::setTextColorValue(qint64 value)
{
    text_ = ui::colorFromValue(value);
    applyLook();
}

bool TableButton::event(QEvent* event)
{
    if (event->type() == QEvent::DynamicPropertyChange) {
        const auto* change = static_cast<QDynamicPropertyChangeEvent*>(event);
        if (change->propertyName() == TableButtonFaceProperty) {
            const QVariant value = property(TableButtonFaceProperty);
            if (value.isValid())
                setFaceColorValue(value.toLongLong());
            return true;
        }
    }
    return QPushButton::event(event);
}

void TableButton::applyLook()
{
    QPalette p = palette();
    if (face_)
        p.setColor(QPalette::Button, *face_);
    if (text_.isValid())
        p.setColor(QPalette::ButtonText, text_);
    setPalette(p);

    // Not every style paints a button face in the palette's colour; a style
    // sheet does, and a pressed table darkens so a finger sees the touch.
    QString sheet;
    if (face_) {
        sheet += QStringLiteral("QPushButton { background-color: %1; border: 1px solid %2; border-radius: 4px; ")
                     .arg(face_->name(), face_->darker(150).name());
        if (text_.isValid())
            sheet += QStringLiteral("color: %1; ").arg(text_.name());
        sheet += QStringLiteral("} QPushButton:pressed { background-color: %1; }").arg(face_->darker(130).name());
        // The style's focus frame is not drawn on a styled face: a thick
        // frame in the caption colour shows which table the keys act on.
        sheet += QStringLiteral(" QPushButton:focus { border: 3px solid %1; }")
                     .arg(text_.isValid() ? text_.name() : QStringLiteral("black"));
    } else if (text_.isValid()) {
        sheet = QStringLiteral("QPushButton { color: %1; }").arg(text_.name());
    }
    setStyleSheet(sheet);
}

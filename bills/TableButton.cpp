#include "TableButton.h"

#include "data/degiskenler.h"
#include "platform/ui/Colors.h"

#include <QDynamicPropertyChangeEvent>
#include <QEvent>

TableButton::TableButton(QWidget* parent) : QPushButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAutoDefault(false);
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
    } else if (text_.isValid()) {
        sheet = QStringLiteral("QPushButton { color: %1; }").arg(text_.name());
    }
    setStyleSheet(sheet);
}

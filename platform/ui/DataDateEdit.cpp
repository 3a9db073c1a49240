#include "DataDateEdit.h"

#include "platform/db/Field.h"

#include <QLocale>

namespace ui {

namespace {

const QDate emptyDate(1900, 1, 1);

}  // namespace

DataDateEdit::DataDateEdit(QWidget* parent) : QDateEdit(parent), DataControl(this, [this] { fill(); })
{
    setCalendarPopup(true);
    setMinimumDate(emptyDate);
    setSpecialValueText(QStringLiteral(" "));
    setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    connect(this, &QDateEdit::dateChanged, this, &DataDateEdit::userChanged);
}

DataDateEdit::DataDateEdit(db::DataSource* source, const QString& fieldName, QWidget* parent)
    : DataDateEdit(parent)
{
    bind(source, fieldName);
}

QDate DataDateEdit::shownDate() const
{
    return date() == emptyDate ? QDate() : date();
}

void DataDateEdit::fill()
{
    db::Field* f = field();
    setReadOnly(!link().canModify());
    QDate shown;
    if (f && link().hasRow() && !f->isNull()) {
        if (f->type() == db::FieldType::Text)
            shown = QLocale().toDate(f->asString(), QLocale::ShortFormat);
        else
            shown = f->asDateTime().date();
    }
    setDate(shown.isValid() ? shown : emptyDate);
}

void DataDateEdit::userChanged(const QDate& date)
{
    if (link().filling())
        return;
    db::Field* f = field();
    if (!f)
        return;
    if (date == emptyDate || !date.isValid()) {
        link().write(QVariant());
        return;
    }
    switch (f->type()) {
    case db::FieldType::Timestamp: {
        const QTime time = f->isNull() ? QTime(0, 0) : f->asDateTime().time();
        link().write(QDateTime(date, time));
        break;
    }
    case db::FieldType::Text: link().write(QLocale().toString(date, QLocale::ShortFormat)); break;
    default: link().write(date); break;
    }
}

}  // namespace ui

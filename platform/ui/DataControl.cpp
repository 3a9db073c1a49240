#include "DataControl.h"

#include "ErrorHandler.h"

#include "platform/db/DataSource.h"
#include "platform/db/Dataset.h"
#include "platform/db/Field.h"

#include <QLabel>
#include <QWidget>

namespace ui {

FieldLink::FieldLink(QWidget* control, std::function<void()> fill)
    : QObject(control), control_(control), fill_(std::move(fill))
{
}

void FieldLink::bind(db::DataSource* source, const QString& fieldName)
{
    QObject::disconnect(sourceConnection_);
    source_ = source;
    fieldName_ = fieldName;
    if (source_)
        sourceConnection_ = connect(source_, &db::DataSource::datasetChanged, this, &FieldLink::attach);
    attach();
}

void FieldLink::attach()
{
    for (const auto& c : datasetConnections_)
        QObject::disconnect(c);
    datasetConnections_.clear();
    dataset_ = source_ ? source_->dataset() : nullptr;
    if (db::Dataset* d = dataset_) {
        const auto follow = [this] { refresh(); };
        datasetConnections_ << connect(d, &db::Dataset::rowsReset, this, follow)
                            << connect(d, &db::Dataset::currentChanged, this, follow)
                            << connect(d, &db::Dataset::stateChanged, this, follow)
                            << connect(d, &db::Dataset::rowUpdated, this,
                                       [this](int row) {
                                           if (dataset_ && row == dataset_->recNo())
                                               refresh();
                                       })
                            << connect(d, &QObject::destroyed, this, [this] {
                                   dataset_ = nullptr;
                                   refresh();
                               });
    }
    refresh();
}

db::DataSource* FieldLink::dataSource() const
{
    return source_;
}

db::Dataset* FieldLink::dataset() const
{
    return dataset_;
}

db::Field* FieldLink::field() const
{
    db::Dataset* d = dataset_;
    if (!d || !d->active() || fieldName_.isEmpty())
        return nullptr;
    db::Field* f = d->findField(fieldName_);
    return f && f->index() >= 0 ? f : nullptr;
}

bool FieldLink::hasRow() const
{
    db::Dataset* d = dataset_;
    return d && d->active() && d->recNo() >= 0;
}

bool FieldLink::canModify() const
{
    db::Field* f = field();
    return f && !f->readOnly() && dataset_->canModify();
}

void FieldLink::refresh()
{
    // The control keeps what the user typed while its own value goes in.
    if (writing_ || !fill_)
        return;
    filling_ = true;
    fill_();
    filling_ = false;
}

void FieldLink::writeValue(const QVariant& value)
{
    db::Field* f = field();
    if (!f)
        return;
    db::Dataset* d = dataset_;
    if (!d->isEditing())
        d->edit();
    f->setValue(value);
}

bool FieldLink::write(const QVariant& value)
{
    if (!field())
        return false;
    writing_ = true;
    try {
        writeValue(value);
    } catch (...) {
        writing_ = false;
        reportCurrentException();
        refresh();
        return false;
    }
    writing_ = false;
    return true;
}

bool FieldLink::tryWrite(const QVariant& value)
{
    if (!field())
        return false;
    writing_ = true;
    bool written = true;
    try {
        writeValue(value);
    } catch (...) {
        written = false;
    }
    writing_ = false;
    return written;
}

QString plainCaption(const QString& caption)
{
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
            ++i;  // "&&" is a literal ampersand; "&K" marks K
        }
        plain += caption[i];
    }
    return plain;
}

void labelControl(QLabel* label, QWidget* control)
{
    label->setBuddy(control);
    control->setAccessibleName(plainCaption(label->text()).trimmed());
}

}  // namespace ui

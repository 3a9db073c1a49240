#include "Form.h"

#include "ErrorHandler.h"

#include <QCloseEvent>

namespace ui {

Form::Form(QWidget* owner) : QDialog(owner) {}

void Form::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    guarded([this] { formShow(); });
}

void Form::closeEvent(QCloseEvent* event)
{
    bool allowed = false;
    guarded([&] { allowed = formClose(); });
    if (!allowed) {
        event->ignore();
        return;
    }
    closing_ = true;
    QDialog::closeEvent(event);  // hides the window through reject() and done()
    closing_ = false;
    closingResult_ = QDialog::Rejected;
}

void Form::done(int result)
{
    if (closing_) {
        QDialog::done(closingResult_);
        return;
    }
    closingResult_ = result;
    if (!close())
        closingResult_ = QDialog::Rejected;
}

}  // namespace ui

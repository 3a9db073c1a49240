#pragma once

#include <QDialog>

namespace ui {

// Base of the program's windows. A window is shown once (each command makes
// a new one), so formShow runs once; every way of closing it (its close box,
// Escape, close()) goes through formClose, which may keep it open. Errors of
// either handler are shown in the error box: a failed close handler keeps the
// window open.
class Form : public QDialog {
    Q_OBJECT

public:
    explicit Form(QWidget* owner = nullptr);

protected:
    virtual void formShow() {}
    // Returns false to keep the window open.
    virtual bool formClose() { return true; }

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

public:
    // accept(), reject() and Escape close the window like its close box.
    void done(int result) override;

private:
    bool shown_ = false;
    bool closing_ = false;
    int closingResult_ = QDialog::Rejected;
};

}  // namespace ui

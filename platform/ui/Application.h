#pragma once

#include <QApplication>

namespace ui {

// The program's application object. An exception that escapes any event
// handler is shown in the standard error box and the event is dropped, so a
// failed command stops while the program goes on: exceptions never unwind
// through Qt's event loop.
class Application : public QApplication {
    Q_OBJECT

public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Loads Qt's Turkish texts ("Evet", "Hayır", "Tamam", "İptal") for the
    // buttons of its own dialogs. False when the translation is not installed.
    static bool installQtTranslation();
};

}  // namespace ui

#pragma once

#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;

// The main window: the banner, the toolbar of the program's commands and a
// picture. Every command opens its window modally, afresh each time. The
// data module and the login window come up when the window is first shown.
class TL_AnaMenu : public QMainWindow {
    Q_OBJECT

public:
    explicit TL_AnaMenu(QWidget* parent = nullptr);
    ~TL_AnaMenu() override;

    QLabel* Banner;
    QToolBar* ToolBar1;
    QToolButton* ToolButton1;
    QToolButton* ToolButton2;
    QToolButton* ToolButton3;
    QToolButton* ToolButton4;
    QToolButton* ToolButton6;
    QToolButton* ToolButton5;
    QToolButton* ToolButton7;
    QLabel* cxImage1;
    QMenu* PopupMenu2;
    QAction* MasaListesi1;
    QAction* GenelAyarla1;
    QAction* N2;
    QAction* StokBirim1;
    QAction* StokGrup1;

    // Creates the data module and shows the login window; runs once.
    void FormShow();

    void ToolButton1Click();
    void ToolButton2Click();
    void ToolButton3Click();
    void ToolButton6Click();
    void ToolButton5Click();
    void ToolButton7Click();
    void MasaListesi1Click();
    void GenelAyarla1Click();
    void StokBirim1Click();
    void StokGrup1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QToolButton* addCommand(const QString& name, const QString& caption, const QString& icon);
    // After a work window closed, nothing is half-way: a good moment to end
    // the long-running transaction and start afresh.
    void afterWindow();

    bool shown_ = false;
    bool formShowDone_ = false;
};

// The main window of the running program.
extern TL_AnaMenu* L_AnaMenu;

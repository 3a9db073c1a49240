#include "DesignerWindow.h"

#include "BandLayout.h"
#include "DesignerScene.h"
#include "DesignerView.h"
#include "MemoEditor.h"
#include "PropertyPanel.h"
#include "ReportDesigner.h"

#include "platform/report/MemoView.h"
#include "platform/report/PictureView.h"
#include "platform/report/Report.h"
#include "platform/report/ReportTemplate.h"
#include "platform/report/TemplateReader.h"
#include "platform/report/TemplateWriter.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ErrorHandler.h"
#include "platform/ui/Modal.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace report {

namespace {

const QString windowCaption = QStringLiteral("Rapor Tasarımı");

// The order of the band menu: top to bottom as bands stand on a page.
constexpr ReportBand::Kind bandKinds[] = {
    ReportBand::ReportTitle, ReportBand::PageHeader, ReportBand::Header,     ReportBand::GroupHeader,
    ReportBand::MasterData,  ReportBand::DetailData, ReportBand::GroupFooter, ReportBand::Footer,
    ReportBand::Child,       ReportBand::ReportSummary, ReportBand::PageFooter};

// Bands the engine prints only once per page.
bool isSingleton(ReportBand::Kind kind)
{
    return kind == ReportBand::ReportTitle || kind == ReportBand::PageHeader || kind == ReportBand::PageFooter
        || kind == ReportBand::ReportSummary;
}

QString millimetres(double units)
{
    return QLocale().toString(units / UnitsPerMm, 'f', 1);
}

}  // namespace

DesignerWindow::DesignerWindow(Report& report, const ReportDesigner& designer, QWidget* owner)
    : ui::Form(owner), report_(report), designer_(designer)
{
    setSizeGripEnabled(true);
    resize(1180, 820);
    if (designer_.defaults().rightToLeft)
        setLayoutDirection(Qt::RightToLeft);

    rememberSaved();
    if (report_.isEmpty()) {
        designer_.startNewReport(report_.reportTemplate());
        startedNew_ = true;
    }
    document_ = new DesignerDocument(report_, this);
    scene_ = new DesignerScene(*document_, this);
    view_ = new DesignerView(*scene_);
    panel_ = new PropertyPanel(*document_);
    buildActions();
    buildLayout();

    connect(document_, &DesignerDocument::changed, this, &DesignerWindow::documentChanged);
    connect(document_, &DesignerDocument::selectionChanged, this, &DesignerWindow::selectionChanged);
    connect(document_, &DesignerDocument::currentPageChanged, this, [this] {
        scene_->rebuild();
        updatePageTabs();
        view_->showPageTop();
    });
    connect(view_, &DesignerView::editRequested, this, [this](ReportView* view) {
        ui::guarded([&] { editMemoText(qobject_cast<MemoView*>(view)); });
    });
    connect(view_, &DesignerView::viewInserted, this, [this](ReportView* view) {
        if (auto* picture = qobject_cast<PictureView*>(view))
            ui::guarded([&] { choosePicture(picture); });
    });
    connect(view_, &DesignerView::insertKindChanged, this, [this] {
        for (const auto& [kind, action] : insertActions_)
            action->setChecked(view_->insertKind() == kind);
    });
    connect(panel_, &PropertyPanel::editTextRequested, this,
            [this](MemoView* memo) { ui::guarded([&] { editMemoText(memo); }); });
    connect(panel_, &PropertyPanel::pictureRequested, this,
            [this](PictureView* picture) { ui::guarded([&] { choosePicture(picture); }); });

    updatePageTabs();
    updateActions();
    updateTitle();
    updateStatus();
    view_->setFocus();
}

DesignerWindow::~DesignerWindow()
{
    // Editors that lose their focus while dying still write to the document:
    // they go first. The commands hold removed items; they go before the scene.
    delete panel_;
    delete view_;
    document_->clearHistory();
}

QAction* DesignerWindow::insertAction(DesignerDocument::ViewKind kind) const
{
    for (const auto& [k, action] : insertActions_) {
        if (k == kind)
            return action;
    }
    return nullptr;
}

QAction* DesignerWindow::addBandAction(ReportBand::Kind kind) const
{
    for (const auto& [k, action] : bandActions_) {
        if (k == kind)
            return action;
    }
    return nullptr;
}

void DesignerWindow::buildActions()
{
    auto make = [this](const QString& text, const QKeySequence& shortcut = {}) {
        auto* action = new QAction(text, this);
        if (!shortcut.isEmpty())
            action->setShortcut(shortcut);
        addAction(action);
        return action;
    };
    saveAction_ = make(QStringLiteral("Kaydet"), QKeySequence::Save);
    saveAsAction_ = make(QStringLiteral("Farklı Kaydet..."));
    previewAction_ = make(QStringLiteral("Önizleme"), QKeySequence(Qt::CTRL | Qt::Key_P));
    closeAction_ = make(QStringLiteral("Kapat"));
    undoAction_ = make(QStringLiteral("Geri Al"), QKeySequence::Undo);
    redoAction_ = make(QStringLiteral("Yinele"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    editTextAction_ = make(QStringLiteral("Metni Düzenle..."));
    selectAllAction_ = make(QStringLiteral("Tümünü Seç"));
    zoomInAction_ = make(QStringLiteral("Yakınlaştır"), QKeySequence::ZoomIn);
    zoomOutAction_ = make(QStringLiteral("Uzaklaştır"), QKeySequence::ZoomOut);
    zoomResetAction_ = make(QStringLiteral("Gerçek Boyut"));
    // Delete belongs to the page: in the property panel the key edits text.
    deleteAction_ = new QAction(QStringLiteral("Sil"), this);
    deleteAction_->setShortcut(QKeySequence::Delete);
    deleteAction_->setShortcutContext(Qt::WidgetShortcut);

    ui::connectGuarded(saveAction_, &QAction::triggered, this, [this] { save(); });
    ui::connectGuarded(saveAsAction_, &QAction::triggered, this, [this] { saveAs(); });
    ui::connectGuarded(previewAction_, &QAction::triggered, this, &DesignerWindow::preview);
    connect(closeAction_, &QAction::triggered, this, &QWidget::close);
    ui::connectGuarded(undoAction_, &QAction::triggered, this, [this] { document_->undo(); });
    ui::connectGuarded(redoAction_, &QAction::triggered, this, [this] { document_->redo(); });
    ui::connectGuarded(deleteAction_, &QAction::triggered, this, [this] { document_->deleteSelection(); });
    ui::connectGuarded(editTextAction_, &QAction::triggered, this,
                       [this] { editMemoText(qobject_cast<MemoView*>(document_->selectedItem())); });
    ui::connectGuarded(selectAllAction_, &QAction::triggered, this, [this] {
        QList<ReportItem*> all;
        for (ReportBand* band : document_->orderedBands()) {
            for (ReportView* view : band->views())
                all.append(view);
        }
        document_->setSelection(all);
    });
    connect(zoomInAction_, &QAction::triggered, this, [this] { view_->setZoom(view_->zoom() * 1.25); });
    connect(zoomOutAction_, &QAction::triggered, this, [this] { view_->setZoom(view_->zoom() * 0.8); });
    connect(zoomResetAction_, &QAction::triggered, this, [this] { view_->setZoom(1.0); });

    const QList<QPair<DesignerDocument::ViewKind, QString>> kinds = {
        {DesignerDocument::ViewKind::Memo, QStringLiteral("Metin")},
        {DesignerDocument::ViewKind::Line, QStringLiteral("Çizgi")},
        {DesignerDocument::ViewKind::Shape, QStringLiteral("Şekil")},
        {DesignerDocument::ViewKind::Picture, QStringLiteral("Resim")}};
    for (const auto& [kind, text] : kinds) {
        QAction* action = make(text);
        action->setCheckable(true);
        action->setToolTip(QStringLiteral("%1 ekle: sonra sayfada bir banda tıklayın").arg(text));
        // Captured by copy: clang before 16 cannot capture a structured binding.
        connect(action, &QAction::triggered, this, [this, kind = kind](bool on) {
            view_->setInsertKind(on ? std::optional(kind) : std::nullopt);
            view_->setFocus();
        });
        insertActions_.append({kind, action});
    }

    bandMenu_ = new QMenu(QStringLiteral("Bant Ekle"), this);
    for (ReportBand::Kind kind : bandKinds) {
        QAction* action = bandMenu_->addAction(band_layout::kindTitle(kind));
        ui::connectGuarded(action, &QAction::triggered, this, [this, kind] { document_->addBand(kind); });
        bandActions_.append({kind, action});
    }
}

void DesignerWindow::buildLayout()
{
    auto* menuBar = new QMenuBar;
    QMenu* file = menuBar->addMenu(QStringLiteral("Dosya"));
    file->addAction(saveAction_);
    file->addAction(saveAsAction_);
    file->addSeparator();
    file->addAction(previewAction_);
    file->addSeparator();
    file->addAction(closeAction_);
    QMenu* edit = menuBar->addMenu(QStringLiteral("Düzen"));
    edit->addAction(undoAction_);
    edit->addAction(redoAction_);
    edit->addSeparator();
    edit->addAction(deleteAction_);
    edit->addAction(editTextAction_);
    edit->addAction(selectAllAction_);
    QMenu* insert = menuBar->addMenu(QStringLiteral("Ekle"));
    for (const auto& entry : insertActions_)
        insert->addAction(entry.second);
    insert->addSeparator();
    insert->addMenu(bandMenu_);
    QMenu* look = menuBar->addMenu(QStringLiteral("Görünüm"));
    look->addAction(zoomInAction_);
    look->addAction(zoomOutAction_);
    look->addAction(zoomResetAction_);

    auto* tools = new QToolBar;
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tools->addAction(saveAction_);
    tools->addAction(previewAction_);
    tools->addSeparator();
    tools->addAction(undoAction_);
    tools->addAction(redoAction_);
    tools->addSeparator();
    for (const auto& entry : insertActions_)
        tools->addAction(entry.second);
    auto* bandButton = new QToolButton;
    bandButton->setText(QStringLiteral("Bant Ekle"));
    bandButton->setMenu(bandMenu_);
    bandButton->setPopupMode(QToolButton::InstantPopup);
    tools->addWidget(bandButton);
    tools->addSeparator();
    tools->addAction(deleteAction_);
    tools->addAction(editTextAction_);
    tools->addSeparator();
    tools->addAction(zoomOutAction_);
    tools->addAction(zoomResetAction_);
    tools->addAction(zoomInAction_);

    view_->addAction(deleteAction_);

    pageTabs_ = new QTabBar;
    pageTabs_->setAccessibleName(QStringLiteral("Sayfalar"));
    connect(pageTabs_, &QTabBar::currentChanged, this, [this](int index) { document_->setCurrentPage(index); });

    auto* pageArea = new QWidget;
    auto* pageLayout = new QVBoxLayout(pageArea);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->setSpacing(0);
    pageLayout->addWidget(pageTabs_);
    pageLayout->addWidget(view_, 1);

    auto* splitter = new QSplitter;
    splitter->addWidget(pageArea);
    splitter->addWidget(panel_);
    splitter->setStretchFactor(0, 1);
    splitter->setSizes({880, 380});

    auto* statusBar = new QStatusBar;
    status_ = new QLabel;
    statusBar->addWidget(status_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(tools);
    layout->addWidget(splitter, 1);
    layout->addWidget(statusBar);
}

void DesignerWindow::documentChanged()
{
    scene_->rebuild();
    panel_->refresh();
    updateActions();
    updateTitle();
    updateStatus();
}

void DesignerWindow::selectionChanged()
{
    scene_->update();
    panel_->rebuild();
    updateActions();
    updateStatus();
}

void DesignerWindow::updateActions()
{
    undoAction_->setEnabled(document_->undoStack().canUndo());
    redoAction_->setEnabled(document_->undoStack().canRedo());
    deleteAction_->setEnabled(!document_->selection().isEmpty());
    editTextAction_->setEnabled(qobject_cast<MemoView*>(document_->selectedItem()) != nullptr);
    const QList<ReportBand*> bands = document_->orderedBands();
    for (const auto& [kind, action] : bandActions_) {
        bool present = false;
        for (const ReportBand* band : bands)
            present = present || band->kind() == kind;
        action->setEnabled(document_->page() && !(isSingleton(kind) && present));
    }
}

void DesignerWindow::updateTitle()
{
    const QString file = report_.fileName().isEmpty() ? QStringLiteral("Yeni Rapor")
                                                      : QFileInfo(report_.fileName()).fileName();
    setWindowTitle(QStringLiteral("%1 - %2[*]").arg(windowCaption, file));
    setWindowModified(document_->isModified());
}

void DesignerWindow::updateStatus()
{
    ReportItem* item = document_->selectedItem();
    if (auto* view = qobject_cast<ReportView*>(item)) {
        status_->setText(QStringLiteral("%1   Sol: %2 mm   Üst: %3 mm   Genişlik: %4 mm   Yükseklik: %5 mm")
                             .arg(view->name(), millimetres(view->left()), millimetres(view->top()),
                                  millimetres(view->width()), millimetres(view->height())));
    } else if (auto* band = qobject_cast<ReportBand*>(item)) {
        status_->setText(QStringLiteral("%1   Yükseklik: %2 mm").arg(band_layout::caption(*band), millimetres(band->height())));
    } else if (!document_->selection().isEmpty()) {
        status_->setText(QStringLiteral("%1 nesne seçili").arg(document_->selection().size()));
    } else {
        status_->clear();
    }
}

void DesignerWindow::updatePageTabs()
{
    QSignalBlocker block(pageTabs_);
    while (pageTabs_->count() > 0)
        pageTabs_->removeTab(0);
    const QList<ReportPage*> pages = document_->pages();
    for (int i = 0; i < pages.size(); ++i)
        pageTabs_->addTab(pages[i]->name().isEmpty() ? QStringLiteral("Sayfa %1").arg(i + 1) : pages[i]->name());
    pageTabs_->setCurrentIndex(document_->currentPageIndex());
    // One page needs no tabs.
    pageTabs_->setVisible(pages.size() > 1);
}

// ---- saving ---------------------------------------------------------------------

void DesignerWindow::rememberSaved()
{
    saved_ = TemplateWriter::write(report_.reportTemplate());
    // A report that holds nothing goes back to nothing, not to a written empty root.
    savedEmpty_ = saved_ == TemplateWriter::write(ReportTemplate());
}

void DesignerWindow::restoreSaved()
{
    document_->clearHistory();
    scene_->clear();
    if (savedEmpty_) {
        report_.reportTemplate().clear();
        return;
    }
    // Read into the report's own template, so its file name stays as it is.
    const LoadResult result = TemplateReader::read(saved_, report_.reportTemplate());
    if (!result.ok)
        throw ReportError(result.message, result.line, result.column);
}

bool DesignerWindow::saveTo(const QString& path)
{
    try {
        report_.saveToFile(path);
        // What the next print loads must load: read the file back now.
        ReportTemplate check;
        const LoadResult result = TemplateReader::readFile(path, check);
        if (!result.ok)
            throw ReportError(result.toString());
    } catch (const ReportError& error) {
        ui::showMessage(QStringLiteral("Rapor kaydedilemedi.\r%1").arg(error.message()), QStringLiteral("Hata"),
                        ui::MessageIcon::Error);
        return false;
    }
    rememberSaved();
    startedNew_ = false;
    document_->setSaved();
    updateActions();
    updateTitle();
    return true;
}

void DesignerWindow::commitPendingEdit()
{
    // Line edits and spin boxes hand over their value when they lose the focus.
    QWidget* focused = QApplication::focusWidget();
    if (focused && panel_->isAncestorOf(focused)) {
        focused->clearFocus();
        focused->setFocus();
    }
}

bool DesignerWindow::save()
{
    commitPendingEdit();
    if (report_.fileName().isEmpty())
        return saveAs();
    return saveTo(report_.fileName());
}

bool DesignerWindow::saveAs()
{
    commitPendingEdit();
    const QString extension = designer_.defaults().templateExtension;
    const QString suggested = report_.fileName().isEmpty() ? QStringLiteral("Rapor.%1").arg(extension)
                                                           : report_.fileName();
    QString path = designer_.saveFileNameHandler()(this, suggested);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + extension;
    return saveTo(path);
}

void DesignerWindow::formShow()
{
    view_->showPageTop();
}

bool DesignerWindow::formClose()
{
    commitPendingEdit();
    if (document_->isModified()) {
        const ui::DialogButton answer = ui::dialogs().messageBox(
            QStringLiteral("Rapor değiştirildi.\rDeğişiklikler kaydedilsin mi?"), windowCaption,
            ui::MessageIcon::Question, ui::DialogButton::Yes | ui::DialogButton::No | ui::DialogButton::Cancel,
            ui::DialogButton::Yes);
        if (answer == ui::DialogButton::Yes) {
            if (!save())
                return false;
        } else if (answer == ui::DialogButton::No) {
            restoreSaved();
            return true;
        } else {
            return false;
        }
    }
    if (startedNew_)
        restoreSaved();
    return true;
}

// ---- other commands ----------------------------------------------------------------

void DesignerWindow::preview()
{
    commitPendingEdit();
    // The report previews the template being edited: it is the report's own.
    report_.showPreview(this);
}

bool DesignerWindow::editMemoText(MemoView* memo)
{
    if (!memo)
        return false;
    MemoEditor editor(*document_, *memo, this);
    if (ui::execModal(editor) != QDialog::Accepted)
        return false;
    const QString text = editor.text();
    if (text == memo->text())
        return false;
    document_->setMemoText(memo, text);
    return true;
}

void DesignerWindow::choosePicture(PictureView* picture)
{
    if (!picture)
        return;
    const QString path = designer_.imageFileNameHandler()(this, {});
    if (path.isEmpty())
        return;
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format().toLower();
    if (bytes.isEmpty() || !reader.canRead()) {
        ui::showMessage(QStringLiteral("Resim dosyası okunamadı:\r%1").arg(path), QStringLiteral("Hata"),
                        ui::MessageIcon::Error);
        return;
    }
    // The stored form: the image class's name after its length, then the file's bytes.
    QByteArray className = QByteArrayLiteral("TPngImage");
    if (format == "jpeg" || format == "jpg")
        className = QByteArrayLiteral("TJPEGImage");
    else if (format == "bmp")
        className = QByteArrayLiteral("TBitmap");
    else if (format == "gif")
        className = QByteArrayLiteral("TGIFImage");
    else if (format != "png") {
        // Anything else is stored as PNG, which every reader of the format knows.
        QImage image;
        image.loadFromData(bytes);
        bytes.clear();
        QBuffer out(&bytes);
        out.open(QIODevice::WriteOnly);
        image.save(&out, "PNG");
    }
    document_->setPictureData(picture, char(className.size()) + className + bytes);
}

}  // namespace report
